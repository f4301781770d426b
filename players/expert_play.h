// The Expert's card: it deals the cards it cannot see many times in ways that agree with what it
// knows, plays each deal out from every card it may play (everybody else on the computer's fixed
// rules), and plays the card whose hands end best on average for its partnership.
#pragma once

#include "players/hand_record.h"
#include "players/playout.h"

#include <cstdint>
#include <optional>
#include <span>

namespace corvane {

struct Table;

// How hard the Expert thinks: a number of deals, never a time, so that a seed replays it.
struct ExpertEffort {
    int samples = 100;        // deals weighed for each card
    int bidSamples = 100;     // deals weighed for each suit in the auction
    int discardSamples = 400; // deals weighed for each way of keeping at the discard
    // The discard and the bidder's kitty weighed by dealing as well, or the Standard rule.
    bool sampledDiscard = true;
    std::uint64_t seed = 1;
};

struct ExpertCard {
    int picture = -1;     // in the table's local numbering
    int samples = 0;      // deals weighed (0 when the card was the only one allowed)
    int takes = 0;        // deals in which the card takes the trick
    int partnerTakes = 0; // deals in which the partner takes it
};

ExpertCard expertCard(const Table& table, const HandRecord& record, int seat,
                      const ExpertEffort& effort);

// The card when `seat` has no choice: the only one allowed, or none (picture -1) in an empty hand.
std::optional<ExpertCard> forcedCard(const Table& table, const playout::HandState& known, int seat);

// The card whose deals end best: each deal played out from every card `seat` may play (`me`, the
// hand as it sees it), everybody after it on the computer's fixed rules but the seats whose bit
// is set in `sharpSeats`, which play on the sharper player (players/playout_sharp.h).
ExpertCard weighCards(const Table& table, const playout::HandState& me, int seat,
                      std::span<const playout::HandState> deals, unsigned sharpSeats = 0);

// The seed of one decision: the same table, seat and effort always give the same choice.
std::uint64_t decisionSeed(const Table& table, int seat, std::uint64_t seed);

} // namespace corvane
