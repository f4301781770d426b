// The record of the game so far as a player at the table may know it: hand by hand the dealer,
// the bids, the contract, the cards each seat was dealt and held, every trick in play order, the
// points and the score. Seats are counted from the player who keeps the record (seat 0 at the
// bottom), the way the table shows them. A card the record does not know is Card().
#pragma once

#include "cards/card.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct RecordedBid {
    int seat = 0;
    std::string bid; // "Pass" or the number, as the table showed it
    friend bool operator==(const RecordedBid&, const RecordedBid&) = default;
};

struct RecordedTrick {
    int leader = 0;
    std::vector<int> order;       // the seats in the order they played
    std::array<Card, 4> bySeat{}; // each seat's card
    int winner = -1;              // -1 while the trick is still on the table
    int units = 0;                // 1, or 2 for the trick taken with the hand's top card
    bool complete() const { return winner >= 0; }
    friend bool operator==(const RecordedTrick&, const RecordedTrick&) = default;
};

// How far a hand has come.
enum class HandStage { Bidding, Discard, Play, Scored, Misdealt };

struct RecordedHand {
    using Five = std::array<Card, 5>;

    int number = 0; // 1 for the game's first deal, misdeals counted
    int dealer = 0;
    HandStage stage = HandStage::Bidding;
    std::vector<RecordedBid> bids;
    int bidder = -1;
    int bid = 0;
    int trump = -1;
    std::array<Five, 4> dealt{}; // each seat's five cards as dealt
    std::array<Card, 3> kitty{};
    std::array<Five, 4> held{}; // each seat's five cards after the draw
    std::vector<RecordedTrick> tricks;
    // Once scored: the bidders' points counted, whether they made it, the gain or loss that the
    // score took, and the scores after the hand (partnership 0 is seats 0 and 2).
    int counted = 0;
    bool made = false;
    int points = 0;
    std::array<int, 2> scores{};

    bool over() const { return stage == HandStage::Scored || stage == HandStage::Misdealt; }
    // The points each partnership took in tricks so far (five a unit).
    std::array<int, 2> trickPoints() const;
    // The last trick gathered, if any.
    const RecordedTrick* lastCompleteTrick() const;
    // The cards a seat drew: those it held after the draw that it was not dealt (nor, for the
    // bidder, found in the kitty).
    std::vector<Card> drawn(int seat) const;
    friend bool operator==(const RecordedHand&, const RecordedHand&) = default;
};

struct GameHistory {
    std::array<std::string, 4> names{};
    std::vector<RecordedHand> hands;
    // The partnership that won, once the game is over.
    std::optional<int> winner;
    std::array<int, 2> finalScores{};

    RecordedHand* current() { return hands.empty() ? nullptr : &hands.back(); }
    const RecordedHand* current() const { return hands.empty() ? nullptr : &hands.back(); }
};

// What the player at seat 0 may see of a hand: all of it once the hand is over; while it is in
// play, only the player's own cards, the kitty if the player took it, and the cards played.
RecordedHand shownToPlayer(const RecordedHand& hand);

// The winner's partnership: seats 0 and 2 are 0.
constexpr int partnershipOf(int seat) {
    return seat & 1;
}

} // namespace corvane
