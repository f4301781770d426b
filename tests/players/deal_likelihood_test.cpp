// How much a deal weighs given the draw counts, the bid and the plays, as seat 0 reads them:
// a seat kept its trumps (more trumps, more ways to have kept them), the bidder's trumps reach
// its bid, every card played and every bid is the computer's rule's; each stray costs a factor.
#include "players/deal_likelihood.h"
#include "players/hand_snapshot.h"
#include "tests/support/table_row.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::card;

const PlayModel model{0.5, 0.25, 0.125, 0.0625};

struct DealRow {
    const char* name;
    const char* table; // seats 2 and 3 hold no trump and drew five
    const char* plays; // SEAT:CARD ...
    double weight;
};

// clang-format off
const DealRow dealRows[] = {
    {"two trumps kept of two", "bid 20 by 0; drawn 0 3 5 5; 1: 2H 3H 4S 5S 6S", "", 1},
    {"two kept of three trumps", "bid 20 by 0; drawn 0 3 5 5; 1: 2H 3H 4H 5S 6S", "", 3},
    {"a plain card kept", "bid 20 by 0; drawn 0 3 5 5; 1: 2H 3S 4S 5S 6S", "", 0.25},
    {"the bidder holds its 25", "bid 25 by 1; drawn 0 5 5 5; 1: 5H JH 4S 5S 6S", "", 1},
    {"the bidder's 25 without the Five", "bid 25 by 1; drawn 0 5 5 5; 1: 7H JH 4S 5S 6S", "",
     0.125},
    {"the rule's lead, the lowest", "bid 20 by 0; drawn 0 5 5 5; 1: 3D 4D 5D 6D ~ 2D", "1:2D", 1},
    {"a lead the rule would not make", "bid 20 by 0; drawn 0 5 5 5; 1: 2D 3D 4D 5D ~ KD", "1:KD",
     0.5},
};
// clang-format on

TEST(DealLikelihood, WeighsADealByTheDrawTheBidAndThePlays) {
    for (const DealRow& r : dealRows) {
        const Table t = testing::tableRow(std::string("trump H; turn 1; ") + r.table +
                                          "; 2: 7S 8S 9S 10S JS; 3: 2C 3C 4C 5C 6C");
        HandRecord record;
        std::istringstream plays(r.plays);
        for (std::string play; plays >> play;)
            record.notePlay(play[0] - '0', card(play.substr(2)));
        const double weight =
            dealLikelihood(handHistory(t, record, 0), handStateFromTable(t), model);
        EXPECT_DOUBLE_EQ(weight, r.weight) << r.name;
    }
}

struct AuctionRow {
    const char* name;
    const char* hand; // seat 1's, the dealer's left
    int bid;
    double weight;
};

const AuctionRow auctionRows[] = {
    {"25 from a hand the rule bids 25", "5H JH 4S 8S 9C", 25, 1},
    {"25 from a hand without a Five", "7H JH 4S 8S 9C", 25, 0.0625},
    {"a pass from a hand the rule bids 20", "5H 2S 4S 8S 9C", 0, 0.0625},
    {"a pass from a hand of nothing", "7H 2S 4S 8S 9C", 0, 1},
};

TEST(DealLikelihood, WeighsTheHandsByTheBidsMade) {
    for (const AuctionRow& r : auctionRows) {
        AuctionHistory auction;
        auction.seats[0] = 1;
        auction.bids[0] = r.bid;
        auction.count = 1;
        std::array<std::uint8_t, 5> cards{};
        const std::vector<Card> hand = testing::cards(r.hand);
        for (size_t k = 0; k < 5; ++k)
            cards[k] = static_cast<std::uint8_t>(hand[k].number());
        std::array<std::span<const std::uint8_t>, 4> hands{};
        hands[1] = cards;
        EXPECT_DOUBLE_EQ(auctionLikelihood(auction, hands, model), r.weight) << r.name;
    }
}

} // namespace
} // namespace corvane
