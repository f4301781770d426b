// The Master's bid and discard: the Expert's, on more deals, the bid's deals weighed by how
// likely the bids made before it would have been from them.
#pragma once

#include "players/expert_bid.h"

namespace corvane {

ExpertBid masterBid(const Table& table, int seat, const ExpertEffort& effort);

// The cards the Master keeps at the discard, as expertKeep() gives them.
unsigned masterKeep(const Table& table, int seat, const ExpertEffort& effort);

} // namespace corvane
