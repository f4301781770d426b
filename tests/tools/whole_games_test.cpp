// Whole games under the virtual clock: the table takes every card and bid the hint advises, and
// the same seed plays the same games. The rules of each hand are the trace checker's
// (check_trace.py, run on the simulator's trace).
#include "tools/sim/simulation.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct FlowRow {
    std::uint64_t seed;
    bool mustFollowSuit;
    bool anyBid;
};

class WholeGames : public ::testing::TestWithParam<FlowRow> {};

TEST_P(WholeGames, TheTableTakesEveryHint) {
    const FlowRow& r = GetParam();
    Simulation sim(SimOptions{r.seed, r.mustFollowSuit, r.anyBid});
    ASSERT_NO_THROW(sim.play(20));
    EXPECT_EQ(sim.player().refusedHints(), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Seeds, WholeGames,
                         ::testing::Values(FlowRow{1, false, false}, FlowRow{2, true, false},
                                           FlowRow{3, false, true}, FlowRow{4, true, true},
                                           FlowRow{5, false, false}));
// clang-format on

TEST(WholeGames, SameSeedSameGames) {
    auto run = [](std::uint64_t seed) {
        Simulation sim(SimOptions{seed, false, false});
        std::vector<int> record;
        struct Tape : TableObserver {
            std::vector<int>* out;
            void onPlay(int, int picture, Card card) override {
                out->push_back(picture * 100 + card.number());
            }
        } tape;
        tape.out = &record;
        sim.engine().addObserver(&tape);
        sim.play(3);
        return record;
    };
    EXPECT_EQ(run(11), run(11));
    EXPECT_NE(run(11), run(12));
}

} // namespace
} // namespace corvane
