// How likely the hand so far would have been from one deal of the unseen cards, under a model of
// how the seats play: every seat keeps its trumps at the discard (the draw counts say how many),
// the bidder's trumps reach its bid, and every card played is the one the computer's rules choose
// there. Not every seat plays by those rules, so straying from them costs a deal a factor rather
// than ruling it out.
#pragma once

#include "players/hand_record.h"
#include "players/playout.h"

#include <array>
#include <span>

namespace corvane {

struct Table;

// The factors a deal pays where a seat's cards or plays disagree with the model.
struct PlayModel {
    // A card played other than the rules' choice from that deal. Sharper factors weigh the
    // deals by plays the sampling seats make for other reasons (0.35: no stronger against the
    // Expert than no weighing at all; 0.7: about four games in a hundred stronger).
    double strayCard = 0.7;
    double strayKeep = 0.25; // each card kept at the discard that is not a trump
    double strayBid = 0.3;   // a bidder whose trumps fall short of its bid
    double strayPass = 0.4;  // an auction bid or pass the rules would not have made
};

// The hand's public story as `seat` reads it: the leader of the first trick and the plays.
struct HandHistory {
    int seat = 0;
    int firstLeader = 0;
    std::array<std::uint8_t, 20> cards{};
    std::array<std::uint8_t, 20> seats{};
    int count = 0;
};

HandHistory handHistory(const Table& table, const HandRecord& record, int seat);

// Cards each seat played that the rules would not have played there, by seat.
using StrayCounts = std::array<std::uint8_t, 4>;

// The weight of a complete deal (every seat's five cards after the draw, in their slots) given
// the draw counts, the bid and the plays; `strays`, when given, gets each seat's plays the rules
// would not have made from this deal.
double dealLikelihood(const HandHistory& history, const playout::HandState& deal,
                      const PlayModel& model, StrayCounts* strays = nullptr);

// The seats' bids so far in this auction, as `seat` saw them, in the order they were made.
struct AuctionHistory {
    std::array<int, 4> seats{};
    std::array<int, 4> bids{};       // 0 for a pass
    std::array<int, 4> highBefore{}; // the high bid each one faced
    std::array<bool, 4> dealer{};
    int count = 0;
};

AuctionHistory auctionHistory(const Table& table, int seat);

// The weight of the other seats' hands before the draw (card numbers by seat) given the bids
// they made, read with the computer's bidding rule.
double auctionLikelihood(const AuctionHistory& auction,
                         const std::array<std::span<const std::uint8_t>, 4>& hands,
                         const PlayModel& model);

} // namespace corvane
