// The playout kernel's trick play: the legal cards, the computer's card choice, the trick's
// winner and its units, on bit masks and value tables rather than the table's pictures. It is a
// second implementation of rules that cards/ and players/card_play.cpp already hold, kept
// because the Expert plays each hand out hundreds of thousands of times, which the table's own
// flow, with its labels, positions and strings, cannot do fast enough. Every change to the
// rules must be made in both: PlayoutAgreement (tests/tools/playout_agreement_test.cpp) plays
// the kernel and the engine side by side over whole games and fails on the first card, trick
// winner, units or set of legal cards on which they differ.
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
          ledSuit(playout::ledSuit(s)), plain(detail::cardValues.value[s.trump][4]),
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
            if (value >= from && value <= FiveOfTrumpsValue &&
                (found == -1 || value < foundValue)) {
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

namespace {

void rankSeat(const std::array<std::uint8_t, 5>& cards, const std::uint8_t* plain, SeatRanks& r) {
    std::array<int, 5> key{};
#pragma GCC unroll 5
    for (int k = 0; k < 5; ++k)
        key[static_cast<size_t>(k)] = plain[cards[static_cast<size_t>(k)]] * 8 + k;
    r = SeatRanks{};
#pragma GCC unroll 5
    for (int k = 0; k < 5; ++k) {
        const auto slot = static_cast<size_t>(k);
        int rank = 0;
#pragma GCC unroll 5
        for (size_t j = 0; j < 5; ++j)
            rank += key[j] < key[slot];
        const auto rk = static_cast<size_t>(rank);
        const int card = cards[slot];
        const int value = key[slot] >> 3;
        const auto bit = static_cast<std::uint8_t>(1u << rk);
        r.rankOf[slot] = static_cast<std::uint8_t>(rk);
        r.slotOf[rk] = static_cast<std::uint8_t>(k);
        r.value[rk] = static_cast<std::uint8_t>(value);
        r.suit[static_cast<size_t>(suitOf(card))] |= bit;
        r.trumps |= isTrumpValue(value) ? bit : 0;
        r.aceOfHearts |= value == AceOfHeartsValue ? bit : 0;
        r.five |= value == FiveOfTrumpsValue ? bit : 0;
    }
    // Equal values sit on neighbouring ranks: each rank's run of them.
    for (size_t rk = 0; rk < 5; ++rk)
        r.sameValue[rk] = static_cast<std::uint8_t>(
            (1u << rk) | (rk > 0 && r.value[rk] == r.value[rk - 1] ? r.sameValue[rk - 1] : 0u));
    for (size_t rk = 4; rk-- > 0;)
        if (r.value[rk] == r.value[rk + 1])
            r.sameValue[rk] = r.sameValue[rk + 1];
}

} // namespace

void prepare(HandState& s) {
    const std::uint8_t* plain = detail::cardValues.value[s.trump][4];
    s.topTrump = 0;
    for (size_t seat = 0; seat < 4; ++seat) {
        rankSeat(s.cards[seat], plain, s.ranks[seat]);
        for (size_t k = 0; k < 5; ++k)
            s.topTrump = std::max(s.topTrump, plain[s.cards[seat][k]]);
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
    const bool released =
        (!ledIsTrump || s.trickCount == 0) && (s.tricksPlayed > 0 || s.highBid < 30);
    if (obliged && !released)
        return trumps;
    if (s.mustFollowSuit && s.trickCount >= 1 && !ledIsTrump && holdsLed)
        return me.held & ~offSuit;
    return me.held;
}

namespace {

// The computer's choice, inlined into the playout loop. It works on the seat's ranks: under the
// lead the plain cards come first, then the plain cards of the suit led, then the trumps, each
// group in rank order, so that spreading the groups 8 bits apart puts every card of a mask in
// the order of its value with the lead (equal values by slot).
[[gnu::always_inline]] inline int chooseStandard(const HandState& s, int seat, unsigned held) {
    const SeatRanks& r = s.ranks[static_cast<size_t>(seat)];
    if (held == 0)
        return -1;
    const int ledSuit = playout::ledSuit(s);
    const std::uint8_t* plain = detail::cardValues.value[s.trump][4];
    const std::uint8_t* withLead = detail::cardValues.value[s.trump][detail::leadIndex(ledSuit)];
    const int ledValue = plain[s.led];
    const unsigned trumps = r.trumps;
    const unsigned ofLed = ledSuit < 0 ? 0u : r.suit[static_cast<size_t>(ledSuit)];
    const unsigned plainLed = ofLed & ~trumps;
    const auto spread = [&](unsigned m) {
        return (m & ~trumps & ~plainLed) | (m & plainLed) << 8 | (m & trumps) << 16;
    };
    const auto lowest = [&](unsigned m) { return std::countr_zero(spread(m)) & 7; };
    // The highest rank of a non-empty mask; among equal values the first slot.
    const auto highest = [&](unsigned m) {
        const unsigned spreadOut = spread(m);
        const int top = 31 - std::countl_zero(spreadOut);
        const unsigned group = (spreadOut >> (top & ~7)) & 0xFFu;
        return std::countr_zero(group & r.sameValue[static_cast<size_t>(top & 7)]);
    };

    // 1. The trump obligation; a hand bid at 30 keeps it on every trick. A trump is owed when
    // below the Ace of hearts or below the card led.
    const unsigned heldTrumps = held & trumps;
    const bool obligatory =
        heldTrumps != 0 && r.value[static_cast<size_t>(std::countr_zero(heldTrumps))] <
                               std::max(AceOfHeartsValue, ledValue);
    const bool mustTrump =
        obligatory && !(s.highBid < 30 && (s.trickCount == 0 || !isTrumpValue(ledValue)));
    // 2. Following suit, with that option on.
    const bool holdsLed = (held & ofLed & ~static_cast<unsigned>(r.aceOfHearts)) != 0;
    const bool follow = s.mustFollowSuit && ledValue <= 100 && s.trickCount != 0 && holdsLed;
    // 3. The cheapest legal card; the obligation wins over following suit.
    unsigned allowed = held;
    if (mustTrump)
        allowed = follow && (heldTrumps & ofLed) != 0 ? heldTrumps & ofLed : heldTrumps;
    else if (follow)
        allowed = held & ofLed;
    int choice = r.slotOf[static_cast<size_t>(lowest(allowed))];

    // 4. What the others did.
    const int partner = partnerSeat(seat);
    int oppBest = (seat != s.bidder && s.tricksPlayed == 0) ? FiveOfTrumpsValue : 0;
    oppBest = std::max<int>(oppBest, withLead[s.trick[static_cast<size_t>((seat + 1) & 3)]]);
    oppBest = std::max<int>(oppBest, withLead[s.trick[static_cast<size_t>((seat + 3) & 3)]]);
    const int partnerCard = s.trick[static_cast<size_t>(partner)];

    // 5. The seat can beat the opponents.
    const int bestRank = highest(held);
    const int best = r.slotOf[static_cast<size_t>(bestRank)];
    if (r.value[static_cast<size_t>(bestRank)] > oppBest) {
        if (s.trickCount == 3) {
            if (withLead[partnerCard] >= oppBest)
                return choice;
            const SeatView me(s, seat);
            const int bestSuit =
                suitOf(s.cards[static_cast<size_t>(seat)][static_cast<size_t>(best)]);
            const int overtake = me.lowestAtOrAbove(oppBest + 1, s.trump, bestSuit);
            return overtake != -1 ? overtake : best;
        }
        if (s.drawCount[static_cast<size_t>(partner)] >= 4 || s.trickCount != 0 || s.highBid >= 25)
            return best;
        // The lowest trump, or the best card when no trump is left.
        return heldTrumps != 0 ? r.slotOf[static_cast<size_t>(std::countr_zero(heldTrumps))] : best;
    }

    // 6. It cannot beat them; on the first trick the seats around the bidder may still go high
    // with their best card but the Five.
    if (s.tricksPlayed != 0)
        return choice;
    const unsigned butFive = held & ~static_cast<unsigned>(r.five);
    if (butFive != 0) {
        const int hbRank = highest(butFive);
        const int hbValue = r.value[static_cast<size_t>(hbRank)];
        const int highValue = s.winner == NoSeat ? 0 : plain[s.trick[s.winner]];
        const bool beatsHigh = hbValue > highValue;
        const bool clearOfPartner = hbValue - plain[partnerCard] >= 2;
        const bool aroundBidder = seat == ((s.bidder + 3) & 3) ||
                                  (seat == ((s.bidder + 2) & 3) && hbValue >= AceOfHeartsValue);
        if (aroundBidder && beatsHigh && clearOfPartner)
            choice = r.slotOf[static_cast<size_t>(hbRank)];
    }
    return choice;
}

// The ranks of the seat's cards still in hand.
unsigned heldRanks(const HandState& s, int seat) {
    const SeatRanks& r = s.ranks[static_cast<size_t>(seat)];
    const unsigned held = s.held[static_cast<size_t>(seat)];
    unsigned ranks = 0;
#pragma GCC unroll 5
    for (size_t k = 0; k < 5; ++k)
        ranks |= ((held >> k) & 1u) << r.rankOf[k];
    return ranks;
}

} // namespace

int standardSlot(const HandState& s, int seat) {
    return chooseStandard(s, seat, heldRanks(s, seat));
}

namespace {

[[gnu::always_inline]] inline void play(HandState& s, int slot) {
    const auto seat = static_cast<size_t>(s.turn);
    const std::uint8_t card = s.cards[seat][static_cast<size_t>(slot)];
    s.held[seat] = static_cast<std::uint8_t>(s.held[seat] & ~(1u << slot));
    s.trick[seat] = card;
    if (s.trickCount == 0)
        s.led = card;
    const std::uint8_t* row =
        detail::cardValues.value[s.trump][detail::leadIndex(playout::ledSuit(s))];
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
    std::array<unsigned, 4> ranks{};
    for (int seat = 0; seat < 4; ++seat)
        ranks[static_cast<size_t>(seat)] = heldRanks(s, seat);
    while (!s.over()) {
        const auto seat = static_cast<size_t>(s.turn);
        const int slot = chooseStandard(s, s.turn, ranks[seat]);
        ranks[seat] &= ~(1u << s.ranks[seat].rankOf[static_cast<size_t>(slot)]);
        play(s, slot);
    }
}

} // namespace corvane::playout
