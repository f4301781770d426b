// The hint: what the computer player would do in the local player's place, in one sentence.
#pragma once

#include "cards/bid.h"
#include "table/saying.h"

#include <string>

namespace corvane {

struct Table;

struct BidHint {
    Bid bid;
    int suit = 0;
};

// The computer's bid for the local hand (pictures 0-4) against the current auction. Leaves the
// table as it was.
BidHint bidHint(const Table& table);

// The card the computer would play from the local hand.
int cardHint(const Table& table);

// The hint's sentence for the table as it stands.
Saying hintSentence(const Table& table);

} // namespace corvane
