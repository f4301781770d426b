// The movements the flow asks the window for: the deal's glides from the dealer's side and the
// spiral of a won game, and the new game after it.
#include "flow/engine.h"
#include "table/glide.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

// A scheduler whose movements take time, and which records them.
class RecordingScheduler final : public Scheduler {
public:
    void after(int ms, std::coroutine_handle<> waiter, const void* owner) override {
        clock.after(ms, waiter, owner);
    }
    void cancel(const void* owner) override { clock.cancel(owner); }
    bool animates() const override { return true; }
    void animate(const Movement& m, std::coroutine_handle<> waiter, const void* owner) override {
        movements.push_back(m);
        clock.after(0, waiter, owner);
    }
    VirtualClock clock;
    std::vector<Movement> movements;
};

struct Movements : ::testing::Test {
    Movements() : random(3), engine(scheduler, random) { engine.startUp(); }
    RecordingScheduler scheduler;
    Random random;
    Engine engine;
};

TEST_F(Movements, TheDealGlidesEveryCardFromTheDealersSide) {
    engine.table().dealerSeat = 1;
    engine.clickButton(1);
    scheduler.clock.runUntilIdle();
    ASSERT_GE(scheduler.movements.size(), 23u);
    // Left, top, right, bottom, five times round, then the kitty.
    EXPECT_EQ(scheduler.movements[0].picture, 5);
    EXPECT_EQ(scheduler.movements[3].picture, 0);
    EXPECT_EQ(scheduler.movements[20].picture, 20);
    for (size_t k = 0; k < 23; ++k) {
        const Movement& m = scheduler.movements[k];
        EXPECT_EQ(m.kind, Movement::Kind::Glide);
        EXPECT_EQ(m.from.left, 360);
        EXPECT_EQ(m.to, homePosition(m.picture));
    }
}

// The won game's spin, then the new game: scores cleared, the table waiting for Deal, and the
// dealer moved on twice (by the new game and by the end of the hand).
TEST_F(Movements, AWonGameSpinsTheLastTricksCardsSeatBySeatThenANewGameWaits) {
    Table& t = engine.table();
    t.dealerSeat = 1;
    for (int s = 0; s < 4; ++s) {
        const int picture = 5 * s + 2;
        t.picCard[static_cast<size_t>(picture)].card = Card::of(s + 2, Clubs);
        t.picCard[static_cast<size_t>(picture)].state = TagState::Played;
        t.picCard[static_cast<size_t>(picture)].position = trickPosition(s);
        t.trickSeatCard[static_cast<size_t>(s)] = picture;
    }
    t.gamePhase = GamePhase::Play;
    t.bidderSeat = 2;
    t.highBid = 20;
    t.score = {110, 0};
    t.trickUnits = {2, 0, 2, 2, 0};
    t.tricksPlayed = 5;
    t.trickWinnerCard = -1;
    Task finish = engine.FinishTrick();
    scheduler.clock.runUntilIdle();
    ASSERT_EQ(scheduler.movements.size(), 4u);
    for (int s = 0; s < 4; ++s) {
        const Movement& m = scheduler.movements[static_cast<size_t>(s)];
        EXPECT_EQ(m.kind, Movement::Kind::Spin);
        EXPECT_EQ(m.seat, s);
        EXPECT_EQ(m.picture, 5 * s + 2);
        EXPECT_EQ(m.from, trickPosition(s));
        EXPECT_EQ(m.to, spiralEnd(s, trickPosition(s)));
    }
    EXPECT_EQ(t.message, Saying(Said::GameWon));
    engine.clickButton(1);
    scheduler.clock.runUntilIdle();
    EXPECT_TRUE(finish.done());
    EXPECT_EQ(t.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(t.gamePhase, GamePhase::Idle);
    EXPECT_TRUE(t.buttonMode == ButtonMode::Deal);
    EXPECT_EQ(t.dealerSeat, 3);
    for (int i = 0; i <= 22; ++i)
        EXPECT_FALSE(t.picCard[static_cast<size_t>(i)].visible);
}

} // namespace
} // namespace corvane
