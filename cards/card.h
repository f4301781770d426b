// A playing card as the game numbers it: card numbers 1 to 52 in four blocks of thirteen
// (spades, diamonds, clubs, hearts), faces 1 (Ace) to 13 (King), and the names used in messages.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

enum Suit : int { Spades = 0, Diamonds = 1, Clubs = 2, Hearts = 3 };

enum Face : int { Ace = 1, Jack = 11, Queen = 12, King = 13 };

constexpr bool isRedSuit(int suit) {
    return suit == Diamonds || suit == Hearts;
}

// A card number 1-52. Value 0 is "no card" (an empty picture).
class Card {
public:
    constexpr Card() = default;
    static constexpr Card fromNumber(int number) { return Card(number); }
    static constexpr Card fromDeckIndex(int deckIndex) { return Card(deckIndex + 1); }
    static constexpr Card of(int face, int suit) { return Card(suit * 13 + face); }

    constexpr int number() const { return m_number; }
    constexpr int deckIndex() const { return m_number - 1; }
    constexpr int suit() const { return (m_number - 1) / 13; }
    constexpr int face() const { return (m_number - 1) % 13 + 1; }
    constexpr bool isValid() const { return m_number >= 1 && m_number <= 52; }
    constexpr bool isAceOfHearts() const { return m_number == 40; }

    constexpr bool operator==(const Card&) const = default;

private:
    constexpr explicit Card(int number) : m_number(static_cast<std::uint8_t>(number)) {}
    std::uint8_t m_number = 0;
};

inline constexpr Card AceOfHearts = Card::of(Ace, Hearts);

// "Ace", "Jack", "Queen", "King", or the number 2-10.
std::string CardName(Card card);

// "spades.", "diamonds.", "clubs.", "hearts." (with the full stop, as sentences end with it).
std::string SuitSentenceName(int suit);

// "spades", "diamonds", ... without punctuation.
std::string SuitName(int suit);

// Short form for logs and tools: "5H", "10C", "AS".
std::string shortName(Card card);

} // namespace corvane
