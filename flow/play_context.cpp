// The hand and the play context of a card check.
#include "flow/play_context.h"

namespace corvane {

HandCards handOf(const Table& t, int seat) {
    HandCards hand;
    for (int i = 5 * seat; i <= 5 * seat + 4; ++i)
        if (t.CardState(i) != TagState::Played)
            hand.cards[hand.count++] = t.cardAt(i);
    return hand;
}

PlayContext playContextFor(const Table& t) {
    PlayContext c;
    c.trumpSuit = t.trumpSuit;
    c.ledCard = t.leadForPlay();
    c.trickCardCount = t.trickCardCount;
    c.cardsBeforeMe = t.online && t.netRole != 2 ? t.cardsBeforeMe : t.trickCardCount;
    c.tricksPlayed = t.tricksPlayed;
    c.highBid = t.highBid;
    c.mustFollowSuit = t.mustFollowSuit;
    return c;
}

} // namespace corvane
