// The movements the window animates: the 120-twip glide of a dealt card and the spiral of a won
// game, and the movements the flow asks for.
#include "table/engine.h"
#include "table/glide.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Glide, StepsOf120TwipsEndingAtHome) {
    const Point home = homePosition(12);
    const Point start = dealStart(3, home);
    const auto path = glidePath(start, home);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), home);
    Point previous = start;
    for (const Point& p : path) {
        EXPECT_LE(std::abs(p.left - previous.left), GlideStep);
        EXPECT_LE(std::abs(p.top - previous.top), GlideStep);
        previous = p;
    }
    EXPECT_EQ(path.size(), static_cast<size_t>((7080 - home.left) / GlideStep));
}

TEST(Glide, EveryHomeAndStartIsOnTheGrid) {
    for (int dealer = 0; dealer < 4; ++dealer)
        for (int i = 0; i <= 22; ++i) {
            const Point home = homePosition(i);
            EXPECT_EQ(home.left % GlideStep, 0);
            EXPECT_EQ(home.top % GlideStep, 0);
            for (Point start : {dealStart(dealer, home), drawStart(dealer, home)}) {
                EXPECT_EQ(start.left % GlideStep, 0);
                EXPECT_EQ(start.top % GlideStep, 0);
            }
        }
}

TEST(Glide, OffTheGridTakesAShorterLastStep) {
    const auto path = glidePath({0, 0}, {250, 0});
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[1], (Point{240, 0}));
    EXPECT_EQ(path[2], (Point{250, 0}));
    EXPECT_EQ(glidePath({5, 5}, {5, 5}).size(), 1u);
}

TEST(Spiral, OneAndAHalfTurnsOutwards) {
    const Point start{3720, 2960};
    const auto path = spiralPath(0, start);
    ASSERT_EQ(path.size(), 472u);
    EXPECT_EQ(path.front(), start);
    EXPECT_EQ(path.back(), spiralEnd(0, start));
    // At the last step the radius is 7065 twips: the card is far outside the table.
    const double dx = path.back().left - start.left;
    const double dy = path.back().top - start.top;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 7065.0, 1.0);
}

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

TEST(Movements, TheDealGlidesEveryCardFromTheDealersSide) {
    RecordingScheduler scheduler;
    Random random(3);
    Engine engine(scheduler, random);
    engine.startUp();
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

TEST(Movements, AWonGameSpinsTheLastTricksCardsSeatBySeat) {
    RecordingScheduler scheduler;
    Random random(3);
    Engine engine(scheduler, random);
    engine.startUp();
    Table& t = engine.table();
    for (int s = 0; s < 4; ++s) {
        const int picture = 5 * s + 2;
        t.picCard[static_cast<size_t>(picture)].card = Card::of(s + 2, Clubs);
        t.picCard[static_cast<size_t>(picture)].state = TagState::Played;
        t.picCard[static_cast<size_t>(picture)].position = trickPosition(s);
        t.trickSeatCard[static_cast<size_t>(s)] = picture;
    }
    t.gamePhase = PhasePlay;
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
    EXPECT_EQ(t.buttonMessage, "You're not easy!");
}

} // namespace
} // namespace corvane
