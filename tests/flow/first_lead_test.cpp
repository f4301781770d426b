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
        t().gamePhase = PhasePlay;
        t().trumpSuit = Spades;
        t().highBid = 30;
        t().bidderSeat = 0;
        t().tricksPlayed = tricksPlayed;
        t().trickCardCount = 0;
        t().turnSeat = 0;
        t().trickWinnerCard = -1;
        t().buttonMenu.visible = false;
        t().lblPlayerName[0].underline = true;
        place(0, {Card::of(Jack, Spades), Card::of(2, Diamonds), Card::of(King, Clubs),
                  Card::of(8, Hearts), Card::of(9, Hearts)});
        place(5,
              {Card::of(3, Clubs), Card::of(4, Clubs), Card::of(5, Spades), Card::of(6, Clubs),
               Card::of(7, Clubs)},
              TagState::Down);
        t().ledCard = 7;
    }
};

TEST_F(FirstLead, HidesNothingAndForcesNothingAtTheHandsFirstLead) {
    leadAtThirty(0);
    EXPECT_TRUE(t().firstLeadOfHand());
    EXPECT_EQ(t().leadForPlay(), Card{});
    // The Jack may renege: every card may lead, and the pointer tells nothing of picture 7.
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(engine.pointerRefusal(i), Refusal::None) << "picture " << i;
    // The same hand with another card on picture 7 gives the same answers.
    place(5,
          {Card::of(3, Clubs), Card::of(4, Clubs), Card::of(2, Hearts), Card::of(6, Clubs),
           Card::of(7, Clubs)},
          TagState::Down);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(engine.pointerRefusal(i), Refusal::None) << "picture " << i;
}

TEST_F(FirstLead, ComputerAndHintLeadTheSameWhateverLayOnTheOldLeadPicture) {
    leadAtThirty(0);
    const int withFive = cardHint(t());
    const std::string sentence = hintSentence(t());
    for (Card other : {Card::of(2, Hearts), Card::of(Queen, Diamonds), Card::of(Ace, Clubs)}) {
        place(
            5,
            {Card::of(3, Clubs), Card::of(4, Clubs), other, Card::of(6, Clubs), Card::of(7, Clubs)},
            TagState::Down);
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
