// The Expert where the answer is known: a card that takes the deciding trick for sure, a bid it
// cannot make, a hand that bids itself, the worth of a hand's end, and the same choice from the
// same seed.
#include "players/expert_bid.h"
#include "players/expert_play.h"
#include "players/hand_worth.h"
#include "table/table.h"
#include "tests/support/table_row.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// A table in play: the row, then the Expert's effort.
Table inPlay(const std::string& row) {
    Table table = testing::tableRow("trump H; " + row);
    table.gamePhase = GamePhase::Play;
    return table;
}

ExpertEffort effort() {
    ExpertEffort e;
    e.samples = 40;
    e.bidSamples = 60;
    return e;
}

TEST(ExpertChoice, TakesTheDecidingTrickWithTheFive) {
    // Fourth trick; seat 0 bid 20 and its side has 15 points. Seat 0 plays last, the opponents
    // lead the King and the Queen of trumps: the Five takes the trick and makes the bid.
    Table table = inPlay("bid 20 by 0; tricks 3; turn 0; 0: 2C 5H ~ 3C 4C 6C;"
                         "1: KH 7S ~ 3S 4S 6S; 2: 9D 8S ~ 3D 4D 6D; 3: QH 9S ~ 7D 8D 10D;"
                         "trick 1:KH 2:9D 3:QH");
    table.trickUnits = {2, 1, 1, 0, 0};
    table.topTrumpOut = 114;
    const ExpertCard choice = expertCard(table, HandRecord{}, 0, effort());
    EXPECT_EQ(choice.picture, 1);
    EXPECT_EQ(choice.takes, choice.samples);
}

TEST(ExpertChoice, ADefenderSetsTheBidWithTheAceOfHearts) {
    // Fourth trick; seat 0 bid 20 and its side has 10 points, so it needs both tricks left.
    // Seat 1 plays last: the Ace of hearts takes this trick and sets the bid; the 2 of clubs
    // would leave the last trick to whoever holds the Jack.
    Table table = inPlay("bid 20 by 0; tricks 3; turn 1; 0: QH 8S ~ 5H 4C 6C;"
                         "1: AH 2C ~ 3S 4S 6S; 2: KH JH ~ 3D 4D 6D; 3: 9D 9S ~ 7D 8D 10D;"
                         "trick 2:KH 3:9D 0:QH");
    table.trickUnits = {2, 1, 0, 1, 0};
    table.topTrumpOut = 114;
    EXPECT_EQ(expertCard(table, HandRecord{}, 1, effort()).picture, 5);
}

TEST(ExpertChoice, ReadsItsSidesScoreAtAnOddSeatAndTiesGoToTheCheaperCard) {
    // Seat 1's own table (its cards on pictures 0-4), leading the fourth trick: the bidders have
    // 5 points and are set whatever falls. The Jack of trumps takes the trick for sure, but with
    // its side already at 115 the points are worth nothing and the cheaper 2 of clubs goes.
    for (const auto& [score, led] : {std::pair{std::array{115, 0}, "2C"}, {{0, 115}, "JH"}}) {
        Table table = inPlay("bid 20 by 0; tricks 3; turn 1; 0: JH 2C ~ 5H 3C 4C;"
                             "1: 9D 8S ~ 3S 4S 6S; 2: KC 9S ~ 7D 8D 10D; 3: QC 7S ~ 3D 4D 6D");
        table.localSeat = 1;
        table.score = score;
        table.trickUnits = {1, 2, 0, 1, 0};
        EXPECT_EQ(table.cardAt(expertCard(table, HandRecord{}, 1, effort()).picture),
                  testing::card(led));
    }
}

TEST(ExpertChoice, PlaysOnlyWhatAPersonMay) {
    // Trump led by an opponent: the 4 of hearts is owed, so the plain cards may not be played
    // however the deals fall; with a single card allowed nothing is weighed.
    const Table table = inPlay("bid 25 by 1; tricks 1; turn 0; 0: KC 4H QS 2D ~ 3C;"
                               "1: JC 7H 2S 10S ~ 3S; 2: 9D 8S 5C 6C ~ 3D; 3: QH 9S 2C 7C ~ 7D;"
                               "trick 1:7H 2:9D 3:QH");
    const ExpertCard choice = expertCard(table, HandRecord{}, 0, effort());
    EXPECT_EQ(choice.picture, 1);
    EXPECT_EQ(choice.samples, 0);
}

