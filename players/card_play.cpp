#include "players/card_play.h"

#include "cards/card_value.h"
#include "table/table.h"

namespace corvane {

namespace {

class SeatView {
public:
    SeatView(const Table& table, int seat, int trump)
        : t(table), seat(seat), trump(trump),
          ledPicture(table.localPicture(table.ledCard)),
          ledSuit(table.CardSuit(ledPicture)) {}

    int first() const { return 5 * seat; }
    bool unplayed(int i) const { return t.CardState(i) != TagState::Played; }
    int v(int picture) const { return t.CardValue(picture, trump); }
    int vL(int picture) const { return t.CardValue(picture, trump, ledSuit); }
    // A trick card of another seat, turned to this table's pictures; -1 when none.
    int trickCard(int s) const {
        const int host = t.trickSeatCard[static_cast<size_t>(s)];
        return host == -1 ? -1 : t.localPicture(host);
    }
    bool isTrump(int i) const { return t.CardSuit(i) == trump || t.cardAt(i).isAceOfHearts(); }

    // The first unplayed card of the hand whose value, with `leadSuit` as the led suit, is the
    // lowest in from..114. -1 when none.
    int lowestAtOrAbove(int from, int leadSuit) const {
        for (int value = from; value <= FiveOfTrumpsValue; ++value)
            for (int i = first(); i < first() + 5; ++i)
                if (unplayed(i) && t.CardValue(i, trump, leadSuit) == value)
                    return i;
        return -1;
    }

    const Table& t;
    const int seat;
    const int trump;
    const int ledPicture;
    const int ledSuit;
};

int highest(const SeatView& view, bool withoutFive) {
    int best = -1;
    for (int i = view.first(); i < view.first() + 5; ++i) {
        if (!view.unplayed(i) || (withoutFive && view.v(i) == FiveOfTrumpsValue))
            continue;
        if (best == -1 || view.vL(i) > view.vL(best))
            best = i;
    }
    return best;
}

// The cheapest card the computer's rules allow, -1 when they allow none.
int cheapestLegal(const SeatView& view, bool mustTrump, bool holdsLed) {
    int choice = -1;
    for (int i = view.first(); i < view.first() + 5; ++i) {
        if (!view.unplayed(i))
            continue;
        if (mustTrump && !view.isTrump(i))
            continue;
        if (holdsLed && view.t.CardSuit(i) != view.ledSuit)
            continue;
        if (choice == -1 || view.vL(i) < view.vL(choice))
            choice = i;
    }
    return choice;
}

} // namespace

int HighestCard(const Table& table, int seat, int trumpSuit) {
    return highest(SeatView(table, seat, trumpSuit), false);
}

int HighestCardButFive(const Table& table, int seat, int trumpSuit) {
    return highest(SeatView(table, seat, trumpSuit), true);
}

int ChooseCard(const Table& table, int seat, int trumpSuit, int highCard) {
    const SeatView view(table, seat, trumpSuit);
    const int partner = partnerOf(seat);
    const int ledValue = view.v(view.ledPicture);

    // 1. The trump obligation; a hand bid at 30 keeps it on every trick.
    bool mustTrump = false;
    for (int i = view.first(); i < view.first() + 5; ++i) {
        if (view.unplayed(i) && view.isTrump(i) &&
            (view.v(i) < ledValue || view.v(i) < AceOfHeartsValue))
            mustTrump = true;
    }
    if (table.highBid < 30 && (table.trickCardCount == 0 || !isTrumpValue(ledValue)))
        mustTrump = false;

    // 2. Following suit, with that option on.
    bool holdsLed = false;
    if (table.mustFollowSuit) {
        for (int i = view.first(); i < view.first() + 5; ++i)
            if (view.unplayed(i) && table.CardSuit(i) == view.ledSuit &&
                !table.cardAt(i).isAceOfHearts())
                holdsLed = true;
        if (ledValue > 100 || table.trickCardCount == 0)
            holdsLed = false;
    }

    // 3. The cheapest legal card. When the obligation and following suit exclude every card
    // (a 30 bid with "Must follow suit"), the obligation wins, as it does for a person.
    int choice = cheapestLegal(view, mustTrump, holdsLed);
    if (choice == -1)
        choice = cheapestLegal(view, mustTrump, false);
    if (choice == -1)
        choice = cheapestLegal(view, false, false);

    // 4. What the others did.
    int oppBest = (seat != table.bidderSeat && table.tricksPlayed == 0) ? FiveOfTrumpsValue : 0;
    for (int k = 0; k < 4; ++k) {
        if (k == seat || k == partner)
            continue;
        const int played = view.trickCard(k);
        if (played != -1 && view.vL(played) > oppBest)
            oppBest = view.vL(played);
    }
    const int partnerCard = view.trickCard(partner);
    const int partnerValue = partnerCard == -1 ? 0 : view.vL(partnerCard);

    // 5. The seat can beat the opponents.
    const int best = highest(view, false);
    if (view.v(best) > oppBest) {
        const int bestSuit = table.CardSuit(best);
        if (table.trickCardCount == 3) {
            if (partnerValue >= oppBest)
                return choice;
            const int overtake = view.lowestAtOrAbove(oppBest + 1, bestSuit);
            return overtake != -1 ? overtake : best;
        }
        if (table.drawCount[static_cast<size_t>(partner)] >= 4 || table.trickCardCount != 0 ||
            table.highBid >= 25)
            return best;
        // Leading a 20 bid whose partner drew little: lead the lowest trump, or the best card
        // when no trump is left.
        const int lowTrump = view.lowestAtOrAbove(101, bestSuit);
        return lowTrump != -1 ? lowTrump : best;
    }

    // 6. It cannot beat them; on the first trick the seats around the bidder may still go high.
    const int hb = highest(view, true);
    if (table.tricksPlayed == 0 && hb != -1) {
        const int bidder = table.bidderSeat;
        const int partnerPlayed = view.v(partnerCard);
        const bool beatsHigh = view.v(hb) > view.v(highCard);
        const bool clearOfPartner = view.v(hb) - partnerPlayed >= 2;
        if (seat == previousSeat(bidder) && beatsHigh && clearOfPartner)
            choice = hb;
        if (seat == (bidder + 2) % 4 && beatsHigh && clearOfPartner &&
            view.v(hb) >= AceOfHeartsValue)
            choice = hb;
    }
    return choice;
}

} // namespace corvane
