// The computer discard and the bidder's kitty: which cards a computer seat keeps, and the counts
// and lowest card the kitty rule cuts the bidder's cards down with.
#pragma once

#include "cards/card.h"

#include <array>
#include <cstdint>

namespace corvane {

struct Table;

// A computer seat keeps its trumps and the Ace of hearts and throws away everything else.
bool isKeeper(Card card, int trumpSuit);

// The cards (numbers 1-52) a computer seat keeps of `hand` and, for the bidder, `kitty` (null
// for the others): its keepers, the bidder's cut down to its best five. Returns how many; `kept`
// holds them best first for the bidder, in hand order for the others.
int keepByRule(const std::array<std::uint8_t, 5>& hand, const std::uint8_t* kitty, int kittySize,
               int trumpSuit, std::array<std::uint8_t, 8>& kept);

// Cards of a seat's hand not thrown away; seat 4 counts the kitty.
int CountCards(const Table& table, int seat);

// The lowest card (by rank value under trump) among the pictures firstCard..firstCard+4 and the
// kitty, leaving out cards thrown away or played. Ties keep the earlier card, hand before kitty.
int LowestCard(const Table& table, int firstCard);

} // namespace corvane
