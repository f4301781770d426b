// What the rules a person plays by see when a card has just been played: the seat's hand before
// it and the trick as it stood (when the card leads, the lead of the trick before).
#pragma once

#include "cards/legal_play.h"
#include "table/table.h"

#include <vector>

namespace corvane::testing {

inline std::vector<Card> handBeforePlay(const Table& t, int seat, int picture) {
    std::vector<Card> hand;
    for (int i = 5 * seat; i < 5 * seat + 5; ++i)
        if (t.CardState(i) != TagState::Played || i == picture)
            hand.push_back(t.cardAt(i));
    return hand;
}

inline PlayContext contextBeforePlay(const Table& t, int previousLead) {
    PlayContext c;
    c.trumpSuit = t.trumpSuit;
    // A lead answers the previous lead, except a hand's first, which answers nothing.
    if (t.trickCardCount != 0)
        c.ledCard = t.cardAt(t.ledCard);
    else if (t.tricksPlayed != 0)
        c.ledCard = t.cardAt(previousLead);
    c.trickCardCount = t.trickCardCount;
    c.cardsBeforeMe = t.trickCardCount;
    c.tricksPlayed = t.tricksPlayed;
    c.highBid = t.highBid;
    c.mustFollowSuit = t.mustFollowSuit;
    return c;
}

} // namespace corvane::testing
