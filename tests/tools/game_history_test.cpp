// The history of standalone games built from the engine's steps, checked against the table the
// engine plays on: each trick's cards as they lay, the hands as held, the scores, and what the
// player at the bottom may see of a hand still in play.
#include "flow/history_recorder.h"
#include "tools/sim/simulation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace corvane {
namespace {

// Takes down, straight from the table, what the history must agree with. Added after the
// recorder, so it sees each step once the history has it.
class TableWitness final : public TableObserver {
public:
    TableWitness(const Engine& engine, const HistoryRecorder& recorder)
        : m_engine(engine), m_recorder(recorder) {}

    void onPlay(int seat, int, Card card) override {
        m_played[static_cast<size_t>(seat)].insert(card.number());
        // While a trick is open, the history's hand shows no other seat's cards to the player.
        const RecordedHand* h = m_recorder.history().current();
        ASSERT_NE(h, nullptr);
        const RecordedHand shown = shownToPlayer(*h);
        for (size_t s = 1; s < 4; ++s)
            for (Card c : shown.dealt[s])
                EXPECT_FALSE(c.isValid()) << "seat " << s << " dealt card shown mid-hand";
        EXPECT_EQ(shown.dealt[0], h->dealt[0]);
    }
    void onTrick(int winner, int units) override {
        const Table& t = m_engine.table();
        const RecordedTrick* trick = m_recorder.history().current()->lastCompleteTrick();
        ASSERT_NE(trick, nullptr);
        for (size_t s = 0; s < 4; ++s)
            EXPECT_EQ(trick->bySeat[s], t.cardAt(t.trickSeatCard[s])) << "seat " << s;
        EXPECT_EQ(trick->winner, winner);
        EXPECT_EQ(trick->units, units);
        ++tricks;
    }
    void onHand(const HandResult& r) override {
        const RecordedHand& h = *m_recorder.history().current();
        EXPECT_EQ(h.stage, HandStage::Scored);
        EXPECT_EQ(h.bidder, r.bidder);
        EXPECT_EQ(h.bid, r.bid);
        EXPECT_EQ(h.made, r.made);
        EXPECT_EQ(h.counted, r.counted);
        EXPECT_EQ(h.scores, m_engine.table().score);
        const auto points = h.trickPoints();
        EXPECT_EQ(points[0] + points[1], 30);
        EXPECT_EQ(points[static_cast<size_t>(partnershipOf(r.bidder))], r.counted);
        ASSERT_EQ(h.tricks.size(), 5u);
        EXPECT_EQ(h.tricks[0].leader, (r.bidder + 1) % 4);
        for (size_t k = 0; k < 5; ++k) {
            const RecordedTrick& t = h.tricks[k];
            ASSERT_EQ(t.order.size(), 4u);
            EXPECT_EQ(t.order[0], t.leader);
            for (size_t j = 1; j < 4; ++j)
                EXPECT_EQ(t.order[j], (t.leader + static_cast<int>(j)) % 4);
            EXPECT_TRUE(k == 0 || t.leader == h.tricks[k - 1].winner) << "trick " << k;
        }
        for (size_t s = 0; s < 4; ++s) {
            // Every card held after the draw was played, by that seat.
            std::set<int> held;
            for (Card c : h.held[s])
                held.insert(c.number());
            EXPECT_EQ(held, m_played[s]) << "seat " << s;
            // What was not drawn came from the deal (or the bidder's kitty).
            const int s4 = static_cast<int>(s);
            const std::vector<Card> drawn = h.drawn(s4);
            EXPECT_EQ(drawn.size(), static_cast<size_t>(m_engine.table().drawCount[s]))
                << "seat " << s;
            m_played[s].clear();
        }
        ++hands;
    }
    void onGameEnd(int winner, std::array<int, 2> scores) override {
        EXPECT_EQ(m_recorder.history().winner, winner);
        EXPECT_EQ(m_recorder.history().finalScores, scores);
        ++games;
    }

    int tricks = 0;
    int hands = 0;
    int games = 0;

private:
    const Engine& m_engine;
    const HistoryRecorder& m_recorder;
    std::array<std::set<int>, 4> m_played;
};

TEST(GameHistory, FollowsWholeStandaloneGames) {
    Simulation sim(SimOptions{3, false, false});
    HistoryRecorder recorder(sim.engine().table());
    TableWitness witness(sim.engine(), recorder);
    int scored = 0;
    int won = 0;
    recorder.addListener({nullptr, [&](const GameHistory&, const RecordedHand&) { ++scored; },
                          [&](const GameHistory&) { ++won; }});
    sim.engine().addObserver(&recorder);
    sim.engine().addObserver(&witness);
    ASSERT_NO_THROW(sim.play(5));
    EXPECT_EQ(witness.games, 5);
    EXPECT_EQ(won, 5);
    EXPECT_EQ(scored, witness.hands);
    EXPECT_EQ(witness.tricks, 5 * witness.hands);
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
