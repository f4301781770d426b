#include "cards/legal_play.h"

#include "cards/card_value.h"

namespace corvane {

bool isObligatoryTrump(Card card, const PlayContext& context) {
    const int value = CardValue(card, context.trumpSuit);
    if (!isTrumpValue(value))
        return false;
    return value < AceOfHeartsValue || value < CardValue(context.ledCard, context.trumpSuit);
}

Refusal checkLocalPlay(std::span<const Card> hand, Card card, const PlayContext& context) {
    const int trump = context.trumpSuit;
    const bool ledIsTrump = isTrumpValue(CardValue(context.ledCard, trump));
    const bool cardIsTrump = isTrumpValue(CardValue(card, trump));

    bool obliged = false;
    for (Card held : hand) {
        if (isObligatoryTrump(held, context)) {
            obliged = true;
            break;
        }
    }
    const bool released = (!ledIsTrump || context.cardsBeforeMe == 0) &&
                          (context.tricksPlayed > 0 || context.highBid < 30);
    if (obliged && !released && !cardIsTrump)
        return Refusal::Whisk;

    if (context.mustFollowSuit && context.trickCardCount >= 1 && !ledIsTrump && !cardIsTrump) {
        const int ledSuit = context.ledCard.suit();
        bool holdsLed = false;
        for (Card held : hand) {
            if (held.suit() == ledSuit && !held.isAceOfHearts()) {
                holdsLed = true;
                break;
            }
        }
        if (holdsLed && card.suit() != trump && card.suit() != ledSuit)
            return Refusal::FollowSuit;
    }
    return Refusal::None;
}

} // namespace corvane
