#include "players/playout.h"

#include "cards/card_value.h"

#include <algorithm>

namespace corvane::playout {

namespace {

constexpr int suitOf(int number) {
    return (number - 1) / 13; // 0 for no card, as the table reads an empty picture
}

// One seat's cards under the trick's values, worked out once per choice. Keys fold value and
// slot into one number (value * 8 + slot) so that "the lowest, the first among equals" is a
// plain minimum.
struct SeatView {
    SeatView(const HandState& s, int seat)
        : cards(s.cards[static_cast<size_t>(seat)]), held(s.held[static_cast<size_t>(seat)]),
          ledSuit(suitOf(s.led)),
          plain(detail::cardValues.value[s.trump][4]),
          withLead(detail::cardValues.value[s.trump][detail::leadIndex(ledSuit)]) {}

    int v(int slot) const { return plain[cards[static_cast<size_t>(slot)]]; }
    int vL(int slot) const { return withLead[cards[static_cast<size_t>(slot)]]; }
    bool has(int slot) const { return (held >> slot) & 1u; }

    // The held slot with the greatest vL (ties: the earlier), -1 when none.
    int highest(bool withoutFive) const {
        int best = -1;
        for (int k = 0; k < 5; ++k) {
            const bool candidate = has(k) && !(withoutFive && v(k) == FiveOfTrumpsValue);
            const int key = candidate ? vL(k) * 8 + (7 - k) : -1;
            best = key > best ? key : best;
        }
        return best < 0 ? -1 : 7 - (best & 7);
    }

    // The cheapest card the computer's rules allow, -1 when none.
    int cheapestLegal(bool mustTrump, bool holdsLed) const {
        constexpr int none = 1 << 30;
        int choice = none;
        for (int k = 0; k < 5; ++k) {
            const bool legal = has(k) && (!mustTrump || isTrumpValue(v(k))) &&
                               (!holdsLed || suitOf(cards[static_cast<size_t>(k)]) == ledSuit);
            const int key = legal ? vL(k) * 8 + k : none;
            choice = key < choice ? key : choice;
        }
        return choice == none ? -1 : (choice & 7);
    }

    // The held slot whose value, with `leadSuit` led, is the lowest from `from` up to the Five
    // (the first in slot order at each value), -1 when none.
    int lowestAtOrAbove(int from, int trump, int leadSuit) const {
        const std::uint8_t* row = detail::cardValues.value[trump][detail::leadIndex(leadSuit)];
        int found = -1;
        int foundValue = 0;
        for (int k = 0; k < 5; ++k) {
            if (!has(k))
                continue;
            const int value = row[cards[static_cast<size_t>(k)]];
            if (value >= from && value <= FiveOfTrumpsValue && (found == -1 || value < foundValue)) {
                found = k;
                foundValue = value;
            }
        }
        return found;
    }

