// What a hand showed that the table itself does not keep: the cards each seat held before the
// discard (the bidder also saw the kitty), and the plays in their order, trick by trick. A
// computer seat that reasons about the unseen cards reads its own part of it.
#pragma once

#include "cards/card.h"

#include <array>
#include <cstdint>

namespace corvane {

struct Table;

// A set of cards as bits: bit n is card number n (1-52).
using CardSet = std::uint64_t;
constexpr CardSet cardBit(int number) {
    return CardSet{1} << number;
}

// Over the game so far, by seat: the hands it played to the end, and those in which it played a
// card the computer's fixed rules would not have played from its hand.
struct SeatHabits {
    std::array<std::uint8_t, 4> handsPlayed{};
    std::array<std::uint8_t, 4> handsOffRule{};
};

struct HandRecord {
    std::array<CardSet, 4> seenBeforeDraw{}; // by seat (host numbering)
    std::array<Card, 20> plays{};
    std::array<std::uint8_t, 20> playSeats{};
    int playCount = 0;
    // What the game so far shows of each seat, kept from hand to hand.
    SeatHabits habits;

    // A new hand of the same game.
    void clear() { *this = HandRecord{.habits = habits}; }
    void newGame() { *this = HandRecord{}; }
    // The hands as they stand before the bidder takes the kitty: every seat's five cards, and the
    // kitty for the bidder.
    void noteHandsBeforeDraw(const Table& table);
    void notePlay(int seat, Card card);
    // Counts a hand played to its end, every card now face up, into the game's figures.
    void noteHandEnd(const Table& table);
};

} // namespace corvane
