// The computer's bid: the levels of a hand, the suit it names and the dealer's rules.
#include "players/bid_evaluation.h"
#include "table/table.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

using testing::cards;

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
        LevelRow{"five and jack of hearts", cards("5H JH 2S 3S 4C"), 25, Hearts},
        LevelRow{"five, jack and the ace of hearts", cards("5C JC AH 3S 4D"), 30, Clubs},
        LevelRow{"five, jack and a king", cards("5S JS KS 3H 4D"), 30, Spades},
        LevelRow{"five alone", cards("5C 2H 3S 4D 6D"), 20, Clubs},
        LevelRow{"jack and king, no five", cards("JD KD 3S 4C 6C"), 20, Diamonds},
        LevelRow{"five, ace and queen", cards("5D AD QD 3S 4C"), 25, Diamonds},
        LevelRow{"five and the ace of hearts", cards("5S AH 2C 3C 4C"), 25, Spades},
        // No level: the suit is still the one with the greatest sum.
        LevelRow{"jack alone passes", cards("JC 2H 3S 4D 6D"), 0, Diamonds},
        // Two suits at 20: the greater sum of rank values names the suit.
        LevelRow{"two suits at twenty", cards("5S 5C 2C 3C 4H"), 20, Clubs}));
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
    hand(1, cards("5H JH 2S 3S 4C"));
    highBid = 20;
    EXPECT_EQ(bid(1, 3), "25");
    EXPECT_EQ(highBid, 25);
    EXPECT_EQ(highBidder, 1);
    EXPECT_EQ(suit, Hearts);
    EXPECT_EQ(bid(1, 3), "Pass"); // not above 25 any more
}

TEST_F(Bidding, FiveOfClubsOnly) {
    hand(2, cards("5C 2H 3S 4D 6D"));
    highBid = 20;
    highBidder = 1;
    EXPECT_EQ(bid(2, 3), "Pass");
    EXPECT_EQ(bid(2, 2), "20"); // as dealer it holds
    EXPECT_EQ(highBid, 20);
    EXPECT_EQ(highBidder, 1); // the hold is left to the auction
}

TEST_F(Bidding, DealerOpensAtTwentyOrThirty) {
    hand(0, cards("5H JH 2S 3S 4C"));
    EXPECT_EQ(bid(0, 0), "20"); // best level 25 opens at 20
    EXPECT_EQ(highBidder, 0);
    highBid = 0;
    hand(0, cards("5H JH KH 3S 4C"));
    EXPECT_EQ(bid(0, 0), "30");
    EXPECT_EQ(highBid, 30);
}

TEST_F(Bidding, DealerBelowTheHighBidPasses) {
    hand(3, cards("5C 2H 3S 4D 6D"));
    highBid = 25;
    EXPECT_EQ(bid(3, 3), "Pass");
    EXPECT_EQ(highBid, 25);
}

} // namespace
} // namespace corvane
