// The Expert's discard: which of its cards a seat keeps once trump is named, the bidder choosing
// among its hand and the kitty. It weighs the Standard keep (its trumps and the Ace of hearts,
// the bidder's best five) and the same with its best plain cards kept as well, one more at a
// time: it deals the cards it cannot see many times, lets the other seats throw away and draw as
// the computers do, plays every deal out on the computer's rules, and keeps what ends best for
// its partnership; among equals the fewer plain cards.
#pragma once

#include "players/deal_likelihood.h"
#include "players/expert_play.h"

namespace corvane {

struct Table;

// Bits 0-4: the seat's own pictures (5 * seat + slot) it keeps; bits 5 and up: the kitty's
// pictures it keeps, the bidder only. Never more than five bits. With `auction`, each deal counts
// by how likely the auction would have been from it (every deal alike without).
unsigned expertKeep(const Table& table, int seat, const ExpertEffort& effort,
                    const AuctionHistory* auction = nullptr);

} // namespace corvane
