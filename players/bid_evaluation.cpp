#include "players/bid_evaluation.h"

#include <vector>

#include "cards/card_value.h"
#include "table/table.h"

namespace corvane {

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
    int level = 0;
    if (five && jack && (face || ace || aceHearts))
        level = 30;
    else if (five && (jack || aceHearts || (ace && face)))
        level = 25;
    else if (five || (jack && (face || ace || aceHearts)))
        level = 20;
    return {level, sum};
}

HandAssessment assessHand(std::span<const Card> hand) {
    HandAssessment best;
    for (int suit = 0; suit < 4; ++suit) {
        const SuitAssessment a = assessSuit(hand, suit);
        if (a.level > best.level || (a.level == best.level && a.sum > best.sum))
            best = {a.level, a.sum, suit};
    }
    return best;
}

std::string BidEvaluation(const Table& table, int firstCard, int lastCard, int& highBid,
                          int& highBidder, int& bestSuit, int dealer, int seat) {
    Card cards[5];
    size_t count = 0;
    for (int i = firstCard; i <= lastCard && count < 5; ++i)
        cards[count++] = table.cardAt(i);
    const HandAssessment best = assessHand(std::span<const Card>(cards, count));
    bestSuit = best.bestSuit;

    if (seat == dealer) {
        if (best.level == 0 || best.level < highBid)
            return "Pass";
        if (highBid == 0) {
            highBid = best.level == 30 ? 30 : 20;
            highBidder = dealer;
            return std::to_string(highBid);
        }
        return std::to_string(highBid); // the dealer holds
    }
    const int startBid = highBid;
    if (best.level > highBid) {
        highBid = best.level;
        highBidder = firstCard / 5;
    }
    return best.level > startBid ? std::to_string(best.level) : "Pass";
}

} // namespace corvane
