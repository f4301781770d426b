#include "players/bid_evaluation.h"

#include "cards/card_value.h"
#include "table/table.h"

#include <array>

namespace corvane {

namespace {
int levelFor(bool five, bool jack, bool ace, bool face, bool aceHearts) {
    if (five && jack && (face || ace || aceHearts))
        return 30;
    if (five && (jack || aceHearts || (ace && face)))
        return 25;
    if (five || (jack && (face || ace || aceHearts)))
        return 20;
    return 0;
}
} // namespace

SuitAssessment assessSuit(std::span<const Card> hand, int suit) {
    bool five = false, jack = false, ace = false, face = false, aceHearts = false;
    int sum = 0;
    for (Card c : hand) {
        if (c.isAceOfHearts())
            aceHearts = true;
        if (c.suit() == suit) {
            five = five || c.face() == 5;
            jack = jack || c.face() == Jack;
            ace = ace || c.face() == Ace;
            face = face || c.face() == King || c.face() == Queen;
        }
        sum += CardValue(c, suit);
    }
    return {levelFor(five, jack, ace, face, aceHearts), sum};
}

HandAssessment assessHand(std::span<const Card> hand) {
    // One pass gathers, for every suit at once, which of the telling cards it holds (a bit per
    // suit) and the hand's strength with that suit as trump.
    unsigned fives = 0, jacks = 0, aces = 0, faces = 0;
    bool aceHearts = false;
    std::array<int, 4> sums{};
    for (Card c : hand) {
        const unsigned bit = 1u << c.suit();
        const int f = c.face();
        fives |= f == 5 ? bit : 0u;
        jacks |= f == Jack ? bit : 0u;
        aces |= f == Ace ? bit : 0u;
        faces |= f >= Queen ? bit : 0u;
        aceHearts = aceHearts || c.isAceOfHearts();
        for (size_t t = 0; t < 4; ++t)
            sums[t] += CardValue(c, static_cast<int>(t));
    }
    HandAssessment best;
    for (int suit = 0; suit < 4; ++suit) {
        const unsigned bit = 1u << suit;
        const int level = levelFor(fives & bit, jacks & bit, aces & bit, faces & bit, aceHearts);
        const int sum = sums[static_cast<size_t>(suit)];
        if (level > best.level || (level == best.level && sum > best.sum))
            best = {level, sum, suit};
    }
    return best;
}

Bid BidEvaluation(const Table& table, int firstCard, int lastCard, int& highBid, int& highBidder,
                  int& bestSuit, int dealer, int seat) {
    Card cards[5];
    size_t count = 0;
    for (int i = firstCard; i <= lastCard && count < 5; ++i)
        cards[count++] = table.cardAt(i);
    const HandAssessment best = assessHand(std::span<const Card>(cards, count));
    bestSuit = best.bestSuit;

    if (seat == dealer) {
        if (best.level == 0 || best.level < highBid)
            return Bid::pass();
        if (highBid == 0) {
            highBid = best.level == 30 ? 30 : 20;
            highBidder = dealer;
            return Bid::of(highBid);
        }
        return Bid::of(highBid); // the dealer holds
    }
    const int startBid = highBid;
    if (best.level > highBid) {
        highBid = best.level;
        highBidder = firstCard / 5;
    }
    return best.level > startBid ? Bid::of(best.level) : Bid::pass();
}

} // namespace corvane
