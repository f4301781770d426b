#include "players/card_play.h"

#include "cards/card_value.h"
#include "table/table.h"

#include <array>

namespace corvane {

namespace {

// The seat's five cards with their values worked out once: the choice compares them many times.
// The comparisons fold value and slot into one key (value * 8 + slot), so that "the lowest, the
// first among equals" is a plain minimum, without a branch the processor must guess.
struct SeatCards {
    SeatCards(const Table& table, int seat, int trump)
        : first(5 * seat),
          ledPicture(table.firstLeadOfHand() ? -1 : table.localPicture(table.ledCard)),
          ledSuit(ledPicture < 0 ? NoLeadSuit : table.CardSuit(ledPicture)), valueOf(trump),
          ledValueOf(trump, ledSuit) {
        for (int k = 0; k < 5; ++k) {
            const auto slot = static_cast<size_t>(k);
            const auto& p = table.picCard[static_cast<size_t>(first + k)];
            unplayed[slot] = p.state != TagState::Played;
            v[slot] = valueOf(p.card);
            vL[slot] = ledValueOf(p.card);
            suit[slot] = p.card.suit();
        }
    }

    // The slot (0-4) of the unplayed card with the greatest vL, -1 when none; ties keep the
    // earlier card.
    int highest(bool withoutFive) const {
        int best = -1;
        for (int k = 0; k < 5; ++k) {
            const auto slot = static_cast<size_t>(k);
            const bool candidate = unplayed[slot] && !(withoutFive && v[slot] == FiveOfTrumpsValue);
            const int key = candidate ? vL[slot] * 8 + (7 - k) : -1;
            best = key > best ? key : best;
        }
        return best < 0 ? -1 : 7 - (best & 7);
    }

    // The cheapest card the computer's rules allow, -1 when they allow none.
    int cheapestLegal(bool mustTrump, bool holdsLed) const {
        constexpr int none = 1 << 30;
        int choice = none;
        for (int k = 0; k < 5; ++k) {
            const auto slot = static_cast<size_t>(k);
            const bool legal = unplayed[slot] && (!mustTrump || isTrumpValue(v[slot])) &&
                               (!holdsLed || suit[slot] == ledSuit);
            const int key = legal ? vL[slot] * 8 + k : none;
            choice = key < choice ? key : choice;
        }
        return choice == none ? -1 : (choice & 7);
    }

