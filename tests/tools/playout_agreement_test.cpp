// The playout kernel against the engine: at the first card of every hand the kernel takes the
// table as it stands and plays the whole hand out by itself; the engine then plays the same hand,
// and every card, every trick's winner and units, and the legal cards at every turn must agree.
#include "players/hand_snapshot.h"
#include "players/playout.h"
#include "tests/tools/play_check.h"
#include "tools/sim/simulation.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

using playout::HandState;

// Seat 0 plays the hint as the simulator's player does: the computer's card, or the first card
// a person may play should the table refuse it.
int simulatorSlot(const HandState& s, int seat) {
    int slot = playout::standardSlot(s, seat);
    const unsigned legal = playout::legalSlots(s, seat);
    if (seat == 0 && !((legal >> slot) & 1u))
        for (slot = 0; slot < 5 && !((legal >> slot) & 1u); ++slot) {
        }
    return slot;
}

struct Step {
    int seat;
    int card;
    unsigned legal; // the seat's legal cards before it played, as card bits by slot
};
struct TrickEnd {
    int winner;
    int units;
};

class KernelWitness final : public TableObserver {
public:
    explicit KernelWitness(const Engine& engine) : m_engine(engine) {}

    // The lead the table keeps between hands is whatever it holds when play begins.
    void onDeal(int, const std::array<int, 52>&) override {
        m_referee.followTable(m_engine.table());
    }
    void onDraw(int, Card) override { m_referee.followTable(m_engine.table()); }
    void onKitty(const std::vector<int>&, const std::vector<std::pair<int, int>>&) override {
        m_referee.followTable(m_engine.table());
    }

    void onPlay(int seat, int picture, Card card) override {
        const Table& t = m_engine.table();
        if (t.tricksPlayed == 0 && t.trickCardCount == 0)
            startHand(seat, picture);
        ASSERT_LT(m_next, m_steps.size());
        const Step& expected = m_steps[m_next++];
        EXPECT_EQ(seat, expected.seat) << "hand " << hands;
        EXPECT_EQ(card.number(), expected.card) << "hand " << hands << " seat " << seat;
        // The kernel's legal cards are exactly those the table lets a person play.
        EXPECT_EQ(m_referee.legalSlots(t, seat, picture), expected.legal)
            << "hand " << hands << " seat " << seat;
        m_referee.played(t, picture);
        ++cards;
    }

    void onTrick(int winner, int units) override {
        ASSERT_LT(m_nextTrick, m_tricks.size());
        EXPECT_EQ(winner, m_tricks[m_nextTrick].winner) << "hand " << hands;
        EXPECT_EQ(units, m_tricks[m_nextTrick].units) << "hand " << hands;
        ++m_nextTrick;
        ++tricks;
    }

    long hands = 0;
    long cards = 0;
    long tricks = 0;

private:
    // The table just before the hand's first card: that card back in hand, the trick empty and
    // the lead the one of the hand before.
    void startHand(int seat, int picture) {
        const Table& t = m_engine.table();
        HandState s = handStateFromTable(t);
        s.held[static_cast<size_t>(seat)] |= static_cast<std::uint8_t>(1u << (picture % 5));
        s.trick = {};
        // The lead as the table read it just before this card, whatever it makes of it then.
        Table before = t;
        before.ledCard = m_referee.lastLead();
        s.led = handStateFromTable(before).led;
        s.winner = playout::NoSeat;
        s.trickCount = 0;
        s.turn = static_cast<std::uint8_t>(seat);

        m_steps.clear();
        m_tricks.clear();
        m_next = m_nextTrick = 0;
        while (!s.over()) {
            const int who = s.turn;
            const int slot = simulatorSlot(s, who);
            m_steps.push_back({who, s.cards[static_cast<size_t>(who)][static_cast<size_t>(slot)],
                               playout::legalSlots(s, who)});
            const auto before = s.units;
            playout::playSlot(s, slot);
            if (s.trickCount == 0)
                for (size_t w = 0; w < 4; ++w)
                    if (s.units[w] != before[w])
                        m_tricks.push_back({static_cast<int>(w), s.units[w] - before[w]});
        }
        ++hands;
    }

    const Engine& m_engine;
    testing::LegalPlayReferee m_referee;
    std::vector<Step> m_steps;
    std::vector<TrickEnd> m_tricks;
    size_t m_next = 0;
    size_t m_nextTrick = 0;
};

struct AgreementRow {
    std::uint64_t seed;
    bool mustFollowSuit;
    bool anyBid;
};

class PlayoutAgreement : public ::testing::TestWithParam<AgreementRow> {};

TEST_P(PlayoutAgreement, EveryCardAndTrickAsTheEngine) {
    const AgreementRow& r = GetParam();
    Simulation sim(SimOptions{r.seed, r.mustFollowSuit, r.anyBid});
    KernelWitness witness(sim.engine());
    sim.engine().addObserver(&witness);
    ASSERT_NO_THROW(sim.play(150));
    EXPECT_GT(witness.hands, 1000);
    EXPECT_EQ(witness.cards, witness.hands * 20);
    EXPECT_EQ(witness.tricks, witness.hands * 5);
    EXPECT_EQ(sim.player().refusedHints(), 0) << "the table takes every card and bid hinted";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Seeds, PlayoutAgreement,
                         ::testing::Values(AgreementRow{1, false, false},
                                           AgreementRow{2, true, false},
                                           AgreementRow{3, false, true},
                                           AgreementRow{4, true, true}));
// clang-format on

} // namespace
} // namespace corvane
