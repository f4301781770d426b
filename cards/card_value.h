// The rank value that orders cards within a trick: trumps 101-114, cards of the led suit 51-63,
// other cards 1-13, no card 0. Every comparison of cards in the game goes through CardValue.
#pragma once

#include "cards/card.h"

#include <cstdint>

namespace corvane {

inline constexpr int NoLeadSuit = -1;
inline constexpr int FiveOfTrumpsValue = 114;
inline constexpr int JackOfTrumpsValue = 113;
inline constexpr int AceOfHeartsValue = 112;

// Rank value of `card` under `trumpSuit`, with the led-suit bonus when `leadSuit` is given.
// An invalid card (no card) is worth 0.
int computeCardValue(Card card, int trumpSuit, int leadSuit);

namespace detail {
// Every value precomputed: [trump 0-3][lead suit 0-3, or 4 for none][card number]. A row covers
// every byte a card can hold, so any card reads inside the table (0 for no card).
struct CardValueTable {
    std::uint8_t value[4][5][256];
    CardValueTable();
};
extern const CardValueTable cardValues;

constexpr unsigned leadIndex(int leadSuit) {
    return leadSuit < 0 || leadSuit > 3 ? 4u : static_cast<unsigned>(leadSuit);
}
} // namespace detail

inline int CardValue(Card card, int trumpSuit, int leadSuit = NoLeadSuit) {
    const auto trump = static_cast<unsigned>(trumpSuit);
    if (trump > 3)
        return computeCardValue(card, trumpSuit, leadSuit);
    return detail::cardValues.value[trump][detail::leadIndex(leadSuit)][card.number()];
}

// The values of every card under one trump and one led suit, for code that compares many cards.
class CardValueRow {
public:
    CardValueRow(int trumpSuit, int leadSuit = NoLeadSuit)
        : m_row(detail::cardValues
                    .value[static_cast<unsigned>(trumpSuit) & 3u][detail::leadIndex(leadSuit)]) {}
    int operator()(Card card) const { return m_row[card.number()]; }

private:
    const std::uint8_t* m_row;
};

constexpr bool isTrumpValue(int value) {
    return value >= 100;
}

} // namespace corvane
