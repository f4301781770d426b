#include "players/discard.h"

#include "cards/card_value.h"
#include "table/table.h"

namespace corvane {

bool isKeeper(Card card, int trumpSuit) {
    return card.suit() == trumpSuit || card.isAceOfHearts();
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
