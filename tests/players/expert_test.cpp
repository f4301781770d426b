// The Expert where the answer is known: a card that takes the deciding trick for sure, a bid it
// cannot make, a hand that bids itself, the worth of a hand's end, and the same choice from the
// same seed.
#include "players/expert_bid.h"
#include "players/expert_play.h"
#include "players/hand_worth.h"
#include "table/table.h"
#include "tests/players/trick_setup.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

class ExpertChoice : public ::testing::Test {
protected:
    // Deals the seat its cards; pictures past them hold cards already played to earlier tricks.
    void hand(int seat, std::vector<Card> cards, std::vector<Card> played = {}) {
        for (size_t k = 0; k < 5; ++k) {
            auto& p = table.picCard[static_cast<size_t>(5 * seat) + k];
            const bool inHand = k < cards.size();
            p.card = inHand ? cards[k] : played.at(k - cards.size());
            p.state = inHand ? TagState::Down : TagState::Played;
        }
    }
    void lay(int seat, int slot) { testing::layCard(table, 5 * seat + slot); }
    void SetUp() override {
        table.gamePhase = PhasePlay;
        table.trumpSuit = Hearts;
        table.trickWinnerCard = -1;
        effort.samples = 40;
        effort.bidSamples = 60;
    }
    Table table;
    HandRecord record;
    ExpertEffort effort;
};

TEST_F(ExpertChoice, TakesTheDecidingTrickWithTheFive) {
    // Fourth trick; seat 0 bid 20 and its side has 15 points. Seat 0 plays last, the opponents
    // lead the King and the Queen of trumps: the Five takes the trick and makes the bid.
    table.highBid = 20;
    table.bidderSeat = 0;
    table.tricksPlayed = 3;
    table.trickUnits = {2, 1, 1, 0, 0};
    table.topTrumpOut = 114;
    hand(0, {Card::of(2, Clubs), Card::of(5, Hearts)},
         {Card::of(3, Clubs), Card::of(4, Clubs), Card::of(6, Clubs)});
    hand(1, {Card::of(King, Hearts), Card::of(7, Spades)},
         {Card::of(3, Spades), Card::of(4, Spades), Card::of(6, Spades)});
    hand(2, {Card::of(9, Diamonds), Card::of(8, Spades)},
         {Card::of(3, Diamonds), Card::of(4, Diamonds), Card::of(6, Diamonds)});
    hand(3, {Card::of(Queen, Hearts), Card::of(9, Spades)},
         {Card::of(7, Diamonds), Card::of(8, Diamonds), Card::of(10, Diamonds)});
    table.turnSeat = 1;
    lay(1, 0);
    lay(2, 0);
    lay(3, 0);
    table.turnSeat = 0;
    const ExpertCard choice = expertCard(table, record, 0, effort);
    EXPECT_EQ(choice.picture, 1);
    EXPECT_EQ(choice.takes, choice.samples);
}

TEST_F(ExpertChoice, PlaysOnlyWhatAPersonMay) {
    // Trump led by an opponent: the 4 of hearts is owed, so the plain cards may not be played
    // however the deals fall; with a single card allowed nothing is weighed.
    table.highBid = 25;
    table.bidderSeat = 1;
    table.tricksPlayed = 1;
    hand(0,
         {Card::of(King, Clubs), Card::of(4, Hearts), Card::of(Queen, Spades),
          Card::of(2, Diamonds)},
         {Card::of(3, Clubs)});
    hand(1, {Card::of(Jack, Clubs), Card::of(7, Hearts), Card::of(2, Spades), Card::of(10, Spades)},
         {Card::of(3, Spades)});
    hand(2, {Card::of(9, Diamonds), Card::of(8, Spades), Card::of(5, Clubs), Card::of(6, Clubs)},
         {Card::of(3, Diamonds)});
    hand(3, {Card::of(Queen, Hearts), Card::of(9, Spades), Card::of(2, Clubs), Card::of(7, Clubs)},
         {Card::of(7, Diamonds)});
    table.turnSeat = 1;
    lay(1, 1);
    table.turnSeat = 2;
    lay(2, 0);
    table.turnSeat = 3;
    lay(3, 0);
    table.turnSeat = 0;
    const ExpertCard choice = expertCard(table, record, 0, effort);
    EXPECT_EQ(choice.picture, 1);
    EXPECT_EQ(choice.samples, 0);
}

