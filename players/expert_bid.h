// The Expert's bid: for each suit it deals the other hands, the kitty and the stock many times,
// lets every seat throw away and draw as the computers do, plays each hand out with itself as
// the bidder, and bids the level and suit whose expected score is best, or passes when no bid it
// may make is worth more than passing.
#pragma once

#include "cards/bid.h"
#include "players/deal_likelihood.h"
#include "players/expert_play.h"
#include "table/hand_rules.h"

#include <array>
#include <string>

namespace corvane {

struct Table;

struct ExpertBid {
    Bid bid = Bid::pass();
    int suit = 0; // the suit it would name
    int samples = 0;
    int makes = 0; // deals in which the bid is made
};

ExpertBid expertBid(const Table& table, int seat, const ExpertEffort& effort);

// The bid from `samples` deals of the unseen cards, each weighed by how likely the auction so far
// would have been from it (every deal alike without an auction).
ExpertBid weighBids(const Table& table, int seat, int samples, std::uint64_t seed,
                    const AuctionHistory* auction = nullptr, const PlayModel& model = {});

} // namespace corvane
