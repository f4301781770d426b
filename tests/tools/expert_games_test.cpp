// Whole games with Expert or Master seats: every card they play is one a person may play, every
// deal they sample agrees with what the seat knows (counts, cards seen, suits it infers a seat
// lacks), what the seat infers never rules out a card it truly holds; the arena's games replay from
// their seed at either level. What the plays show a seat lacks is the seat knowledge's rows.
#include "players/seat_knowledge.h"
#include "tests/tools/play_check.h"
#include "tools/arena/arena.h"
#include "tools/sim/simulation.h"

#include <gtest/gtest.h>
#include <tuple>

namespace corvane {
namespace {

class SampleInspector final : public TableObserver {
public:
    explicit SampleInspector(const Engine& engine) : m_engine(engine) {}

    void onDeal(int, const std::array<int, 52>&) override { m_plays.clear(); }

    void onPlay(int seat, int picture, Card card) override {
        const Table& t = m_engine.table();
        EXPECT_TRUE(m_referee.legal(t, seat, picture)) << shortName(card);
        m_referee.played(t, picture);
        // The hand's record the seats reason from holds every play, in order.
        m_plays.notePlay(seat, card);
        const HandRecord& r = m_engine.handRecord();
        EXPECT_EQ(std::tie(r.plays, r.playSeats, r.playCount),
                  std::tie(m_plays.plays, m_plays.playSeats, m_plays.playCount));
        for (int knower = 0; knower < 4; ++knower)
            inspect(t, knower);
    }

    long samples = 0;
    long lacksSeen = 0;

private:
    void inspect(const Table& t, int knower) {
        const SeatKnowledge k = knowledgeOf(t, m_engine.handRecord(), knower);
        CardSet seen = m_engine.handRecord().seenBeforeDraw[static_cast<size_t>(knower)];
        for (int i = 0; i < 20; ++i)
            if (i / 5 == knower || t.CardState(i) == TagState::Played)
                seen |= cardBit(t.cardAt(i).number());
        // What the seat infers never rules out a card truly held.
        for (int i = 0; i < 20; ++i)
            if (i / 5 != knower && t.CardState(i) != TagState::Played) {
                EXPECT_TRUE(k.mayHold[static_cast<size_t>(i / 5)] & cardBit(t.cardAt(i).number()))
                    << "seat " << i / 5 << " holds " << shortName(t.cardAt(i));
            }

        Random random(static_cast<std::uint64_t>(samples) + 1);
        for (int n = 0; n < 3; ++n, ++samples) {
            const playout::HandState s = sampleDeal(k, random);
            CardSet all = 0;
            for (int who = 0; who < 4; ++who) {
                CardSet held = 0;
                int count = 0;
                int truth = 0;
                for (int slot = 0; slot < 5; ++slot) {
                    const int c = s.cards[static_cast<size_t>(who)][static_cast<size_t>(slot)];
                    ASSERT_GE(c, 1);
                    EXPECT_FALSE(all & cardBit(c)) << "a card dealt twice";
                    all |= cardBit(c);
                    if ((s.held[static_cast<size_t>(who)] >> slot) & 1u) {
                        held |= cardBit(c);
                        ++count;
                    }
                    truth += t.CardState(5 * who + slot) != TagState::Played;
                }
                EXPECT_EQ(count, truth) << "cards of seat " << who;
                if (who == knower)
                    continue;
                EXPECT_EQ(held & seen, 0u) << "seat " << who << " got a card the knower saw";
                EXPECT_EQ(held & ~k.mayHold[static_cast<size_t>(who)], 0u)
                    << "seat " << who << " got a card it showed it lacks";
                lacksSeen += k.mayHold[static_cast<size_t>(who)] != k.unseen;
            }
        }
    }

    const Engine& m_engine;
    testing::LegalPlayReferee m_referee;
    HandRecord m_plays;
};

class ExpertGames : public ::testing::TestWithParam<std::tuple<ComputerLevel, bool>> {};

TEST_P(ExpertGames, PlayLegallyAndSampleWhatTheyKnow) {
    const auto [level, mustFollowSuit] = GetParam();
    Simulation sim(SimOptions{21, mustFollowSuit, false});
    ComputerPlayers& players = sim.engine().computerPlayers();
    players.effort().samples = players.effort().bidSamples = 8;
    for (int seat = 0; seat < 4; ++seat)
        players.setSeatLevel(seat, level);
    SampleInspector inspector(sim.engine());
    sim.engine().addObserver(&inspector);
    ASSERT_NO_THROW(sim.play(2));
    EXPECT_GT(inspector.samples, 1000);
    EXPECT_GT(inspector.lacksSeen, 0);
    EXPECT_EQ(sim.player().refusedHints(), 0);
}

INSTANTIATE_TEST_SUITE_P(LevelAndMustFollowSuit, ExpertGames,
                         ::testing::Combine(::testing::Values(ComputerLevel::Expert,
                                                              ComputerLevel::Master),
                                            ::testing::Bool()));

// At each hand's end the record knows which seats left the fixed rules in the game so far: the
// one Expert seat does, the Standard seats never.
class RuleWatcher final : public TableObserver {
public:
    explicit RuleWatcher(const Engine& engine) : m_engine(engine) {}

    void onHand(const HandResult&) override {
        const SeatHabits& r = m_engine.handRecord().habits;
        ++hands;
        EXPECT_EQ(r.handsPlayed, (std::array<std::uint8_t, 4>{hands, hands, hands, hands}));
        EXPECT_EQ(r.handsOffRule[0] + r.handsOffRule[2] + r.handsOffRule[3], 0);
        expertOffRule = r.handsOffRule[1];
    }

    std::uint8_t hands = 0;
    int expertOffRule = 0;

private:
    const Engine& m_engine;
};

TEST(ExpertGames, TheRecordCountsTheHandsASeatPlayedOffTheRules) {
    Simulation sim(SimOptions{5, false, false});
    ComputerPlayers& players = sim.engine().computerPlayers();
    players.effort().samples = players.effort().bidSamples = 8;
    players.setSeatLevel(1, ComputerLevel::Expert);
    RuleWatcher watcher(sim.engine());
    sim.engine().addObserver(&watcher);
    ASSERT_NO_THROW(sim.play(1));
    EXPECT_GT(watcher.hands, 1);
    EXPECT_GT(watcher.expertOffRule, 0);
}

// The same seed plays the same games at either level, whatever the threads; another seed
// plays others.
TEST(Arena, PairsAreDuplicateAndReplayable) {
    ArenaOptions options;
    options.games = 4;
    options.effort.samples = 8;
    options.effort.bidSamples = 8;
    const ArenaFigures one = playArena(options);
    options.threads = 2;
    const ArenaFigures two = playArena(options);
    EXPECT_EQ(one.games, 4);
    EXPECT_EQ(one.sides[0].wins + one.sides[1].wins, 4);
    EXPECT_EQ(one.pairWins[0] + one.pairWins[1] + one.pairWins[2], 2);
    EXPECT_EQ(one.sides[0].wins, two.sides[0].wins) << "threads change nothing";
    EXPECT_EQ(one.sides[0].points, two.sides[0].points);
    EXPECT_EQ(one.hands, two.hands);
    options.seed = 2;
    EXPECT_NE(playArena(options).sides[0].points, one.sides[0].points);
}

} // namespace
} // namespace corvane
