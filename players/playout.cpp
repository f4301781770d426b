#include "players/playout.h"

#include "cards/card_value.h"

#include <algorithm>
#include <bit>

namespace corvane::playout {

namespace {

constexpr int suitOf(int number) {
    return (number - 1) / 13;
}

// One seat's cards under the trick's values.
struct SeatView {
    SeatView(const HandState& s, int seat)
        : cards(s.cards[static_cast<size_t>(seat)]), held(s.held[static_cast<size_t>(seat)]),
          ledSuit(playout::ledSuit(s)),
          plain(detail::cardValues.value[s.trump][4]),
          withLead(detail::cardValues.value[s.trump][detail::leadIndex(ledSuit)]) {}

    int v(int slot) const { return plain[cards[static_cast<size_t>(slot)]]; }
    int vL(int slot) const { return withLead[cards[static_cast<size_t>(slot)]]; }
    bool has(int slot) const { return (held >> slot) & 1u; }

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

void prepare(HandState& s) {
    const std::uint8_t* plain = detail::cardValues.value[s.trump][4];
    s.topTrump = 0;
    for (size_t seat = 0; seat < 4; ++seat)
        for (size_t k = 0; k < 5; ++k) {
            const int card = s.cards[seat][k];
            s.value[seat][k] = plain[card];
            s.suit[seat][k] = static_cast<std::uint8_t>(suitOf(card));
            s.topTrump = std::max(s.topTrump, plain[card]);
        }
}

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

namespace {

// The computer's choice, inlined into the playout loop.
[[gnu::always_inline]] inline int chooseStandard(const HandState& s, int seat) {
    // One pass over the cards in hand gathers everything the rules ask of them. Keys fold value
    // and slot into one number, so that "the lowest, the first among equals" is a plain minimum.
    const auto& cards = s.cards[static_cast<size_t>(seat)];
    const auto& values = s.value[static_cast<size_t>(seat)];
    const auto& suits = s.suit[static_cast<size_t>(seat)];
    const unsigned held = s.held[static_cast<size_t>(seat)];
    if (held == 0)
        return -1;
    const int ledSuit = playout::ledSuit(s);
    const std::uint8_t* plain = detail::cardValues.value[s.trump][4];
    const std::uint8_t* withLead = detail::cardValues.value[s.trump][detail::leadIndex(ledSuit)];
    const int ledValue = plain[s.led];
    constexpr int none = 1 << 30;
    int lowAll = none, lowTrump = none, lowLed = none, lowLedTrump = none; // value * 8 + slot
    int highAll = -1;                                                      // value * 8 + 7 - slot
    int lowestTrumpValue = none;
    bool holdsLed = false;
    for (unsigned rest = held; rest != 0; rest &= rest - 1) {
        const int k = std::countr_zero(rest);
        const int value = values[static_cast<size_t>(k)];
        const bool trump = isTrumpValue(value);
        const bool ofLedSuit = suits[static_cast<size_t>(k)] == ledSuit;
        const int low = (value + (ofLedSuit && !trump ? 50 : 0)) * 8 + k;
        lowAll = std::min(lowAll, low);
        highAll = std::max(highAll, low + 7 - 2 * k);
        if (trump) {
            lowTrump = std::min(lowTrump, low);
            lowestTrumpValue = std::min(lowestTrumpValue, value);
        }
        if (ofLedSuit) {
            lowLed = std::min(lowLed, low);
            if (trump)
                lowLedTrump = std::min(lowLedTrump, low);
            holdsLed |= value != AceOfHeartsValue;
        }
    }
    // A trump is owed when below the Ace of hearts or below the card led.
    const bool obligatory = lowestTrumpValue < std::max(AceOfHeartsValue, ledValue);

    // 1. The trump obligation; a hand bid at 30 keeps it on every trick.
    const bool mustTrump =
        obligatory && !(s.highBid < 30 && (s.trickCount == 0 || !isTrumpValue(ledValue)));
    // 2. Following suit, with that option on.
    const bool follow = s.mustFollowSuit && ledValue <= 100 && s.trickCount != 0 && holdsLed;
    // 3. The cheapest legal card; the obligation wins over following suit.
    int key = lowAll;
    if (mustTrump)
        key = follow && lowLedTrump != none ? lowLedTrump : (lowTrump != none ? lowTrump : lowAll);
    else if (follow && lowLed != none)
        key = lowLed;
    int choice = key & 7;

    // 4. What the others did.
    const int partner = partnerSeat(seat);
    int oppBest = (seat != s.bidder && s.tricksPlayed == 0) ? FiveOfTrumpsValue : 0;
    oppBest = std::max<int>(oppBest, withLead[s.trick[static_cast<size_t>((seat + 1) & 3)]]);
    oppBest = std::max<int>(oppBest, withLead[s.trick[static_cast<size_t>((seat + 3) & 3)]]);
    const int partnerCard = s.trick[static_cast<size_t>(partner)];

    // 5. The seat can beat the opponents.
    const int best = 7 - (highAll & 7);
    if (values[static_cast<size_t>(best)] > oppBest) {
        const int bestSuit = suitOf(cards[static_cast<size_t>(best)]);
        const SeatView me(s, seat);
        if (s.trickCount == 3) {
            if (withLead[partnerCard] >= oppBest)
                return choice;
            const int overtake = me.lowestAtOrAbove(oppBest + 1, s.trump, bestSuit);
            return overtake != -1 ? overtake : best;
        }
        if (s.drawCount[static_cast<size_t>(partner)] >= 4 || s.trickCount != 0 || s.highBid >= 25)
            return best;
        const int lowTrumpSlot = me.lowestAtOrAbove(101, s.trump, bestSuit);
        return lowTrumpSlot != -1 ? lowTrumpSlot : best;
    }

    // 6. It cannot beat them; on the first trick the seats around the bidder may still go high
    // with their best card but the Five.
    if (s.tricksPlayed != 0)
        return choice;
    int highButFive = -1;
    for (unsigned rest = held; rest != 0; rest &= rest - 1) {
        const int k = std::countr_zero(rest);
        const int value = values[static_cast<size_t>(k)];
        const bool ofLedSuit = suits[static_cast<size_t>(k)] == ledSuit;
        if (value != FiveOfTrumpsValue)
            highButFive = std::max(
                highButFive, (value + (ofLedSuit && !isTrumpValue(value) ? 50 : 0)) * 8 + 7 - k);
    }
    if (highButFive >= 0) {
        const int hb = 7 - (highButFive & 7);
        const int hbValue = values[static_cast<size_t>(hb)];
        const int highValue = s.winner == NoSeat ? 0 : plain[s.trick[s.winner]];
        const bool beatsHigh = hbValue > highValue;
        const bool clearOfPartner = hbValue - plain[partnerCard] >= 2;
        if (seat == ((s.bidder + 3) & 3) && beatsHigh && clearOfPartner)
            choice = hb;
        if (seat == ((s.bidder + 2) & 3) && beatsHigh && clearOfPartner &&
            hbValue >= AceOfHeartsValue)
            choice = hb;
    }
    return choice;
}

} // namespace

int standardSlot(const HandState& s, int seat) {
    return chooseStandard(s, seat);
}

namespace {

[[gnu::always_inline]] inline void play(HandState& s, int slot) {
    const auto seat = static_cast<size_t>(s.turn);
    const std::uint8_t card = s.cards[seat][static_cast<size_t>(slot)];
    s.held[seat] = static_cast<std::uint8_t>(s.held[seat] & ~(1u << slot));
    s.trick[seat] = card;
    if (s.trickCount == 0)
        s.led = card;
    const std::uint8_t* row = detail::cardValues.value[s.trump][detail::leadIndex(playout::ledSuit(s))];
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

} // namespace

void playSlot(HandState& s, int slot) {
    play(s, slot);
}

void playOutStandard(HandState& s) {
    while (!s.over())
        play(s, chooseStandard(s, s.turn));
}

} // namespace corvane::playout
