// What the table tells the player in its button window, as a value: what happened, with its
// cards, seats and numbers. The window words it in the player's language; english() is the
// wording the traces, the hand records and the tests keep.
#pragma once

#include "cards/card.h"
#include "cards/legal_play.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane {

enum class Said {
    Nothing,
    Made,          // number: the points the bidders count
    WentDown,      // number: the bid
    Misdeal,       // name: the dealer, empty when the local player deals
    TimedOutCard,  // card: played for the person whose time ran out online
    TimedOutTrump, // suit: named for them
    TimedOutBid,   // a pass was bid for them
    TimedOutDiscard,
    PlayedForYou, // cards: the computer's from a hand a person sat down to online
    GameWon,
    GameLost,       // standalone
    GameLostOnline, // as a seated player's view says it
    Whisk,          // a refused card: the rules of legal play
    FollowSuit,
    HintDeal,
    HintPass,
    HintBid,   // number: the bid; suit; reason with its deals in ten
    HintTrump, // suit
    HintAutoDiscard,
    HintCard, // card; reason with its deals in ten
    NoHint,
    WaitingForHand,
    HostGone,
    BidRefused,
    CardRefused,
    ServerUnreachable, // the lobby
    KeyRefused,
    ServerLost,
};

// Why the expert player would bid or play as it hints, out of its sampled deals.
enum class HintReason { None, MadeIn, Takes, PartnerTakes, OnlyCard, GivesLeast };

struct Saying {
    Saying() = default;
    Saying(Said said, int n = 0) : what(said), number(n) {} // NOLINT: a plain saying is its kind
    static Saying withCard(Said said, Card c) {
        Saying s(said);
        s.card = c;
        return s;
    }
    static Saying withSuit(Said said, int suitNumber) {
        Saying s(said);
        s.suit = suitNumber;
        return s;
    }
    static Saying withName(Said said, std::string seatName) {
        Saying s(said);
        s.name = std::move(seatName);
        return s;
    }

    Said what = Said::Nothing;
    int number = 0;
    Card card;
    int suit = -1;
    std::string name;
    HintReason reason = HintReason::None;
    int inTen = 0; // of ten deals, for MadeIn, Takes and PartnerTakes
    std::vector<Card> cards;

    bool operator==(const Saying&) const = default;
};

std::string english(const Saying& saying);

// What the table says of a card the rules refuse.
inline Saying refusalSaying(Refusal refusal) {
    return refusal == Refusal::Whisk ? Said::Whisk : Said::FollowSuit;
}

} // namespace corvane
