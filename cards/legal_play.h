// Which cards the local player may play: the trump obligation (with the reneging of the three top
// trumps and the strict first trick of a 30 bid) and the optional "Must follow suit" rule.
#pragma once

#include "cards/card.h"

#include <span>

namespace corvane {

// The state of the trick as the legality test sees it.
struct PlayContext {
    int trumpSuit = 0;
    Card ledCard; // the card on the picture `ledCard` names (the previous lead when leading)
    int trickCardCount = 0; // cards already in the trick
    int cardsBeforeMe = 0;  // cards in the trick before the local player
    int tricksPlayed = 0;
    int highBid = 0;
    bool mustFollowSuit = false;
};

enum class Refusal { None, Whisk, FollowSuit };

// A trump in hand is obligatory when it is below the Ace of hearts or below the led card.
bool isObligatoryTrump(Card card, const PlayContext& context);

// Tests `card` from `hand` (the local player's cards not yet played, `card` among them).
Refusal checkLocalPlay(std::span<const Card> hand, Card card, const PlayContext& context);

} // namespace corvane
