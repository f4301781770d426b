// The rules of a hand, for every table.
#include "table/hand_rules.h"

#include <algorithm>

namespace corvane {

std::array<bool, 4> allowedBids(const Table& t, int seat) {
    std::array<bool, 4> enabled{true, true, true, true};
    for (int i = 1; i <= 3; ++i)
        enabled[static_cast<size_t>(i)] =
            bidRaises(Bid::atLevel(i).points(), t.highBid, seat == t.dealerSeat);
    bool five = false;
    for (int slot = 0; slot < 5; ++slot)
        five = five || t.cardAt(t.localPicture(5 * seat + slot)).face() == 5;
    if (!t.anyBidAllowed && !five) {
        enabled[2] = false;
        enabled[3] = false;
    }
    return enabled;
}

bool auctionOver(int d, int bidder, const SeatBids& bids) {
    const auto bid = [&](int seat) { return bids[static_cast<size_t>(seat % 4)]; };
    const bool othersPass = bid(d + 1).isPass() && bid(d + 2).isPass() && bid(d + 3).isPass();
    const bool bidderPassed = bid(bidder).isPass();
    const bool dealerPassed = bid(d).isPass();
    const int dealerValue = bid(d).points();
    const bool othersBelow = bid(d + 1).points() < dealerValue &&
                             bid(d + 2).points() < dealerValue && bid(d + 3).points() < dealerValue;
    return othersPass || bidderPassed || dealerPassed || othersBelow;
}

bool auctionOver(const Table& t) {
    return auctionOver(t.dealerSeat, t.bidderSeat, t.seatBid);
}

int contractSeat(int dealer, int bidder, const SeatBids& bids) {
    const auto points = [&](int seat) { return bids[static_cast<size_t>(seat & 3)].points(); };
    return points(bidder) == 0 && points(dealer) != 0 ? dealer : bidder;
}

AuctionStep nextAuctionStep(Table& t) {
    if (t.bidsMade < 4) {
        t.bidTurnSeat = nextSeat(t.bidTurnSeat);
        return AuctionStep::Ask;
    }
    if (t.highBid == 0)
        return AuctionStep::Misdeal;
    t.bidTurnSeat = t.bidTurnSeat == t.dealerSeat ? t.bidderSeat : t.dealerSeat;
    return auctionOver(t) ? AuctionStep::End : AuctionStep::Ask;
}

void settleBidder(Table& t) {
    t.bidderSeat = contractSeat(t.dealerSeat, t.bidderSeat, t.seatBid);
}

void drawFromStock(Table& t, int picture, int deckPlace) {
    const auto i = static_cast<size_t>(picture);
    const int stockCard = t.deck[static_cast<size_t>(deckPlace)];
    auto& p = t.picCard[i];
    p.card = Card::fromDeckIndex(stockCard);
    t.deck[i] = stockCard;
    p.state = TagState::Up;
    p.position = {t.homeLeft[i], t.homeTop[i]};
    p.visible = true;
}

int highestTrump(std::span<const Card> cards, int trumpSuit) {
    int top = 0;
    for (Card c : cards)
        top = std::max(top, CardValue(c, trumpSuit));
    return top;
}

void startTrickPlay(Table& t) {
    std::array<Card, 20> held{};
    for (int i = 0; i <= 19; ++i)
        held[static_cast<size_t>(i)] = t.cardAt(i);
    t.topTrumpOut = highestTrump(held, t.trumpSuit);
    t.tricksPlayed = 0;
    t.trickCardCount = 0;
    t.trickWinnerCard = -1;
    t.turnSeat = nextSeat(t.bidderSeat);
    t.gamePhase = GamePhase::Play;
}

bool takeIntoTrick(Table& t, int picture) {
    // The lead opens the trick as its winner.
    if (t.trickWinnerCard < 0 ||
        beatsInTrick(t.cardAt(picture), t.cardAt(t.trickWinnerCard), t.trumpSuit, t.ledSuit()))
        t.trickWinnerCard = picture;
    ++t.trickCardCount;
    return t.trickCardCount == 4;
}

TrickCredit creditTrick(Table& t) {
    const int w = t.trickWinnerCard;
    if (w < 0 || w > 19)
        return {};
    const int s = w / 5;
    const int units = trickUnits(t.cardAt(w), t.trumpSuit, t.topTrumpOut);
    t.trickUnits[static_cast<size_t>(s)] += units;
    ++t.tricksWon[static_cast<size_t>(s)];
    t.turnSeat = s;
    return {s, units};
}

HandScore scoreHand(int bid, int bidderSide, int bidderUnits, int opponentUnits,
                    std::array<int, 2> scores) {
    const auto bidders = static_cast<size_t>(bidderSide & 1);
    const auto opponents = 1 - bidders;
    HandScore h;
    h.counted = bidderUnits * 5;
    h.opponentsCounted = opponentUnits * 5;
    h.made = h.counted >= bid;
    h.scores = scores;
    if (h.made) {
        h.points = bid < 30 ? h.counted : 60;
        h.scores[bidders] += h.points;
        if (h.scores[bidders] > 115) {
            h.scores[bidders] = 120;
            h.gameWon = true;
            return h;
        }
    } else {
        h.points = bid;
        h.scores[bidders] -= bid;
    }
    h.scores[opponents] = std::min(h.scores[opponents] + h.opponentsCounted, 115);
    return h;
}

HandScore scoreHand(Table& t) {
    const int b = t.bidderSeat;
    const auto units = [&](int seat) { return t.trickUnits[static_cast<size_t>(seat)]; };
    const HandScore h = scoreHand(t.highBid, b % 2, units(b) + units(partnerOf(b)),
                                  units(nextSeat(b)) + units(previousSeat(b)), t.score);
    t.score = h.scores;
    return h;
}

} // namespace corvane
