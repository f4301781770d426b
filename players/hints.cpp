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

Saying hintSentence(const Table& table) {
    switch (table.gamePhase) {
    case GamePhase::Idle:
        return Said::HintDeal;
    case GamePhase::Bidding: {
        const BidHint hint = bidHint(table);
        if (hint.bid.points() == 0)
            return Said::HintPass;
        Saying s = Saying::withSuit(Said::HintBid, hint.suit);
        s.number = hint.bid.points();
        return s;
    }
    case GamePhase::Discard:
        // The local bidder names trump before any button is offered.
        if (table.localChoice == LocalChoice::Trump)
            return Saying::withSuit(Said::HintTrump, bidHint(table).suit);
        return Said::HintAutoDiscard;
    case GamePhase::Play: {
        const int picture = cardHint(table);
        if (picture < 0)
            return Said::NoHint; // every card of the hand is on the table already
        return Saying::withCard(Said::HintCard, table.cardAt(picture));
    }
    default:
        return Said::NoHint;
    }
}

} // namespace corvane
