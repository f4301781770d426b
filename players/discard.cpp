#include "players/discard.h"

#include "cards/card_value.h"
#include "table/table.h"

#include <algorithm>

namespace corvane {

bool isKeeper(Card card, int trumpSuit) {
    return card.suit() == trumpSuit || card.isAceOfHearts();
}

int keepByRule(const std::array<std::uint8_t, 5>& hand, const std::uint8_t* kitty, int kittySize,
               int trumpSuit, std::array<std::uint8_t, 8>& kept) {
    const auto keeper = [&](int card) { return isKeeper(Card::fromNumber(card), trumpSuit); };
    int count = 0;
    for (std::uint8_t c : hand)
        if (keeper(c))
            kept[static_cast<size_t>(count++)] = c;
    if (kitty == nullptr)
        return count;
    for (int i = 0; i < kittySize; ++i)
        if (keeper(kitty[i]))
            kept[static_cast<size_t>(count++)] = kitty[i];
    // Down to five: the lowest go first (a stable sort keeps hand before kitty).
    const auto value = [&](std::uint8_t c) { return CardValue(Card::fromNumber(c), trumpSuit); };
    std::stable_sort(kept.begin(), kept.begin() + count,
                     [&](std::uint8_t a, std::uint8_t b) { return value(a) > value(b); });
    return std::min(count, 5);
}

int CountCards(const Table& table, int seat) {
    const int first = seat == 4 ? KittyFirst : 5 * seat;
    const int last = seat == 4 ? table.lastPicture() : first + 4;
    int count = 0;
    for (int i = first; i <= last; ++i)
        if (table.CardState(i) != TagState::Thrown)
            ++count;
    return count;
}

int LowestCard(const Table& table, int firstCard) {
    int lowest = -1;
    int lowestValue = 0;
    auto consider = [&](int i) {
        const TagState s = table.CardState(i);
        if (s == TagState::Thrown || s == TagState::Played)
            return;
        const int value = table.CardValue(i, table.trumpSuit);
        if (lowest == -1 || value < lowestValue) {
            lowest = i;
            lowestValue = value;
        }
    };
    for (int i = firstCard; i <= firstCard + 4; ++i)
        consider(i);
    for (int i = KittyFirst; i <= table.lastPicture(); ++i)
        consider(i);
    return lowest;
}

} // namespace corvane