TEST_F(ExpertChoice, SameSeedSameCard) {
    table.highBid = 20;
    table.bidderSeat = 2;
    table.tricksPlayed = 0;
    hand(0, {Card::of(King, Clubs), Card::of(4, Hearts), Card::of(Queen, Spades),
             Card::of(2, Diamonds), Card::of(Jack, Hearts)});
    table.turnSeat = 0;
    table.ledCard = 0;
    const ExpertCard a = expertCard(table, record, 0, effort);
    const ExpertCard b = expertCard(table, record, 0, effort);
    EXPECT_EQ(a.picture, b.picture);
    EXPECT_EQ(a.takes, b.takes);
    EXPECT_EQ(a.partnerTakes, b.partnerTakes);
    EXPECT_GT(a.samples, 0);
}

struct BidRow {
    const char* name;
    std::vector<Card> cards;
    int highBid;
    bool bids;
};

class ExpertAuction : public ::testing::TestWithParam<BidRow> {};

TEST_P(ExpertAuction, BidsWhatItCanMake) {
    const BidRow& row = GetParam();
    Table table;
    table.gamePhase = PhaseBidding;
    table.dealerSeat = 3;
    table.highBid = row.highBid;
    table.bidderSeat = row.highBid == 0 ? 0 : 2;
    for (size_t k = 0; k < 5; ++k)
        table.picCard[5 + k].card = row.cards[k];
    ExpertEffort effort;
    effort.bidSamples = 80;
    const ExpertBid bid = expertBid(table, 1, effort);
    EXPECT_EQ(bid.bid != "Pass", row.bids) << row.name << ": " << bid.bid;
    if (bid.bid != "Pass") {
        EXPECT_GT(bidValue(bid.bid), row.highBid);
        EXPECT_TRUE(allowedBids(table, 1)[static_cast<size_t>((bidValue(bid.bid) - 15) / 5)]);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Hands, ExpertAuction, ::testing::Values(
    BidRow{"low cards of four suits", {Card::of(2, Diamonds), Card::of(3, Diamonds),
           Card::of(10, Spades), Card::of(9, Clubs), Card::of(4, Hearts)}, 0, false},
    BidRow{"the three top trumps", {Card::of(5, Hearts), Card::of(Jack, Hearts),
           Card::of(Ace, Hearts), Card::of(King, Hearts), Card::of(2, Clubs)}, 0, true},
    BidRow{"no bid above 30", {Card::of(5, Hearts), Card::of(Jack, Hearts),
           Card::of(Ace, Hearts), Card::of(King, Hearts), Card::of(2, Clubs)}, 30, false}),
    [](const ::testing::TestParamInfo<BidRow>& info) { return std::to_string(info.index); });
// clang-format on

TEST(AllowedBids, FollowTheBidDialog) {
    Table table;
    table.dealerSeat = 2;
    table.highBid = 20;
    for (size_t k = 0; k < 5; ++k)
        table.picCard[5 + k].card = Card::of(static_cast<int>(k) + 6, Clubs); // no Five
    EXPECT_EQ(allowedBids(table, 1), (std::array<bool, 4>{true, false, false, false}));
    table.anyBidAllowed = true;
    EXPECT_EQ(allowedBids(table, 1), (std::array<bool, 4>{true, false, true, true}));
    table.picCard[10].card = Card::of(5, Spades);
    table.anyBidAllowed = false;
    EXPECT_EQ(allowedBids(table, 2), (std::array<bool, 4>{true, true, true, true}))
        << "dealer holds";
}

struct WorthRow {
    int bidder, bid, counted, partnership;
    std::array<int, 2> score;
    int worth;
};
class HandWorth : public ::testing::TestWithParam<WorthRow> {};
TEST_P(HandWorth, CountsTheBidAndTheGame) {
    const WorthRow& r = GetParam();
    EXPECT_EQ(handWorth(ScoreSituation{r.bidder, r.bid, r.score}, r.counted, r.partnership),
              r.worth);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Hands, HandWorth, ::testing::Values(
    WorthRow{0, 20, 20, 0, {0, 0}, 20 - 10},                // made: 20 against 10
    WorthRow{0, 20, 15, 0, {0, 0}, -20 - 15},               // set
    WorthRow{1, 30, 30, 1, {0, 0}, 60},                     // 30 made scores 60
    WorthRow{0, 25, 25, 1, {0, 110}, -(25 - 5)},            // the other side: the 115 cap
    WorthRow{0, 20, 25, 0, {100, 50}, 20 + GameWorth},      // 125 wins the game: 120
    WorthRow{0, 20, 25, 1, {100, 50}, -20 - GameWorth}));
// clang-format on

} // namespace
} // namespace corvane
