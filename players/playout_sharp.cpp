// The sharper card player: the same legal cards as the fixed rules, chosen by what the deal's
// other hands can do in this trick rather than by the fixed rules' fixed thresholds.
#include "players/playout_sharp.h"

#include "cards/card_value.h"

#include <algorithm>

namespace corvane::playout {

namespace {

struct Hand {
    Hand(const HandState& s, int seat, const std::uint8_t* row)
        : cards(s.cards[static_cast<size_t>(seat)]), held(s.held[static_cast<size_t>(seat)]),
          row(row) {}

    int value(int slot) const { return row[cards[static_cast<size_t>(slot)]]; }

    int highest() const {
        int best = 0;
        for (int k = 0; k < 5; ++k)
            if ((held >> k) & 1u)
                best = std::max(best, value(k));
        return best;
    }
    // The slot in `mask` of the lowest value above `above` (the first slot among equals), -1
    // when none.
    int lowestAbove(unsigned mask, int above) const {
        int found = -1;
        for (int k = 0; k < 5; ++k)
            if (((mask >> k) & 1u) && value(k) > above && (found < 0 || value(k) < value(found)))
                found = k;
        return found;
    }
    int lowest(unsigned mask) const { return lowestAbove(mask, -1); }

    const std::array<std::uint8_t, 5>& cards;
    unsigned held;
    const std::uint8_t* row;
};

const std::uint8_t* valueRow(const HandState& s, int ledSuit) {
    return detail::cardValues.value[s.trump][detail::leadIndex(ledSuit)];
}

// The best card the opponents of `seat` still hold, valued with `ledSuit` led.
int opponentsBest(const HandState& s, int seat, int ledSuit) {
    const std::uint8_t* row = valueRow(s, ledSuit);
    return std::max(Hand(s, (seat + 1) & 3, row).highest(), Hand(s, (seat + 3) & 3, row).highest());
}

int lead(const HandState& s, int seat, unsigned legal) {
    const Hand plain(s, seat, valueRow(s, -1));
    const int othersTrump = std::max(opponentsBest(s, seat, -1), 0);
    // A trump no opponent can beat draws theirs while they hold any.
    const int top = plain.lowestAbove(legal, std::max<int>(othersTrump, AceOfHeartsValue - 13));
    if (top >= 0 && isTrumpValue(plain.value(top)) && isTrumpValue(othersTrump))
        return top;
    // A plain card that nobody can beat in its suit and nobody can trump.
    if (!isTrumpValue(othersTrump)) {
        for (int k = 0; k < 5; ++k) {
            if (!((legal >> k) & 1u) || isTrumpValue(plain.value(k)))
                continue;
            const int suit = (s.cards[static_cast<size_t>(seat)][static_cast<size_t>(k)] - 1) / 13;
            const Hand withLead(s, seat, valueRow(s, suit));
            if (withLead.value(k) > opponentsBest(s, seat, suit))
                return k;
        }
        if (top >= 0)
            return top;
    }
    return plain.lowest(legal);
}

} // namespace

int sharpSlot(const HandState& s, int seat) {
    const unsigned legal = legalSlots(s, seat);
    if (legal == 0)
        return -1;
    if (s.trickCount == 0)
        return lead(s, seat, legal);
    const int ledSuit = playout::ledSuit(s);
    const std::uint8_t* row = valueRow(s, ledSuit);
    const Hand me(s, seat, row);
    const int winning = row[s.trick[s.winner]];
    // What the opponents still to play can put on the trick.
    int later = 0;
    for (int k = 1; k <= 3 - s.trickCount; ++k) {
        const int who = (seat + k) & 3;
        if ((who & 1) != (seat & 1))
            later = std::max(later, Hand(s, who, row).highest());
    }
    if (s.winner == (seat ^ 2) && winning > later)
        return me.lowest(legal);
    const int sure = me.lowestAbove(legal, std::max(winning, later));
    return sure >= 0 ? sure : me.lowest(legal);
}

int mixedSlot(const HandState& s, unsigned sharpSeats) {
    return (sharpSeats >> s.turn) & 1u ? sharpSlot(s, s.turn) : standardSlot(s, s.turn);
}

void playOutMixed(HandState& s, unsigned sharpSeats) {
    if (sharpSeats == 0)
        return playOutStandard(s); // the fixed rules' own loop, which keeps the ranks as it goes
    while (!s.over())
        playSlot(s, mixedSlot(s, sharpSeats));
}

} // namespace corvane::playout
