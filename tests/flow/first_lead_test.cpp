// A hand's first lead answers no earlier card: `ledCard` still names the previous hand's last
// lead, whose picture now holds a card of this deal, and neither the legality of the local
// player's lead, nor the computer's or the hint's choice may read it. Later leads keep reading
// the previous lead.
#include "players/card_play.h"
#include "players/hints.h"
#include "tests/flow/engine_fixture.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

class FirstLead : public EngineFixture {
protected:
    // A hand bid at 30 with spades trump; the local player leads holding the Jack of trumps as
    // the only trump. Picture 7 (another seat's hidden card) holds the Five of trumps, and the
    // previous hand's last lead was made from that picture.
    void leadAtThirty(int tricksPlayed) {
        t().gamePhase = GamePhase::Play;
        t().trumpSuit = Spades;
        t().highBid = 30;
        t().bidderSeat = 0;
        t().tricksPlayed = tricksPlayed;
        t().trickCardCount = 0;
        t().turnSeat = 0;
        t().trickWinnerCard = -1;
        t().buttonMode = ButtonMode::Hidden;
        t().awaitedSeat = t().localSeat;
        place(0, "JS 2D KC 8H 9H");
        place(5, "3C 4C 5S 6C 7C", TagState::Down);
        t().ledCard = 7;
    }
};

TEST_F(FirstLead, HidesNothingAndForcesNothingAtTheHandsFirstLead) {
    leadAtThirty(0);
    EXPECT_TRUE(t().firstLeadOfHand());
    EXPECT_EQ(t().leadForPlay(), Card{});
    const int withFive = cardHint(t());
    const Saying sentence = hintSentence(t());
    // Whatever lies on picture 7, the Jack may renege: every card may lead, the pointer tells
    // nothing of it, and the computer and the hint lead the same.
    for (const char* other : {"5S", "2H", "QD", "AC"}) {
        t().picCard[7].card = card(other);
        for (int i = 0; i <= 4; ++i)
            EXPECT_EQ(engine.pointerRefusal(i), Refusal::None) << other << " picture " << i;
        EXPECT_EQ(cardHint(t()), withFive);
        EXPECT_EQ(hintSentence(t()), sentence);
        EXPECT_EQ(ChooseCard(t(), 0, t().trumpSuit, -1), withFive);
    }
}

TEST_F(FirstLead, TheFirstTricksLeadCountsOnceLaid) {
    // The Five led by another seat: the Jack must follow to it on a hand bid at 30.
    leadAtThirty(0);
    t().trickCardCount = 1;
    EXPECT_FALSE(t().firstLeadOfHand());
    EXPECT_EQ(t().leadForPlay(), Card::of(5, Spades));
    EXPECT_EQ(engine.pointerRefusal(1), Refusal::Whisk);
    EXPECT_EQ(engine.pointerRefusal(0), Refusal::None);
    // A later trick's lead reads the last lead, as before.
    t().trickCardCount = 0;
    t().tricksPlayed = 2;
    EXPECT_EQ(t().leadForPlay(), Card::of(5, Spades));
}

} // namespace
