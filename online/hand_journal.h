// What every seat at the table has been told of the hand under way, in order. A person who sits
// down during the hand is told the same, so that their table stands where every other seat's
// does: their cards, the bids, trump, the tricks and the cards on the table.
#pragma once

#include "protocol/messages.h"

#include <vector>

namespace corvane::online {

class HandJournal {
public:
    // A message the host sent to every seat: the deal starts the hand afresh, and of the rest
    // only the steps of the hand are kept (names, chat and turns are told as they stand).
    void note(const protocol::PlayerDownMessage& message);
    void clear() { m_told.clear(); }

    const std::vector<protocol::PlayerDownMessage>& told() const { return m_told; }

private:
    std::vector<protocol::PlayerDownMessage> m_told;
};

} // namespace corvane::online
