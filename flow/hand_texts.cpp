// The end-of-hand and misdeal texts.
#include "flow/hand_texts.h"

namespace corvane::handText {

std::string made(int points) {
    return "Count " + std::to_string(points) + " points.";
}

std::string wentDown(int bid) {
    return "Bidder goes down " + std::to_string(bid) + ".";
}

std::string misdeal(const std::string& dealer) {
    return dealer.empty() ? std::string("You called for a misdeal.")
                          : dealer + " calls for a misdeal.";
}

std::string timedOutCard(Card card) {
    return "Time ran out: the " + CardName(card) + " of " + SuitName(card.suit()) +
           " was played for you.";
}

std::string playedForYou(const std::vector<Card>& cards) {
    std::string text = "The computer played for you: ";
    for (size_t i = 0; i < cards.size(); ++i) {
        if (i > 0)
            text += i + 1 == cards.size() ? " and " : ", ";
        text += "the " + CardName(cards[i]) + " of " + SuitName(cards[i].suit());
    }
    return text + ".";
}

std::string timedOutTrump(int suit) {
    return "Time ran out: " + SuitName(suit) + " were named trump for you.";
}

} // namespace corvane::handText
