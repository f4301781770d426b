// The computer's bid: the levels of a hand, the suit it names and the dealer's rules.
#include "players/bid_evaluation.h"
#include "table/table.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

struct LevelRow {
    const char* name;
    std::vector<Card> hand;
    int level;
    int suit;
};

class Levels : public ::testing::TestWithParam<LevelRow> {};

TEST_P(Levels, BestLevelAndSuit) {
    const LevelRow& r = GetParam();
    const HandAssessment a = assessHand(r.hand);
    EXPECT_EQ(a.level, r.level) << r.name;
    EXPECT_EQ(a.bestSuit, r.suit) << r.name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, Levels,
    ::testing::Values(
        LevelRow{"five and jack of hearts", {Card::of(5, Hearts), Card::of(Jack, Hearts),
                  Card::of(2, Spades), Card::of(3, Spades), Card::of(4, Clubs)}, 25, Hearts},
        LevelRow{"five, jack and the ace of hearts", {Card::of(5, Clubs), Card::of(Jack, Clubs),
                  AceOfHearts, Card::of(3, Spades), Card::of(4, Diamonds)}, 30, Clubs},
        LevelRow{"five, jack and a king", {Card::of(5, Spades), Card::of(Jack, Spades),
                  Card::of(King, Spades), Card::of(3, Hearts), Card::of(4, Diamonds)}, 30, Spades},
        LevelRow{"five alone", {Card::of(5, Clubs), Card::of(2, Hearts), Card::of(3, Spades),
                  Card::of(4, Diamonds), Card::of(6, Diamonds)}, 20, Clubs},
        LevelRow{"jack and king, no five", {Card::of(Jack, Diamonds), Card::of(King, Diamonds),
                  Card::of(3, Spades), Card::of(4, Clubs), Card::of(6, Clubs)}, 20, Diamonds},
        LevelRow{"five, ace and queen", {Card::of(5, Diamonds), Card::of(Ace, Diamonds),
                  Card::of(Queen, Diamonds), Card::of(3, Spades), Card::of(4, Clubs)}, 25, Diamonds},
        LevelRow{"five and the ace of hearts", {Card::of(5, Spades), AceOfHearts,
                  Card::of(2, Clubs), Card::of(3, Clubs), Card::of(4, Clubs)}, 25, Spades},
        // No level: the suit is still the one with the greatest sum.
        LevelRow{"jack alone passes", {Card::of(Jack, Clubs), Card::of(2, Hearts),
                  Card::of(3, Spades), Card::of(4, Diamonds), Card::of(6, Diamonds)}, 0, Diamonds},
        // Two suits at 20: the greater sum of rank values names the suit.
        LevelRow{"two suits at twenty", {Card::of(5, Spades), Card::of(5, Clubs),
                  Card::of(2, Clubs), Card::of(3, Clubs), Card::of(4, Hearts)}, 20, Clubs}));
// clang-format on

class Bidding : public ::testing::Test {
protected:
    void hand(int seat, std::vector<Card> cards) {
        for (size_t k = 0; k < cards.size(); ++k)
            table.picCard[static_cast<size_t>(5 * seat) + k].card = cards[k];
    }
    std::string bid(int seat, int dealer) {
        return BidEvaluation(table, 5 * seat, 5 * seat + 4, highBid, highBidder, suit, dealer,
                             seat);
    }
    Table table;
    int highBid = 0;
    int highBidder = 0;
    int suit = -1;
};

TEST_F(Bidding, NonDealerBidsItsLevelOverTheHighBid) {
    hand(1, {Card::of(5, Hearts), Card::of(Jack, Hearts), Card::of(2, Spades), Card::of(3, Spades),
             Card::of(4, Clubs)});
    highBid = 20;
    EXPECT_EQ(bid(1, 3), "25");
    EXPECT_EQ(highBid, 25);
    EXPECT_EQ(highBidder, 1);
    EXPECT_EQ(suit, Hearts);
    EXPECT_EQ(bid(1, 3), "Pass"); // not above 25 any more
}

TEST_F(Bidding, FiveOfClubsOnly) {
    hand(2, {Card::of(5, Clubs), Card::of(2, Hearts), Card::of(3, Spades), Card::of(4, Diamonds),
             Card::of(6, Diamonds)});
    highBid = 20;
    highBidder = 1;
    EXPECT_EQ(bid(2, 3), "Pass");
    EXPECT_EQ(bid(2, 2), "20"); // as dealer it holds
    EXPECT_EQ(highBid, 20);
    EXPECT_EQ(highBidder, 1); // the hold is left to the auction
}

TEST_F(Bidding, DealerOpensAtTwentyOrThirty) {
    hand(0, {Card::of(5, Hearts), Card::of(Jack, Hearts), Card::of(2, Spades), Card::of(3, Spades),
             Card::of(4, Clubs)});
    EXPECT_EQ(bid(0, 0), "20"); // best level 25 opens at 20
    EXPECT_EQ(highBidder, 0);
    highBid = 0;
    hand(0, {Card::of(5, Hearts), Card::of(Jack, Hearts), Card::of(King, Hearts),
             Card::of(3, Spades), Card::of(4, Clubs)});
    EXPECT_EQ(bid(0, 0), "30");
    EXPECT_EQ(highBid, 30);
}

TEST_F(Bidding, DealerBelowTheHighBidPasses) {
    hand(3, {Card::of(5, Clubs), Card::of(2, Hearts), Card::of(3, Spades), Card::of(4, Diamonds),
             Card::of(6, Diamonds)});
    highBid = 25;
    EXPECT_EQ(bid(3, 3), "Pass");
    EXPECT_EQ(highBid, 25);
}

} // namespace
} // namespace corvane