    const int first;
    const int ledPicture;
    const int ledSuit;
    const CardValueRow valueOf;
    const CardValueRow ledValueOf;
    std::array<bool, 5> unplayed{};
    std::array<int, 5> v{};
    std::array<int, 5> vL{};
    std::array<int, 5> suit{};
};

// The unplayed card whose value, with `leadSuit` as the led suit, is the lowest at or above
// `from` (values scanned upward, the first card in index order at each value). -1 when none.
int lowestAtOrAbove(const Table& table, const SeatCards& seat, int trump, int from, int leadSuit) {
    int found = -1;
    int foundValue = 0;
    for (int k = 0; k < 5; ++k) {
        if (!seat.unplayed[static_cast<size_t>(k)])
            continue;
        const int value = CardValue(table.cardAt(seat.first + k), trump, leadSuit);
        if (value >= from && value <= FiveOfTrumpsValue && (found == -1 || value < foundValue)) {
            found = seat.first + k;
            foundValue = value;
        }
    }
    return found;
}

int picture(const SeatCards& seat, int slot) {
    return slot == -1 ? -1 : seat.first + slot;
}

} // namespace

int HighestCard(const Table& table, int seat, int trumpSuit) {
    const SeatCards cards(table, seat, trumpSuit);
    return picture(cards, cards.highest(false));
}

int HighestCardButFive(const Table& table, int seat, int trumpSuit) {
    const SeatCards cards(table, seat, trumpSuit);
    return picture(cards, cards.highest(true));
}

int ChooseCard(const Table& table, int seat, int trumpSuit, int highCard) {
    const SeatCards cards(table, seat, trumpSuit);
    const int partner = partnerOf(seat);
    // A picture's value, 0 for no picture (-1).
    const auto v = [&](int pic) { return pic < 0 ? 0 : cards.valueOf(table.cardAt(pic)); };
    const auto vL = [&](int pic) { return pic < 0 ? 0 : cards.ledValueOf(table.cardAt(pic)); };
    const int ledValue = v(cards.ledPicture);
    const auto trickCard = [&](int s) {
        const int host = table.trickSeatCard[static_cast<size_t>(s)];
        return host == -1 ? -1 : table.localPicture(host);
    };

    // 1. The trump obligation; a hand bid at 30 keeps it on every trick.
    bool mustTrump = false;
    for (size_t k = 0; k < 5; ++k) {
        const int v = cards.v[k];
        mustTrump |=
            cards.unplayed[k] & isTrumpValue(v) & ((v < ledValue) | (v < AceOfHeartsValue));
    }
    if (table.highBid < 30 && (table.trickCardCount == 0 || !isTrumpValue(ledValue)))
        mustTrump = false;

    // 2. Following suit, with that option on.
    bool holdsLed = false;
    if (table.mustFollowSuit && ledValue <= 100 && table.trickCardCount != 0) {
        for (size_t k = 0; k < 5; ++k)
            holdsLed |= cards.unplayed[k] & (cards.suit[k] == cards.ledSuit) &
                        (cards.v[k] != AceOfHeartsValue);
    }

    // 3. The cheapest legal card. When the obligation and following suit exclude every card
    // (a 30 bid with "Must follow suit"), the obligation wins, as it does for a person.
    int choice = cards.cheapestLegal(mustTrump, holdsLed);
    if (choice == -1)
        choice = cards.cheapestLegal(mustTrump, false);
    if (choice == -1)
        choice = cards.cheapestLegal(false, false);
    choice = picture(cards, choice);

    // 4. What the others did.
    int oppBest = (seat != table.bidderSeat && table.tricksPlayed == 0) ? FiveOfTrumpsValue : 0;
    for (int k = 0; k < 4; ++k) {
        if (k == seat || k == partner)
            continue;
        const int played = trickCard(k);
        if (played != -1 && vL(played) > oppBest)
            oppBest = vL(played);
    }
    const int partnerCard = trickCard(partner);
    const int partnerValue = partnerCard == -1 ? 0 : vL(partnerCard);

    // 5. The seat can beat the opponents.
    const int bestSlot = cards.highest(false);
    if (bestSlot != -1 && cards.v[static_cast<size_t>(bestSlot)] > oppBest) {
        const int best = picture(cards, bestSlot);
        const int bestSuit = cards.suit[static_cast<size_t>(bestSlot)];
        if (table.trickCardCount == 3) {
            if (partnerValue >= oppBest)
                return choice;
            const int overtake = lowestAtOrAbove(table, cards, trumpSuit, oppBest + 1, bestSuit);
            return overtake != -1 ? overtake : best;
        }
        if (table.drawCount[static_cast<size_t>(partner)] >= 4 || table.trickCardCount != 0 ||
            table.highBid >= 25)
            return best;
        // Leading a 20 bid whose partner drew little: lead the lowest trump, or the best card
        // when no trump is left.
        const int lowTrump = lowestAtOrAbove(table, cards, trumpSuit, 101, bestSuit);
        return lowTrump != -1 ? lowTrump : best;
    }

    // 6. It cannot beat them; on the first trick the seats around the bidder may still go high.
    const int hbSlot = cards.highest(true);
    if (table.tricksPlayed == 0 && hbSlot != -1) {
        const int hbValue = cards.v[static_cast<size_t>(hbSlot)];
        const int bidder = table.bidderSeat;
        const bool beatsHigh = hbValue > v(highCard);
        const bool clearOfPartner = hbValue - v(partnerCard) >= 2;
        if (seat == previousSeat(bidder) && beatsHigh && clearOfPartner)
            choice = picture(cards, hbSlot);
        if (seat == (bidder + 2) % 4 && beatsHigh && clearOfPartner && hbValue >= AceOfHeartsValue)
            choice = picture(cards, hbSlot);
    }
    return choice;
}

} // namespace corvane
