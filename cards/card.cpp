#include "cards/card.h"

#include <array>

namespace corvane {

std::string CardName(Card card) {
    switch (card.face()) {
    case Ace:
        return "Ace";
    case Jack:
        return "Jack";
    case Queen:
        return "Queen";
    case King:
        return "King";
    default:
        return std::to_string(card.face());
    }
}

std::string SuitName(int suit) {
    static const std::array<const char*, 4> names{"spades", "diamonds", "clubs", "hearts"};
    return (suit >= 0 && suit < 4) ? names[static_cast<size_t>(suit)] : "";
}

std::string SuitSentenceName(int suit) {
    return SuitName(suit) + ".";
}

std::string shortName(Card card) {
    if (!card.isValid())
        return "--";
    static const char* faces[] = {"",  "A", "2", "3",  "4", "5", "6",
                                  "7", "8", "9", "10", "J", "Q", "K"};
    static const char suits[] = {'S', 'D', 'C', 'H'};
    return std::string(faces[card.face()]) + suits[card.suit()];
}

} // namespace corvane
