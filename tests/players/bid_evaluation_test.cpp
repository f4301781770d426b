// The computer's bid: the levels of a hand, the suit it names and the dealer's rules.
#include "players/bid_evaluation.h"
#include "table/table.h"
#include "tests/support/table_row.h"

#include <gtest/gtest.h>
#include <tuple>
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
        // A Five with one honour of its suit other than the Jack is worth no more than the Five.
        LevelRow{"five and its ace", cards("5D AD 2C 3S 4C"), 20, Diamonds},
        LevelRow{"five and its king", cards("5C KC 2H 3S 4D"), 20, Clubs},
        // No level: the suit is still the one with the greatest sum.
        LevelRow{"jack alone passes", cards("JC 2H 3S 4D 6D"), 0, Diamonds},
        // Two suits at 20: the greater sum of rank values names the suit.
        LevelRow{"two suits at twenty", cards("5S 5C 2C 3C 4H"), 20, Clubs}));
// clang-format on

// One seat's bids in turn on the same table, each after the last: the bid, and the high bid
// and its bidder after it.
struct BidRow {
    const char* name;
    int seat, dealer;
    const char* hand;
    int highBid, bidder; // before the first bid
    std::vector<std::tuple<std::string, int, int>> bids;
};

TEST(Bidding, Rows) {
    // clang-format off
    const BidRow rows[] = {
        {"over the high bid, then not above its own 25", 1, 3, "5H JH 2S 3S 4C", 20, 0,
         {{"25", 25, 1}, {"Pass", 25, 1}}},
        // As dealer it holds; the hold is left to the auction.
        {"a Five alone", 2, 3, "5C 2H 3S 4D 6D", 20, 1, {{"Pass", 20, 1}}},
        {"a Five alone, dealing", 2, 2, "5C 2H 3S 4D 6D", 20, 1, {{"20", 20, 1}}},
        {"the dealer opens at 20 for a best level of 25", 0, 0, "5H JH 2S 3S 4C", 0, 2, {{"20", 20, 0}}},
        {"the dealer opens at 30", 0, 0, "5H JH KH 3S 4C", 0, 2, {{"30", 30, 0}}},
        {"the dealer below the high bid passes", 3, 3, "5C 2H 3S 4D 6D", 25, 1, {{"Pass", 25, 1}}},
    };
    // clang-format on
    for (const BidRow& r : rows) {
        Table table;
        const std::vector<Card> hand = cards(r.hand);
        testing::dealSeat(table, r.seat, hand);
        int highBid = r.highBid, bidder = r.bidder, suit = -1;
        for (const auto& [bid, high, by] : r.bids) {
            EXPECT_EQ(BidEvaluation(table, 5 * r.seat, 5 * r.seat + 4, highBid, bidder, suit,
                                    r.dealer, r.seat)
                          .word(),
                      bid)
                << r.name;
            EXPECT_EQ(highBid, high) << r.name;
            EXPECT_EQ(bidder, by) << r.name;
        }
        EXPECT_EQ(suit, hand[0].suit()) << r.name;
    }
}

} // namespace
} // namespace corvane
