// The playout kernel's view of the table's hand as it stands: the seats' cards, the trick, the
// units so far, prepared for playing out.
#pragma once

#include "players/playout.h"

namespace corvane {

struct Table;

inline constexpr int EverySeat = -1;

// With `viewer` EverySeat, every hand (for checking, or for whoever may see all cards); with a
// seat, only what that seat sees: its own cards and those played, the others' left 0.
playout::HandState handStateFromTable(const Table& table, int viewer = EverySeat);

} // namespace corvane