TEST(ExpertChoice, SameSeedSameCard) {
    const Table table = inPlay("bid 20 by 2; tricks 0; turn 0; 0: KC 4H QS 2D JH");
    const ExpertCard a = expertCard(table, HandRecord{}, 0, effort());
    const ExpertCard b = expertCard(table, HandRecord{}, 0, effort());
    EXPECT_EQ(a.picture, b.picture);
    EXPECT_EQ(a.takes, b.takes);
    EXPECT_EQ(a.partnerTakes, b.partnerTakes);
    EXPECT_EQ(a.samples, 40);
}

struct BidRow {
    const char* name;
    const char* cards;
    int highBid;
    bool bids;
};

class ExpertAuction : public ::testing::TestWithParam<BidRow> {};

TEST_P(ExpertAuction, BidsWhatItCanMake) {
    const BidRow& row = GetParam();
    Table table;
    table.gamePhase = GamePhase::Bidding;
    table.dealerSeat = 3;
    table.highBid = row.highBid;
    table.bidderSeat = row.highBid == 0 ? 0 : 2;
    testing::dealSeat(table, 1, testing::cards(row.cards));
    ExpertEffort effort;
    effort.bidSamples = 80;
    const ExpertBid bid = expertBid(table, 1, effort);
    EXPECT_EQ(!bid.bid.isPass(), row.bids) << row.name << ": " << bid.bid.word();
    EXPECT_EQ(bid.samples, row.highBid < 30 ? 80 : 0) << "no bid left to weigh above 30";
    if (!bid.bid.isPass()) {
        EXPECT_GT(bid.bid.points(), row.highBid);
        EXPECT_TRUE(allowedBids(table, 1)[static_cast<size_t>(bid.bid.level())]);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Hands, ExpertAuction, ::testing::Values(
    BidRow{"low cards of four suits", "2D 3D 10S 9C 4H", 0, false},
    BidRow{"the three top trumps", "5H JH AH KH 2C", 0, true},
    BidRow{"no bid above 30", "5H JH AH KH 2C", 30, false}),
    [](const ::testing::TestParamInfo<BidRow>& info) { return std::to_string(info.index); });
// clang-format on

// The bids a seat may make, as the bid dialog offers them: Pass, 20, 25 and 30, "1" enabled.
struct AllowedRow {
    const char* table;
    int seat, localSeat;
    bool anyBid;
    const char* enabled;
};

TEST(AllowedBids, Rows) {
    // clang-format off
    const AllowedRow rows[] = {
        {"dealer 2; 0: 2S 3D 4C 6H 7S", 0, 0, false, "1100"}, // no Five: 20 at most
        {"dealer 2; 0: 2S 3D 4C 6H 7S", 0, 0, true, "1111"},
        {"dealer 2; 0: 5D 8C 10S 8H 4D", 0, 0, false, "1111"},
        {"dealer 2; bid 20 by 1; 0: 5D 8C 10S 8H 4D", 0, 0, false, "1011"},
        {"dealer 2; bid 25 by 1; 0: 5D 8C 10S 8H 4D", 0, 0, false, "1001"},
        {"dealer 0; bid 25 by 1; 0: 5D 8C 10S 8H 4D", 0, 0, false, "1011"}, // the dealer holds
        {"dealer 2; bid 30 by 1; 0: 5D 8C 10S 8H 4D", 0, 0, false, "1000"},
        {"dealer 0; bid 30 by 1; 0: 5D 8C 10S 8H 4D", 0, 0, false, "1001"},
        {"dealer 2; bid 20 by 0; 2: 6S 7C 8C 9C 5D", 2, 0, false, "1111"}, // the Five in last place
        // At seat 1 of an online table the seat's own cards lie on pictures 0-4.
        {"dealer 2; 0: 5S 6C 7C 8C 9C; 1: 2D 3D 4D 6D 7D", 1, 1, false, "1111"},
    };
    // clang-format on
    for (const AllowedRow& r : rows) {
        Table table = testing::tableRow(r.table);
        table.localSeat = r.localSeat;
        table.anyBidAllowed = r.anyBid;
        std::string enabled;
        for (bool on : allowedBids(table, r.seat))
            enabled += on ? '1' : '0';
        EXPECT_EQ(enabled, r.enabled) << r.table;
    }
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
    WorthRow{0, 20, 20, 1, {0, 110}, -(20 - 5)},            // the other side: the 115 cap
    WorthRow{0, 20, 20, 0, {95, 0}, 20 - 10},               // 115 is not yet the game
    WorthRow{1, 30, 25, 1, {0, 0}, -30 - 5},                // 30 set
    WorthRow{0, 20, 25, 0, {100, 50}, 20 + GameWorth},      // 125 wins the game: 120
    WorthRow{0, 20, 25, 1, {100, 50}, -20 - GameWorth}));
// clang-format on

} // namespace
} // namespace corvane
