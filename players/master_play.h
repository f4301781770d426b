// The Master's card: like the Expert it deals the cards it cannot see and plays each deal out from
// every card it may play, but it first weighs each deal by how likely the draw counts, the bid
// and the plays so far would have been from it (players/deal_likelihood.h), plays out deals
// drawn again in proportion to those weights, and plays them out with itself and every seat that
// has not shown it plays by the fixed rules on the sharper player (players/playout_sharp.h).
#pragma once

#include "players/deal_likelihood.h"
#include "players/expert_play.h"

namespace corvane {

// The Master thinks harder than the Expert by fixed factors of the Expert's effort, so that one
// number still sets both and a seed replays either.
inline constexpr int MasterCandidates = 4; // deals weighed for each card, per Expert sample
inline constexpr int MasterPlayouts = 1;   // deals then played out, per Expert sample
inline constexpr int MasterBidFactor = 6;  // deals for each suit in the auction
inline constexpr int MasterDiscardFactor = 4;

ExpertCard masterCard(const Table& table, const HandRecord& record, int seat,
                      const ExpertEffort& effort);

} // namespace corvane
