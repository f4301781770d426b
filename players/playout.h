// The playout kernel: one hand's trick play as a few small integers, fast enough to play a hand
// out hundreds of thousands of times a second. A seat's cards keep their slots (0-4, the order
// of its pictures), because the computer's choice breaks ties by that order. No labels, no
// positions, no strings: the table's flow and this kernel agree card for card (a test plays
// them side by side).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane::playout {

inline constexpr std::uint8_t NoSeat = 0xFF;

// One seat's five cards ranked by their value under trump, rank 0 the lowest and equal values in
// slot order, with the groups the computer's rules ask about as masks of ranks. A led suit only
// lifts that suit's plain cards above the other plain ones, so the lowest or highest card of any
// group under any lead is one bit scan.
struct SeatRanks {
    std::array<std::uint8_t, 8> slotOf{};    // the slot of each rank
    std::array<std::uint8_t, 8> value{};     // the value under trump of each rank
    std::array<std::uint8_t, 8> sameValue{}; // the ranks whose value equals this rank's
    std::array<std::uint8_t, 4> suit{};      // the ranks of each suit (the Ace of hearts a heart)
    std::uint8_t trumps = 0;                 // the ranks of trumps, the Ace of hearts among them
    std::uint8_t aceOfHearts = 0;
    std::uint8_t five = 0;                // the Five of trumps
    std::array<std::uint8_t, 5> rankOf{}; // the rank of each slot
};

struct HandState {
    // The rules of the hand.
    std::uint8_t trump = 0;
    std::uint8_t highBid = 0;
    std::uint8_t bidder = 0;
    bool mustFollowSuit = false;
    std::uint8_t topTrump = 0; // the highest value held after the draw: its trick counts twice
    std::array<std::uint8_t, 4> drawCount{};

    // The cards: card numbers 1-52 by seat and slot, and a bit per slot still in hand.
    std::array<std::array<std::uint8_t, 5>, 4> cards{};
    std::array<std::uint8_t, 4> held{};
    // Worked out from the cards by prepare(): each seat's cards ranked by value under trump.
    std::array<SeatRanks, 4> ranks{};

    // The trick on the table.
    // The card each seat last played, 0 for none: a seat that has not played to this trick yet
    // still shows its card of the last one, and the computer's rules read it as the table does.
    std::array<std::uint8_t, 4> trick{};
    std::uint8_t led = 0;         // the last card led, kept until the next lead; 0 for none
    std::uint8_t winner = NoSeat; // the seat winning the trick so far
    std::uint8_t trickCount = 0;
    std::uint8_t tricksPlayed = 0;
    std::uint8_t turn = 0;

    std::array<std::uint8_t, 4> units{}; // units taken this hand, by seat

    bool over() const { return tricksPlayed >= 5; }
};

// The suit of the card led, -1 when there is none.
constexpr int ledSuit(const HandState& s) {
    return s.led == 0 ? -1 : (s.led - 1) / 13;
}

// Fills in the values and suits of the cards, and the top trump (the highest value among the
// twenty cards: every slot, played or not, holds a card held after the draw). Call it whenever
// the cards or the trump change.
void prepare(HandState& s);

// Slots (bits 0-4) of `seat`'s cards that a person may play now: the trump obligation and, with
// that rule on, following suit. The table's own legality test gives the same answer.
unsigned legalSlots(const HandState& s, int seat);

// The slot the computer's fixed card rules play for `seat`, -1 when it holds no card.
int standardSlot(const HandState& s, int seat);

// Plays the card in `slot` for the seat whose turn it is: the trick's winner so far, and after
// the fourth card the units, the next leader and a cleared trick.
void playSlot(HandState& s, int slot);

// The seat whose card wins a complete or partial trick (NoSeat for an empty one).
inline int trickWinner(const HandState& s) {
    return s.winner;
}

// Plays the rest of the hand, every seat choosing by `policy(state, seat)` -> slot.
template <typename Policy> void playOut(HandState& s, Policy&& policy) {
    while (!s.over())
        playSlot(s, policy(static_cast<const HandState&>(s), static_cast<int>(s.turn)));
}

// The rest of the hand with every seat on the computer's fixed rules.
void playOutStandard(HandState& s);

// The units of a partnership (seat % 2) once the hand is over.
inline int partnershipUnits(const HandState& s, int partnership) {
    return s.units[static_cast<std::size_t>(partnership & 1)] +
           s.units[static_cast<std::size_t>((partnership & 1) + 2)];
}

} // namespace corvane::playout
