#include "players/master_bid.h"

#include "players/expert_discard.h"
#include "players/master_play.h"

namespace corvane {

ExpertBid masterBid(const Table& t, int seat, const ExpertEffort& effort) {
    const AuctionHistory auction = auctionHistory(t, seat);
    return weighBids(t, seat, MasterBidFactor * effort.bidSamples,
                     decisionSeed(t, seat, effort.seed) ^ 0xB1D5ULL, &auction);
}

unsigned masterKeep(const Table& t, int seat, const ExpertEffort& effort) {
    ExpertEffort more = effort;
    more.discardSamples *= MasterDiscardFactor;
    const AuctionHistory auction = auctionHistory(t, seat);
    return expertKeep(t, seat, more, &auction);
}

} // namespace corvane
