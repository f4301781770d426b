// The score of a hand from the units its tricks were worth: what the bidders counted, whether
// they made their bid, and both partnerships' scores after it. Every table scores through it, and
// the record reader checks a recorded hand against it.
#pragma once

#include <array>

namespace corvane {

struct HandScore {
    int counted = 0; // the bidders' units, five points each
    bool made = false;
    int points = 0; // the bidders' gain when made, else the bid they go down by
    std::array<int, 2> scores{};
    bool gameWon = false; // the bidders passed 115: their score shows 120
};

// `bidderSide` is the bidders' partnership (0 for seats 0 and 2), `scores` those before the hand.
HandScore scoreHand(int bid, int bidderSide, int bidderUnits, int opponentUnits,
                    std::array<int, 2> scores);

} // namespace corvane
