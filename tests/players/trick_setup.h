// Lays the card on a picture into the table's trick as the flow does: played, its seat's trick
// card, the lead when it is the first, and the winner so far.
#pragma once

#include "table/table.h"

namespace corvane::testing {

inline void layCard(Table& table, int picture) {
    table.picCard[static_cast<size_t>(picture)].state = TagState::Played;
    table.trickSeatCard[static_cast<size_t>(picture / 5)] = picture;
    if (table.trickCardCount == 0)
        table.ledCard = picture;
    const int led = table.ledSuit();
    if (table.CardValue(picture, table.trumpSuit, led) >
        table.CardValue(table.trickWinnerCard, table.trumpSuit, led))
        table.trickWinnerCard = picture;
    ++table.trickCardCount;
}

} // namespace corvane::testing
