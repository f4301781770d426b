// How a computer seat bids: a fixed rule on its five cards that also picks the suit it would name.
#pragma once

#include "cards/bid.h"
#include "cards/card.h"

#include <span>
#include <string>

namespace corvane {

struct Table;

// The level (0, 20, 25 or 30) and strength of a hand for one suit as trump.
struct SuitAssessment {
    int level = 0;
    int sum = 0;
};
SuitAssessment assessSuit(std::span<const Card> hand, int suit);

// The best level over the four suits and the suit that reaches it (ties: greater sum, then the
// lower suit number).
struct HandAssessment {
    int level = 0;
    int sum = 0;
    int bestSuit = 0;
};
HandAssessment assessHand(std::span<const Card> hand);

// The bid of `seat` holding the cards on pictures firstCard-lastCard: a pass, 20, 25 or 30.
// Updates highBid and highBidder as the auction rules say; bestSuit receives the suit it names.
Bid BidEvaluation(const Table& table, int firstCard, int lastCard, int& highBid, int& highBidder,
                  int& bestSuit, int dealer, int seat);

} // namespace corvane
