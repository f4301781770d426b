// What one seat knows of the hand in play, and deals of the cards it cannot see that agree with
// it: its own hand, every card played, the cards it held before the discard (and the kitty, for
// the bidder), and the suits a seat has shown it lacks by breaking off from the trump it owed or
// from the suit it had to follow.
#pragma once

#include "players/hand_record.h"
#include "players/playout.h"
#include "table/random.h"

namespace corvane {

struct Table;

struct SeatKnowledge {
    int seat = 0;
    // The hand with everything the seat sees; the other seats' cards still in hand are 0.
    playout::HandState known;
    CardSet unseen = 0;               // cards that may lie in another seat's hand
    std::array<CardSet, 4> mayHold{}; // by seat: the cards it may still hold
};

SeatKnowledge knowledgeOf(const Table& table, const HandRecord& record, int seat);

// One deal of the unseen cards into the other seats' empty slots, drawn at random among those
// that agree with what the seat knows (a seat short of cards it may hold gets any unseen ones).
// The result is prepared for playing out.
playout::HandState sampleDeal(const SeatKnowledge& knowledge, Random& random);

} // namespace corvane
