// How a computer seat chooses its card: it looks only at its own five cards and the cards already
// in the trick, and works entirely with rank values. The hint asks the same question for seat 0.
#pragma once

namespace corvane {

struct Table;

// The seat's unplayed card with the greatest value under trump and the led suit (ties: earlier).
int HighestCard(const Table& table, int seat, int trumpSuit);

// The same, leaving out the Five of trumps.
int HighestCardButFive(const Table& table, int seat, int trumpSuit);

// The picture index of the card `seat` plays. `highCard` is the card winning the trick so far
// (-1 when the trick is empty). An unplayed card of the seat; -1 only when it has none left.
int ChooseCard(const Table& table, int seat, int trumpSuit, int highCard);

} // namespace corvane
