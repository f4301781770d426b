// The state a card is checked against, built one way for every table that checks a card: the
// local player's click and time-out, and the host checking a seat's card.
#pragma once

#include "cards/legal_play.h"
#include "table/table.h"

#include <array>
#include <span>

namespace corvane {

// The cards of one hand still to be played.
struct HandCards {
    std::array<Card, 5> cards{};
    std::size_t count = 0;
    std::span<const Card> span() const { return {cards.data(), count}; }
};

// The hand on pictures 5 x `seat` to 5 x `seat` + 4, in the table's own numbering (the local
// player's pictures are 0-4).
HandCards handOf(const Table& table, int seat);

// The trick as it stands, for whichever seat is to play into it. A table that counts every
// trick itself (standalone, or the host) knows the cards before the player from the trick; a
// seated player's view counts them from the host's messages.
PlayContext playContextFor(const Table& table);

} // namespace corvane
