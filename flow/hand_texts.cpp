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

} // namespace corvane::handText
