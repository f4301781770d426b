#include "cards/card_value.h"

#include <array>

namespace corvane {

namespace {

// Place (1-based) of each face, indexed by face 1-13, in the four orders lowest first.
// Red trump:   2 3 4 6 7 8 9 10 Q K A (AH) J 5
// Black trump: 10 9 8 7 6 4 3 2 Q K A (AH) J 5
// Red plain:   A 2 3 4 5 6 7 8 9 10 J Q K
// Black plain: 10 9 8 7 6 5 4 3 2 A J Q K
using FaceOrder = std::array<int, 14>;
constexpr FaceOrder redTrump{0, 11, 1, 2, 3, 14, 4, 5, 6, 7, 8, 13, 9, 10};
constexpr FaceOrder blackTrump{0, 11, 8, 7, 6, 14, 5, 4, 3, 2, 1, 13, 9, 10};
constexpr FaceOrder redPlain{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr FaceOrder blackPlain{0, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 11, 12, 13};

} // namespace

int computeCardValue(Card card, int trumpSuit, int leadSuit) {
    if (!card.isValid())
        return 0;
    if (card.isAceOfHearts())
        return AceOfHeartsValue;
    const int suit = card.suit();
    const auto face = static_cast<size_t>(card.face());
    if (suit == trumpSuit)
        return 100 + (isRedSuit(trumpSuit) ? redTrump[face] : blackTrump[face]);
    const int bonus = (leadSuit != NoLeadSuit && leadSuit == suit) ? 50 : 0;
    return (isRedSuit(suit) ? redPlain[face] : blackPlain[face]) + bonus;
}

namespace detail {
CardValueTable::CardValueTable() : value{} {
    for (int trump = 0; trump < 4; ++trump)
        for (int lead = 0; lead < 5; ++lead)
            for (int n = 1; n <= 52; ++n) // every other number stays 0: no card
                value[trump][lead][n] = static_cast<std::uint8_t>(
                    computeCardValue(Card::fromNumber(n), trump, lead == 4 ? NoLeadSuit : lead));
}
const CardValueTable cardValues;
} // namespace detail

} // namespace corvane
