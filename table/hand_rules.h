// The rules of a hand, written once for every table that runs one (standalone and hosted): the
// bids a seat may make, the auction's steps and end, the dealer's hold, the draw, the trick's
// winner and credit, and the hand's count and score.
#pragma once

#include "table/table.h"

#include <array>
#include <span>

namespace corvane {

// The bids `seat` may make now, as the bid dialog enables them: Pass, 20, 25, 30. A bid must be
// above the high bid (the dealer may also hold it), and without a Five in hand 25 and 30 need
// the rule "Must have 5 to bid 25" off.
std::array<bool, 4> allowedBids(const Table& table, int seat);

// Whether a bid of `points` may follow the high bid: above it, or equal to it for the dealer, who
// may hold.
constexpr bool bidRaises(int points, int highBid, bool byDealer) {
    return byDealer ? points >= highBid : points > highBid;
}

// The four seats' bids of this hand, by seat.
using SeatBids = std::array<Bid, 4>;

// Whether the bids made end the auction: the three seats after the dealer passed, the high
// bidder or the dealer passed, or the dealer's bid stands above the other three.
bool auctionOver(int dealer, int bidder, const SeatBids& bids);
bool auctionOver(const Table& table);

// Who plays the contract once the auction is over: the high bidder, or the dealer who held the
// bid when the high bidder passed it back.
int contractSeat(int dealer, int bidder, const SeatBids& bids);

// The auction's next step once a bid is made: the next seat to bid (into `bidTurnSeat`), the
// end of the auction, or a misdeal when all four passed.
enum class AuctionStep { Ask, End, Misdeal };
AuctionStep nextAuctionStep(Table& table);

// At the auction's end the dealer holds the bid when the high bidder passed after the hold.
void settleBidder(Table& table);

// The deck places of the stock follow the 23 dealt cards. A standalone table hands the stock out
// from the left of the local seat, a host in picture order.
constexpr int standaloneStockPlace(int picture) {
    return 23 + (picture + 5) % 20;
}
constexpr int hostStockPlace(int picture) {
    return 23 + picture;
}

// The stock card at `deckPlace` replaces a thrown card on `picture`: face up at its home.
void drawFromStock(Table& table, int picture, int deckPlace);
// After the draw: the highest trump out, the trick count cleared, the bidder's left leads.
void startTrickPlay(Table& table);

// The trick's rules on the cards alone, for every table and for whatever checks a record of one.
// The highest trump among `cards` (0 when none is a trump): the trick it wins counts double.
int highestTrump(std::span<const Card> cards, int trumpSuit);
// Whether `card` takes a trick led in `ledSuit` from `best`, the card winning it so far.
inline bool beatsInTrick(Card card, Card best, int trumpSuit, int ledSuit) {
    return CardValue(card, trumpSuit, ledSuit) > CardValue(best, trumpSuit, ledSuit);
}
// A won trick's units: two when its winning card is the highest trump out, else one.
inline int trickUnits(Card winner, int trumpSuit, int topTrumpOut) {
    return CardValue(winner, trumpSuit) == topTrumpOut ? 2 : 1;
}

// A card played into the trick: the winner so far and the count of cards. True when it was the
// fourth.
bool takeIntoTrick(Table& table, int picture);
// The finished trick's winner is credited: two units for the highest trump out, else one. The
// winner leads next.
struct TrickCredit {
    int seat = NoSeat;
    int units = 0;
};
TrickCredit creditTrick(Table& table);

// The hand's count and its score: the bidders' and the opponents' points, made or gone down,
// the game's scores after it and whether it won the game.
struct HandScore {
    int counted = 0;
    int opponentsCounted = 0;
    bool made = false;
    int points = 0; // what the bidders gain when made, or lose
    std::array<int, 2> scores{};
    bool gameWon = false; // the bidders passed 115: their score shows 120
};
// `bidderSide` is the bidders' partnership (0 for seats 0 and 2), `scores` those before the hand.
// A bid of 30 made is worth 60; the opponents' count is capped at 115, so only a bidding side
// can win the game.
HandScore scoreHand(int bid, int bidderSide, int bidderUnits, int opponentUnits,
                    std::array<int, 2> scores);
// The table's hand scored by its contract seat's tricks, its scores updated.
HandScore scoreHand(Table& table);

} // namespace corvane
