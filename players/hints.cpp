#include "players/hints.h"

#include "cards/card.h"
#include "players/bid_evaluation.h"
#include "players/card_play.h"
#include "table/table.h"

namespace corvane {

BidHint bidHint(const Table& table) {
    int highBid = table.highBid;
    int bidder = table.bidderSeat;
    BidHint hint;
    hint.bid = BidEvaluation(table, 0, 4, highBid, bidder, hint.suit, table.dealerSeat, 0);
    return hint;
}

int cardHint(const Table& table) {
    return ChooseCard(table, 0, table.trumpSuit, table.trickWinnerCard);
}

std::string hintSentence(const Table& table) {
    switch (table.gamePhase) {
    case GamePhase::Idle:
        return "Click Deal to get started.";
    case GamePhase::Bidding: {
        const BidHint hint = bidHint(table);
        if (hint.bid.points() == 0)
            return "I would pass.";
        return "I would go " + hint.bid.word() + " on " + SuitSentenceName(hint.suit);
    }
    case GamePhase::Discard:
        // The local bidder names trump before any button is offered.
        if (table.localChoice == LocalChoice::Trump)
            return "I would name " + SuitSentenceName(bidHint(table).suit);
        return "Use the Auto-discard button.";
    case GamePhase::Play: {
        const int picture = cardHint(table);
        if (picture < 0)
            return NoHintMessage; // every card of the hand is on the table already
        const Card card = table.cardAt(picture);
        return "I would play the " + CardName(card) + " of " + SuitSentenceName(card.suit());
    }
    default:
        return NoHintMessage;
    }
}

} // namespace corvane
