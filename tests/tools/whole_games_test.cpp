// Whole games under the virtual clock, checked hand by hand: 23 cards dealt, no card in two
// places, every card played legally, six units a hand, scores that follow from the units and
// the bid, and the dealer moving on.
#include "cards/card_value.h"
#include "cards/legal_play.h"
#include "tests/tools/play_check.h"
#include "tools/sim/simulation.h"

#include <gtest/gtest.h>
#include <set>

namespace corvane {
namespace {

class Referee final : public TableObserver {
public:
    explicit Referee(const Engine& engine) : m_engine(engine) {}

    void onNewGame() override { m_newGame = true; }

    void onDeal(int dealer, const std::array<int, 52>& deck) override {
        std::set<int> seen(deck.begin(), deck.end());
        EXPECT_EQ(seen.size(), 52u);
        EXPECT_EQ(*seen.begin(), 0);
        EXPECT_EQ(*seen.rbegin(), 51);
        if (m_expectedDealer >= 0) {
            EXPECT_EQ(dealer, m_expectedDealer) << "hand " << hands;
        }
        m_dealer = dealer;
        m_units = {};
        m_playedThisHand.clear();
        ++hands;
    }
    void onMisdeal(int dealer) override {
        EXPECT_EQ(dealer, m_dealer);
        m_expectedDealer = (dealer + 1) % 4;
        ++misdeals;
    }
    void onTrump(int bidder, int, int bid) override {
        const Table& t = m_engine.table();
        EXPECT_EQ(bidder, t.bidderSeat);
        EXPECT_TRUE(bid == 20 || bid == 25 || bid == 30);
        m_bid = bid;
        m_bidder = bidder;
    }
    void onPlay(int seat, int picture, Card card) override {
        const Table& t = m_engine.table();
        EXPECT_EQ(picture / 5, seat);
        EXPECT_TRUE(m_playedThisHand.insert(card.number()).second) << "card played twice";
        // No card in two places: the twenty hand pictures hold twenty different cards.
        std::set<int> cards;
        for (int i = 0; i < 20; ++i)
            cards.insert(t.cardAt(i).number());
        EXPECT_EQ(cards.size(), 20u);

        // The card obeys the rules a person plays by (the computer's are never looser).
        EXPECT_EQ(checkLocalPlay(testing::handBeforePlay(t, seat, picture), card,
                                 testing::contextBeforePlay(t, m_previousLead)),
                  Refusal::None)
            << "seat " << seat << " played " << shortName(card);
        if (t.trickCardCount == 0)
            m_previousLead = picture;
        ++plays;
    }
    void onTrick(int winner, int units) override {
        EXPECT_TRUE(units == 1 || units == 2);
        m_units[static_cast<size_t>(winner)] += units;
    }
    void onHand(const HandResult& r) override {
        int total = 0;
        for (int u : m_units)
            total += u;
        EXPECT_EQ(total, 6) << "six units a hand";
        EXPECT_EQ(r.bidder, m_bidder);
        EXPECT_EQ(r.bid, m_bid);
        const int b = r.bidder;
        const int counted =
            (m_units[static_cast<size_t>(b)] + m_units[static_cast<size_t>((b + 2) % 4)]) * 5;
        EXPECT_EQ(r.counted, counted);
        EXPECT_EQ(r.made, counted >= r.bid);
        std::array<int, 2> expected = m_scores;
        const auto bidders = static_cast<size_t>(b % 2);
        const auto others = 1 - bidders;
        const int defended = 30 - counted;
        if (r.made) {
            expected[bidders] += r.bid == 30 ? 60 : counted;
            if (expected[bidders] > 115)
                expected[bidders] = 120;
            else
                expected[others] = std::min(115, expected[others] + defended);
        } else {
            expected[bidders] -= r.bid;
            expected[others] = std::min(115, expected[others] + defended);
        }
        EXPECT_EQ(r.scores, expected);
        m_scores = r.scores;
        m_expectedDealer = (m_dealer + 1) % 4;
    }
    void onGameEnd(int winner, std::array<int, 2> scores) override {
        EXPECT_EQ(scores[static_cast<size_t>(winner)], 120);
        EXPECT_LE(scores[static_cast<size_t>(1 - winner)], 115);
        m_scores = {0, 0};
        // A won game starts a new one, which moves the dealer on once more.
        m_expectedDealer = (m_dealer + 2) % 4;
        ++games;
    }

    int hands = 0;
    int misdeals = 0;
    int plays = 0;
    int games = 0;

private:
    const Engine& m_engine;
    int m_expectedDealer = -1;
    int m_dealer = 0;
    int m_bidder = 0;
    int m_bid = 0;
    int m_previousLead = 0;
    bool m_newGame = false;
    std::array<int, 4> m_units{};
    std::array<int, 2> m_scores{};
    std::set<int> m_playedThisHand;
};

struct FlowRow {
    std::uint64_t seed;
    bool mustFollowSuit;
    bool anyBid;
};

class WholeGames : public ::testing::TestWithParam<FlowRow> {};

TEST_P(WholeGames, FollowTheRules) {
    const FlowRow& r = GetParam();
    Simulation sim(SimOptions{r.seed, r.mustFollowSuit, r.anyBid});
    Referee referee(sim.engine());
    sim.engine().addObserver(&referee);
    ASSERT_NO_THROW(sim.play(20));
    EXPECT_EQ(referee.games, 20);
    EXPECT_EQ(referee.plays, (referee.hands - referee.misdeals) * 20);
    EXPECT_EQ(sim.player().refusedHints(), 0);
    EXPECT_FALSE(::testing::Test::HasFailure());
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
