// The history of standalone games built from the engine's steps, checked against the table the
// engine plays on: each trick's cards as they lay, the hands as held, the points and the scores;
// and what the player at the bottom may see of a hand by its stage.
#include "flow/history_recorder.h"
#include "tools/sim/simulation.h"

#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace corvane {
namespace {

// Takes down, straight from the table, what the history must agree with. Added after the
// recorder, so it sees each step once the history has it.
struct TableWitness final : TableObserver {
    TableWitness(const Engine& e, const HistoryRecorder& r) : engine(e), recorder(r) {}

    const RecordedHand& hand() const { return *recorder.history().current(); }
    void onPlay(int seat, int, Card card) override {
        played[static_cast<size_t>(seat)].insert(card.number());
    }
    void onTrick(int winner, int units) override {
        const Table& t = engine.table();
        const RecordedTrick& trick = hand().tricks.back();
        for (size_t s = 0; s < 4; ++s)
            EXPECT_EQ(trick.bySeat[s], t.cardAt(t.trickSeatCard[s])) << "seat " << s;
        EXPECT_EQ(std::pair(trick.winner, trick.units), std::pair(winner, units));
    }
    void onHand(const HandResult& r) override {
        const RecordedHand& h = hand();
        EXPECT_EQ(h.stage, HandStage::Scored);
        EXPECT_EQ(std::tuple(h.bidder, h.bid, h.made, h.counted, h.scores),
                  std::tuple(r.bidder, r.bid, r.made, r.counted, engine.table().score));
        // The gain or loss is what the bidders' score moved by, short of the game's end at 120.
        const auto b = static_cast<size_t>(r.bidder & 1);
        if (h.scores[b] != 120) {
            EXPECT_EQ(h.points, std::abs(h.scores[b] - before[b])) << "hand " << h.number;
        }
        before = h.scores;
        EXPECT_EQ(h.trickPoints()[b], r.counted);
        EXPECT_EQ(h.trickPoints()[1 - b], 30 - r.counted);
        ASSERT_EQ(h.tricks.size(), 5u);
        EXPECT_EQ(h.tricks[0].leader, (r.bidder + 1) % 4);
        for (size_t k = 0; k < 5; ++k) {
            const RecordedTrick& t = h.tricks[k];
            for (size_t j = 0; j < 4; ++j)
                EXPECT_EQ(t.order.at(j), (t.leader + static_cast<int>(j)) % 4);
            EXPECT_TRUE(k == 0 || t.leader == h.tricks[k - 1].winner) << "trick " << k;
        }
        // Every card held after the draw was played by that seat; those it was not dealt (nor
        // found in the kitty) it drew.
        for (size_t s = 0; s < 4; ++s) {
            std::set<int> held;
            for (Card c : h.held[s])
                held.insert(c.number());
            EXPECT_EQ(held, played[s]) << "seat " << s;
            EXPECT_EQ(h.drawn(static_cast<int>(s)).size(),
                      static_cast<size_t>(engine.table().drawCount[s]));
            played[s].clear();
        }
        ++hands;
    }
    void onGameEnd(int winner, std::array<int, 2> scores) override {
        EXPECT_EQ(recorder.history().winner, winner);
        EXPECT_EQ(recorder.history().finalScores, scores);
        before = {};
    }

    const Engine& engine;
    const HistoryRecorder& recorder;
    std::array<std::set<int>, 4> played;
    std::array<int, 2> before{};
    int hands = 0;
};

TEST(GameHistory, FollowsWholeStandaloneGames) {
    Simulation sim(SimOptions{7, false, false}); // a made 30 among them
    HistoryRecorder recorder(sim.engine().table());
    TableWitness witness(sim.engine(), recorder);
    int scored = 0, won = 0;
    recorder.addListener({nullptr, [&](const GameHistory&, const RecordedHand&) { ++scored; },
                          [&](const GameHistory&) { ++won; }});
    sim.engine().addObserver(&recorder);
    sim.engine().addObserver(&witness);
    ASSERT_NO_THROW(sim.play(5));
    EXPECT_EQ(won, 5);
    EXPECT_EQ(scored, witness.hands);
    // The won game stays on show, numbered from its first deal, misdeals counted.
    const GameHistory& game = recorder.history();
    ASSERT_FALSE(game.hands.empty());
    for (size_t k = 0; k < game.hands.size(); ++k)
        EXPECT_EQ(game.hands[k].number, static_cast<int>(k) + 1);
    EXPECT_EQ(game.hands.back().scores, game.finalScores);
}
TEST(GameHistory, ANewGameForgetsAnAbandonedOne) {
    Simulation sim(SimOptions{4, false, false});
    HistoryRecorder recorder(sim.engine().table());
    sim.engine().addObserver(&recorder);
    ASSERT_NO_THROW(sim.play(1));
    ASSERT_TRUE(recorder.history().winner.has_value());
    sim.engine().newGame(); // a won game stays until the next deal
    EXPECT_FALSE(recorder.history().hands.empty());
    sim.engine().clickButton(1);
    sim.clock().runUntilIdle();
    ASSERT_EQ(recorder.history().hands.size(), 1u);
    EXPECT_FALSE(recorder.history().winner.has_value());
    sim.engine().newGame(); // abandoned mid-game
    EXPECT_TRUE(recorder.history().hands.empty());
}

// What the player may see of a hand, by stage: the others' cards only once it is over, the
// kitty only to a bidder at the bottom once trump is named.
TEST(GameHistory, ShownToThePlayerHidesWhatTheTableHides) {
    struct Row {
        HandStage stage;
        int bidder;
        bool othersShown, kittyShown;
    };
    for (const Row& r : {Row{HandStage::Bidding, -1, false, false},
                         {HandStage::Discard, 0, false, true},
                         {HandStage::Play, 1, false, false},
                         {HandStage::Play, 0, false, true},
                         {HandStage::Scored, 1, true, true},
                         {HandStage::Misdealt, -1, true, true}}) {
        RecordedHand h;
        h.stage = r.stage;
        h.bidder = r.bidder;
        for (size_t s = 0; s < 4; ++s)
            for (size_t k = 0; k < 5; ++k)
                h.held[s][k] = h.dealt[s][k] = Card::fromDeckIndex(static_cast<int>(5 * s + k));
        h.kitty = {Card::fromDeckIndex(20), Card::fromDeckIndex(21), Card::fromDeckIndex(22)};
        const RecordedHand shown = shownToPlayer(h);
        SCOPED_TRACE(static_cast<int>(r.stage));
        EXPECT_EQ(shown.dealt[0], h.dealt[0]);
        EXPECT_EQ(shown.held[0], h.held[0]);
        EXPECT_EQ(shown.dealt[2][0].isValid(), r.othersShown);
        EXPECT_EQ(shown.held[3][4].isValid(), r.othersShown);
        EXPECT_EQ(shown.kitty[1].isValid(), r.kittyShown);
    }
}

} // namespace
} // namespace corvane
