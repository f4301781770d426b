// The rank value that orders cards within a trick: trumps 101-114, cards of the led suit 51-63,
// other cards 1-13, no card 0. Every comparison of cards in the game goes through CardValue.
#pragma once

#include "cards/card.h"

namespace corvane {

inline constexpr int NoLeadSuit = -1;
inline constexpr int FiveOfTrumpsValue = 114;
inline constexpr int JackOfTrumpsValue = 113;
inline constexpr int AceOfHeartsValue = 112;

// Rank value of `card` under `trumpSuit`, with the led-suit bonus when `leadSuit` is given.
// An invalid card (no card) is worth 0.
int CardValue(Card card, int trumpSuit, int leadSuit = NoLeadSuit);

constexpr bool isTrumpValue(int value) { return value >= 100; }

} // namespace corvane
