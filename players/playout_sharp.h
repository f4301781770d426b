// A sharper card player for the playout kernel than the computer's fixed rules, for the seats the
// Master expects to play well: it reads the deal it is played on, so within a trick it knows
// what the seats after it can still beat, and it plays with its partner rather than past it.
#pragma once

#include "players/playout.h"

namespace corvane::playout {

// The slot the sharper player plays for `seat`, -1 when it holds no card:
// - leading, its lowest trump that no opponent can beat while an opponent holds a trump; when
//   neither opponent holds one, a plain card they cannot beat in its suit, else a trump; otherwise
//   its lowest card;
// - following, nothing over a partner whose card the seats after it cannot beat, the cheapest
//   card that no seat after it can beat when there is one, else its lowest card, which keeps the
//   cards that win later.
int sharpSlot(const HandState& s, int seat);

// The slot of the seat whose turn it is: on sharpSlot() when its bit is set in `sharpSeats`,
// else on the computer's fixed rules.
int mixedSlot(const HandState& s, unsigned sharpSeats);

// Plays the rest of the hand, each card by mixedSlot(); with no sharp seat, as playOutStandard().
void playOutMixed(HandState& s, unsigned sharpSeats);

} // namespace corvane::playout
