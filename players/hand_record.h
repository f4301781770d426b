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

struct HandRecord {
    std::array<CardSet, 4> seenBeforeDraw{}; // by seat (host numbering)
    std::array<Card, 20> plays{};
    std::array<std::uint8_t, 20> playSeats{};
    int playCount = 0;

    void clear() { *this = HandRecord{}; }
    // The hands as they stand before the bidder takes the kitty: every seat's five cards, and the
    // kitty for the bidder.
    void noteHandsBeforeDraw(const Table& table);
    void notePlay(int seat, Card card);
};

} // namespace corvane
