// The playout kernel's view of the table's hand as it stands: every seat's cards, the trick, the
// units so far. It reads every hand, so it is for checking and for whoever may see all cards;
// a computer seat builds its view from what it knows instead (players/deal_sampler.h).
#pragma once

#include "players/playout.h"

namespace corvane {

struct Table;

playout::HandState handStateFromTable(const Table& table);

} // namespace corvane
