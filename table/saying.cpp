// The English wording of the table's sayings: the one the traces and hand records keep.
#include "table/saying.h"

namespace corvane {

namespace {

std::string reasonText(const Saying& s) {
    const std::string inTen = std::to_string(s.inTen) + " of 10 deals.";
    switch (s.reason) {
    case HintReason::MadeIn:
        return "made in " + inTen;
    case HintReason::Takes:
        return "it takes the trick in " + inTen;
    case HintReason::PartnerTakes:
        return "partner takes it in " + inTen;
    case HintReason::OnlyCard:
        return "it is the only card allowed.";
    case HintReason::GivesLeast:
        return "it gives least away.";
    case HintReason::None:
        break;
    }
    return {};
}

// The standard hint ends with the suit's full stop; the expert's goes on with its reason.
std::string suitThenReason(const Saying& s, int suit) {
    return s.reason == HintReason::None ? SuitSentenceName(suit)
                                        : SuitName(suit) + ": " + reasonText(s);
}

} // namespace

std::string english(const Saying& s) {
    switch (s.what) {
    case Said::Nothing:
        return {};
    case Said::Made:
        return "Count " + std::to_string(s.number) + " points.";
    case Said::WentDown:
        return "Bidder goes down " + std::to_string(s.number) + ".";
    case Said::Misdeal:
        return s.name.empty() ? std::string("You called for a misdeal.")
                              : s.name + " calls for a misdeal.";
    case Said::TimedOutCard:
        return "Time ran out: the " + CardName(s.card) + " of " + SuitName(s.card.suit()) +
               " was played for you.";
    case Said::TimedOutTrump:
        return "Time ran out: " + SuitName(s.suit) + " were named trump for you.";
    case Said::TimedOutBid:
        return "Time ran out: a pass was bid for you.";
    case Said::TimedOutDiscard:
        return "Time ran out: your cards were thrown away for you.";
    case Said::PlayedForYou: {
        std::string text = "The computer played for you: ";
        for (size_t i = 0; i < s.cards.size(); ++i) {
            if (i > 0)
                text += i + 1 == s.cards.size() ? " and " : ", ";
            text += "the " + CardName(s.cards[i]) + " of " + SuitName(s.cards[i].suit());
        }
        return text + ".";
    }
    case Said::GameWon:
        return "You're not easy!";
    case Said::GameLost:
        return "She's gone, b'y.";
    case Said::GameLostOnline:
        return "She's gone b'y.";
    case Said::Whisk:
        return "There's a whisk to the board.";
    case Said::FollowSuit:
        return "You have to follow suit.";
    case Said::HintDeal:
        return "Click Deal to get started.";
    case Said::HintPass:
        return "I would pass.";
    case Said::HintBid:
        return "I would go " + std::to_string(s.number) + " on " + suitThenReason(s, s.suit);
    case Said::HintTrump:
        return "I would name " + SuitSentenceName(s.suit);
    case Said::HintAutoDiscard:
        return "Use the Auto-discard button.";
    case Said::HintCard:
        return "I would play the " + CardName(s.card) + " of " + suitThenReason(s, s.card.suit());
    case Said::NoHint:
        return "I got nothing.";
    case Said::WaitingForHand:
        return "Waiting for next hand...";
    case Said::HostGone:
        return "Your host has disconnected.";
    case Said::BidRefused:
        return "The host refused that bid.";
    case Said::CardRefused:
        return "The host refused that card.";
    case Said::ServerUnreachable:
        return "Could not connect to Corvane Server.";
    case Said::KeyRefused:
        return "The Corvane Server refused that key.";
    case Said::ServerLost:
        return "Lost the connection to the Corvane Server.";
    }
    return {};
}

} // namespace corvane
