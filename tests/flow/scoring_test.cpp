// The end of a hand: units, made and set bids, 30 scoring 60, the defenders' cap at 115, the
// game won at 120, negative scores, and the dealer moving on.
#include "table/presenter.h"
#include "tests/flow/engine_fixture.h"

#include <tuple>

namespace corvane::testing {
namespace {

struct ScoreRow {
    const char* name;
    int bidder;
    int bid;
    std::array<int, 4> units; // per seat, six in all
    std::array<int, 2> before;
    std::array<int, 2> after;
    const char* message;
};

class Scoring : public EngineFixture, public ::testing::WithParamInterface<ScoreRow> {};

TEST_P(Scoring, HandEnd) {
    const ScoreRow& r = GetParam();
    std::vector<HandResult> hands;
    struct Recorder : TableObserver {
        std::vector<HandResult>* out;
        void onHand(const HandResult& h) override { out->push_back(h); }
    } recorder;
    recorder.out = &hands;
    engine.addObserver(&recorder);

    t().gamePhase = GamePhase::Play;
    t().bidderSeat = r.bidder;
    t().highBid = r.bid;
    t().score = r.before;
    for (size_t s = 0; s < 4; ++s)
        t().trickUnits[s] = r.units[s];
    t().trickWinnerCard = -1; // the last trick is already counted in the units
    t().tricksPlayed = 5;
    t().trickCardCount = 4;
    t().dealerSeat = 3;
    for (size_t s = 0; s < 4; ++s)
        t().awaitedSeat = s; // a turn mark that must not reach the next auction

    Task finish = engine.FinishTrick();
    clock.runUntilIdle();
    ASSERT_TRUE((t().buttonMode != ButtonMode::Hidden));
    EXPECT_EQ(english(t().message), r.message);
    for (size_t s = 0; s < 4; ++s) // nobody is to play while the hand's end is told
        EXPECT_FALSE(present(t()).lblPlayerName[s].underline) << "seat " << s;
    engine.clickButton(1);
    clock.runUntilIdle();
    EXPECT_TRUE(finish.done());

    ASSERT_EQ(hands.size(), 1u);
    EXPECT_EQ(hands[0].scores, r.after);
    EXPECT_EQ(hands[0].message, r.message);
    EXPECT_EQ(t().gamePhase, GamePhase::Idle);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, Scoring, ::testing::ValuesIn(std::vector<ScoreRow>{
    {"seat 1 makes 20 with 4 units", 1, 20, {1, 2, 0, 2}, {0, 0}, {5, 20}, "Count 20 points."},
    {"seat 1 set on 20 with 3 units", 1, 20, {2, 2, 1, 1}, {0, 0}, {15, -20}, "Bidder goes down 20."},
    {"a made 30 scores 60", 0, 30, {3, 0, 3, 0}, {10, 10}, {70, 10}, "Count 60 points."},
    {"counted above the bid", 2, 20, {3, 1, 2, 0}, {0, 0}, {25, 5}, "Count 25 points."},
    {"defenders capped at 115", 0, 20, {2, 1, 2, 1}, {0, 110}, {20, 115}, "Count 20 points."},
    {"set into the negative", 0, 25, {1, 2, 2, 1}, {0, 0}, {-25, 15}, "Bidder goes down 25."},
    {"115 is not yet the game", 1, 20, {1, 3, 1, 1}, {40, 95}, {50, 115}, "Count 20 points."},
    {"set, the defenders capped at 115", 3, 30, {1, 1, 2, 2}, {110, 50}, {115, 20}, "Bidder goes down 30."},
    {"the bidders win at 120", 0, 20, {2, 1, 3, 0}, {100, 60}, {120, 60}, "You're not easy!"},
    {"a sum of 120 wins", 0, 25, {2, 1, 3, 0}, {95, 30}, {120, 30}, "You're not easy!"},
    {"both near the end: the bidders' win stops the count", 1, 20, {1, 3, 0, 2}, {110, 100}, {110, 120}, "She's gone, b'y."},
    {"the other side wins", 3, 20, {0, 2, 1, 3}, {50, 110}, {50, 120}, "She's gone, b'y."}}));
// clang-format on

// A trick's units and the mark in its side's column: the trick of the highest trump in play (the
// Five, or the Jack when the Five is in the kitty or the stock) is worth two and one mark, after
// the one-second pause with the trick on the table; seat 3 marks the second column.
TEST_F(EngineFixture, TrickUnitsAndTheirMark) {
    for (const auto& [picture, card, topTrumpOut, units, column] :
         {std::tuple{10, "5H", 114, 2, 0}, {17, "3H", 114, 1, 1}, {12, "JH", 113, 2, 0}}) {
        engine.newGame();
        t().gamePhase = GamePhase::Play;
        t().trumpSuit = Hearts;
        place(picture, card, TagState::Played);
        t().topTrumpOut = topTrumpOut;
        t().trickWinnerCard = picture;
        t().tricksPlayed = 2;
        t().trickCardCount = 4;
        const size_t seat = static_cast<size_t>(picture / 5);
        Task finish = engine.FinishTrick();
        EXPECT_EQ(t().trickCardCount, 4);
        clock.advance(999);
        EXPECT_FALSE(finish.done());
        clock.advance(1);
        EXPECT_TRUE(finish.done());
        EXPECT_EQ(t().trickUnits[seat], units);
        EXPECT_EQ(present(t()).lblTricks[static_cast<size_t>(column)], "J");
        EXPECT_EQ(present(t()).lblTricks[static_cast<size_t>(1 - column)], "");
        EXPECT_EQ(t().turnSeat, static_cast<int>(seat));
        EXPECT_EQ(t().trickWinnerCard, -1);
    }
    EXPECT_EQ(t().speedDelay, 300);
}

} // namespace
} // namespace corvane::testing
