// Which cards the local player may play: the trump obligation, reneging the top three trumps,
// the first trick of a 30 bid and "Must follow suit".
#include "cards/legal_play.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

struct LegalRow {
    const char* name;
    int trump;
    Card led;
    int trickCardCount;
    int tricksPlayed;
    int highBid;
    bool mustFollowSuit;
    std::vector<Card> hand;
    Card card;
    Refusal expected;
};

class LegalPlay : public ::testing::TestWithParam<LegalRow> {};

TEST_P(LegalPlay, Refusal) {
    const LegalRow& r = GetParam();
    PlayContext c;
    c.trumpSuit = r.trump;
    c.ledCard = r.led;
    c.trickCardCount = r.trickCardCount;
    c.cardsBeforeMe = r.trickCardCount;
    c.tricksPlayed = r.tricksPlayed;
    c.highBid = r.highBid;
    c.mustFollowSuit = r.mustFollowSuit;
    EXPECT_EQ(checkLocalPlay(r.hand, r.card, c), r.expected) << r.name;
}

const Card nineS = Card::of(9, Spades), jackS = Card::of(Jack, Spades), fiveS = Card::of(5, Spades);
const Card fourS = Card::of(4, Spades), twoD = Card::of(2, Diamonds), kingC = Card::of(King, Clubs);
const Card threeD = Card::of(3, Diamonds), queenH = Card::of(Queen, Hearts);
const Card sixC = Card::of(6, Clubs), eightD = Card::of(8, Diamonds);

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, LegalPlay,
    ::testing::Values(
        // A low trump led: the Jack (a top trump) may be held back.
        LegalRow{"renege jack under led nine", Spades, nineS, 1, 1, 20, false,
                 {jackS, twoD, kingC}, twoD, Refusal::None},
        // The Five led: the Jack is below it, so it is obligatory.
        LegalRow{"jack obliged under led five", Spades, fiveS, 1, 1, 20, false,
                 {jackS, twoD, kingC}, twoD, Refusal::Whisk},
        LegalRow{"trump always playable", Spades, fiveS, 1, 1, 20, false,
                 {jackS, twoD, kingC}, jackS, Refusal::None},
        // The Ace of hearts is a trump for the obligation whatever the trump suit.
        LegalRow{"ace of hearts obliged under five", Clubs, Card::of(5, Clubs), 1, 1, 20, false,
                 {AceOfHearts, twoD}, twoD, Refusal::Whisk},
        LegalRow{"ace of hearts reneged under low trump", Clubs, sixC, 1, 1, 20, false,
                 {AceOfHearts, twoD}, twoD, Refusal::None},
        // A 30 bid, first trick: the leader holding a low trump must lead a trump.
        LegalRow{"thirty first trick lead", Spades, nineS, 0, 0, 30, false,
                 {fourS, twoD, kingC}, kingC, Refusal::Whisk},
        LegalRow{"thirty second trick lead", Spades, nineS, 0, 1, 30, false,
                 {fourS, twoD, kingC}, kingC, Refusal::None},
        LegalRow{"twenty five first trick lead", Spades, nineS, 0, 0, 25, false,
                 {fourS, twoD, kingC}, kingC, Refusal::None},
        // Plain suit led, "Must follow suit" off: anything goes.
        LegalRow{"plain lead no follow rule", Spades, threeD, 1, 0, 25, false,
                 {fourS, eightD, kingC}, kingC, Refusal::None},
        // With the rule: trump or the led suit, not a third suit.
        LegalRow{"follow suit refuses third suit", Spades, threeD, 1, 1, 25, true,
                 {fourS, eightD, kingC}, kingC, Refusal::FollowSuit},
        LegalRow{"follow suit allows led suit", Spades, threeD, 1, 1, 25, true,
                 {fourS, eightD, kingC}, eightD, Refusal::None},
        LegalRow{"follow suit allows trump", Spades, threeD, 1, 1, 25, true,
                 {fourS, eightD, kingC}, fourS, Refusal::None},
        // The Ace of hearts never counts as holding hearts.
        LegalRow{"ace of hearts is not a heart", Spades, queenH, 1, 1, 25, true,
                 {AceOfHearts, kingC}, kingC, Refusal::None},
        // The leader is never bound to follow.
        LegalRow{"leader free to lead", Spades, threeD, 0, 1, 25, true,
                 {eightD, kingC}, kingC, Refusal::None},
        // Both rules broken: the trump message wins.
        LegalRow{"whisk before follow", Spades, nineS, 1, 0, 30, true,
                 {fourS, twoD, kingC}, kingC, Refusal::Whisk}));
// clang-format on

TEST(LegalPlay, Messages) {
    EXPECT_STREQ(refusalMessage(Refusal::Whisk), "There's a whisk to the board.");
    EXPECT_STREQ(refusalMessage(Refusal::FollowSuit), "You have to follow suit.");
    EXPECT_STREQ(refusalMessage(Refusal::None), "");
}

} // namespace
} // namespace corvane