    const std::array<std::uint8_t, 5>& cards;
    const unsigned held;
    const int ledSuit;
    const std::uint8_t* plain;
    const std::uint8_t* withLead;
};

constexpr int partnerSeat(int seat) {
    return seat ^ 2;
}

} // namespace

unsigned legalSlots(const HandState& s, int seat) {
    const SeatView me(s, seat);
    const int ledValue = me.plain[s.led];
    const bool ledIsTrump = isTrumpValue(ledValue);
    unsigned trumps = 0, offSuit = 0;
    bool obliged = false, holdsLed = false;
    for (int k = 0; k < 5; ++k) {
        if (!me.has(k))
            continue;
        const int v = me.v(k);
        const int suit = suitOf(me.cards[static_cast<size_t>(k)]);
        if (isTrumpValue(v)) {
            trumps |= 1u << k;
            obliged |= v < AceOfHeartsValue || v < ledValue;
        } else if (suit != me.ledSuit) {
            offSuit |= 1u << k;
        }
        holdsLed |= suit == me.ledSuit && v != AceOfHeartsValue;
    }
    const bool released = (!ledIsTrump || s.trickCount == 0) && (s.tricksPlayed > 0 || s.highBid < 30);
    if (obliged && !released)
        return trumps;
    if (s.mustFollowSuit && s.trickCount >= 1 && !ledIsTrump && holdsLed)
        return me.held & ~offSuit;
    return me.held;
}

int standardSlot(const HandState& s, int seat) {
    const SeatView me(s, seat);
    const int partner = partnerSeat(seat);
    const int ledValue = me.plain[s.led];

    // 1. The trump obligation; a hand bid at 30 keeps it on every trick.
    bool mustTrump = false;
    for (int k = 0; k < 5; ++k) {
        const int v = me.v(k);
        mustTrump |= me.has(k) & isTrumpValue(v) & ((v < ledValue) | (v < AceOfHeartsValue));
    }
    if (s.highBid < 30 && (s.trickCount == 0 || !isTrumpValue(ledValue)))
        mustTrump = false;

    // 2. Following suit, with that option on.
    bool holdsLed = false;
    if (s.mustFollowSuit && ledValue <= 100 && s.trickCount != 0) {
        for (int k = 0; k < 5; ++k)
            holdsLed |= me.has(k) & (suitOf(me.cards[static_cast<size_t>(k)]) == me.ledSuit) &
                        (me.v(k) != AceOfHeartsValue);
    }

    // 3. The cheapest legal card; the obligation wins over following suit.
    int choice = me.cheapestLegal(mustTrump, holdsLed);
    if (choice == -1)
        choice = me.cheapestLegal(mustTrump, false);
    if (choice == -1)
        choice = me.cheapestLegal(false, false);

    // 4. What the others did.
    int oppBest = (seat != s.bidder && s.tricksPlayed == 0) ? FiveOfTrumpsValue : 0;
    const int left = (seat + 1) & 3, right = (seat + 3) & 3;
    oppBest = std::max(oppBest, static_cast<int>(me.withLead[s.trick[static_cast<size_t>(left)]]));
    oppBest = std::max(oppBest, static_cast<int>(me.withLead[s.trick[static_cast<size_t>(right)]]));
    const int partnerCard = s.trick[static_cast<size_t>(partner)];
    const int partnerValue = me.withLead[partnerCard];

    // 5. The seat can beat the opponents.
    const int best = me.highest(false);
    if (best != -1 && me.v(best) > oppBest) {
        const int bestSuit = suitOf(me.cards[static_cast<size_t>(best)]);
        if (s.trickCount == 3) {
            if (partnerValue >= oppBest)
                return choice;
            const int overtake = me.lowestAtOrAbove(oppBest + 1, s.trump, bestSuit);
            return overtake != -1 ? overtake : best;
        }
        if (s.drawCount[static_cast<size_t>(partner)] >= 4 || s.trickCount != 0 || s.highBid >= 25)
            return best;
        const int lowTrump = me.lowestAtOrAbove(101, s.trump, bestSuit);
        return lowTrump != -1 ? lowTrump : best;
    }

    // 6. It cannot beat them; on the first trick the seats around the bidder may still go high.
    const int hb = me.highest(true);
    if (s.tricksPlayed == 0 && hb != -1) {
        const int hbValue = me.v(hb);
        const int highValue = s.winner == NoSeat ? 0 : me.plain[s.trick[s.winner]];
        const bool beatsHigh = hbValue > highValue;
        const bool clearOfPartner = hbValue - me.plain[partnerCard] >= 2;
        if (seat == ((s.bidder + 3) & 3) && beatsHigh && clearOfPartner)
            choice = hb;
        if (seat == ((s.bidder + 2) & 3) && beatsHigh && clearOfPartner &&
            hbValue >= AceOfHeartsValue)
            choice = hb;
    }
    return choice;
}

void playSlot(HandState& s, int slot) {
    const auto seat = static_cast<size_t>(s.turn);
    const std::uint8_t card = s.cards[seat][static_cast<size_t>(slot)];
    s.held[seat] = static_cast<std::uint8_t>(s.held[seat] & ~(1u << slot));
    s.trick[seat] = card;
    if (s.trickCount == 0)
        s.led = card;
    const std::uint8_t* row = detail::cardValues.value[s.trump][detail::leadIndex(suitOf(s.led))];
    if (s.winner == NoSeat || row[card] > row[s.trick[s.winner]])
        s.winner = static_cast<std::uint8_t>(seat);
    if (++s.trickCount < 4) {
        s.turn = static_cast<std::uint8_t>((seat + 1) & 3);
        return;
    }
    const std::uint8_t winningCard = s.trick[s.winner];
    const bool top = detail::cardValues.value[s.trump][4][winningCard] == s.topTrump;
    s.units[s.winner] = static_cast<std::uint8_t>(s.units[s.winner] + (top ? 2 : 1));
    s.turn = s.winner;
    s.winner = NoSeat;
    s.trickCount = 0;
    ++s.tricksPlayed;
}

void playOutStandard(HandState& s) {
    playOut(s, [](const HandState& state, int seat) { return standardSlot(state, seat); });
}

} // namespace corvane::playout
