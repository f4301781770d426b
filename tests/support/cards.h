// The tests' short card names: card("5H"), cards("5H JH 2S 10C AS"), the inverse of shortName().
// A malformed name throws, so a slip in a test fails loudly.
#pragma once

#include "cards/card.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::testing {

inline int suitLetter(char letter) {
    switch (letter) {
    case 'S':
        return Spades;
    case 'D':
        return Diamonds;
    case 'C':
        return Clubs;
    case 'H':
        return Hearts;
    default:
        throw std::invalid_argument(std::string("no suit ") + letter);
    }
}

// "5H", "10C", "AS", "JD", "QC", "KH": the inverse of shortName().
inline Card card(std::string_view name) {
    if (name.size() < 2 || name.size() > 3)
        throw std::invalid_argument("no card " + std::string(name));
    const std::string face(name.substr(0, name.size() - 1));
    const int suit = suitLetter(name.back());
    for (int f = Ace; f <= King; ++f)
        if (shortName(Card::of(f, Spades)) == face + "S")
            return Card::of(f, suit);
    throw std::invalid_argument("no card " + std::string(name));
}

inline std::vector<Card> cards(std::string_view names) {
    std::vector<Card> out;
    std::istringstream in{std::string(names)};
    for (std::string word; in >> word;)
        out.push_back(card(word));
    return out;
}

} // namespace corvane::testing
