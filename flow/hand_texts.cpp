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

std::string timedOutTrump(int suit) {
    return "Time ran out: " + SuitName(suit) + " were named trump for you.";
}

} // namespace corvane::handText
