// Follows a game record event by event and says when an event is one the game cannot have
// made: out of turn or out of order, a card that is not where the record put it or that the
// rules forbid, a trick, hand or game whose result is not what its cards give.
#pragma once

#include "cards/card.h"
#include "flow/observer.h"
#include "table/hand_rules.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

// What is wrong with an event, in words for the person who gave the record.
struct TraceFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Each call takes an event whose fields are in their ranges (seats 0-3, pictures 0-22, cards
// 1-52, bids 0 or 20-30, suits 0-3) and throws TraceFault when the event cannot come next.
class TraceReferee {
public:
    void game(int number);
    void deal(int hand, int dealer, const std::array<int, 52>& deck);
    void bid(int seat, Bid bid);
    void misdeal(int dealer);
    void trump(int bidder, int suit, int bid);
    void discard(int seat, const std::vector<int>& pictures);
    void kitty(const std::vector<int>& thrown, const std::vector<std::pair<int, int>>& moved);
    void draw(int picture, Card card);
    void play(int seat, int picture, Card card);
    void trick(int winner, int units);
    void hand(const HandResult& result);
    void end(int winner, std::array<int, 2> scores);
    // The record has no more lines.
    void finish() const;

private:
    // Where the record stands: what may come next.
    enum class Stage {
        NoGame,
        BetweenHands,
        Auction,
        Discard,
        Kitty,
        Draw,
        Play,
        TrickDone,
        HandDone,
        GameWon,
        GameOver
    };
    enum class Place { Hand, Thrown, Played, Gone };

    void expect(Stage stage, const char* event) const;
    void startPlay();
    Card cardAt(int picture) const { return m_card[static_cast<size_t>(picture)]; }
    Place& placeOf(int picture) { return m_place[static_cast<size_t>(picture)]; }

    Stage m_stage = Stage::NoGame;
    int m_gameNumber = 0;
    int m_handNumber = 0;
    std::optional<int> m_nextDealer;
    std::array<int, 2> m_scores{};

    // The hand.
    int m_dealer = 0;
    std::array<int, 52> m_deck{};
    std::array<Card, 23> m_card{};
    std::array<Place, 23> m_place{};
    SeatBids m_bids;
    int m_bidsMade = 0;
    int m_bidTurn = 0;
    int m_highBid = 0;
    int m_highBidder = 0;
    int m_contract = 0; // the seat that plays the contract
    int m_trump = 0;
    std::array<bool, 4> m_discarded{};
    enum class DrawOrder { Unknown, Standalone, Hosted };
    DrawOrder m_drawOrder = DrawOrder::Unknown;
    int m_topTrump = 0;
    int m_turn = 0;
    std::array<int, 4> m_trick{}; // the pictures played to the trick, in order
    int m_trickCount = 0;
    int m_tricksPlayed = 0;
    int m_ledPicture = 0;
    std::array<int, 4> m_units{};
};

} // namespace corvane
