// Which cards the local player may play: the trump obligation, reneging the top three trumps,
// the first trick of a 30 bid and "Must follow suit".
#include "cards/legal_play.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::card;
using testing::cards;

struct LegalRow {
    const char* name;
    int trump;
    const char* led;
    int trickCardCount;
    int tricksPlayed;
    int highBid;
    bool mustFollowSuit;
    const char* hand;
    const char* card;
    Refusal expected;
};

class LegalPlay : public ::testing::TestWithParam<LegalRow> {};

TEST_P(LegalPlay, Refusal) {
    const LegalRow& r = GetParam();
    PlayContext c;
    c.trumpSuit = r.trump;
    c.ledCard = card(r.led);
    c.trickCardCount = r.trickCardCount;
    c.cardsBeforeMe = r.trickCardCount;
    c.tricksPlayed = r.tricksPlayed;
    c.highBid = r.highBid;
    c.mustFollowSuit = r.mustFollowSuit;
    EXPECT_EQ(checkLocalPlay(cards(r.hand), card(r.card), c), r.expected) << r.name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, LegalPlay,
    ::testing::Values(
        // A low trump led: the Jack (a top trump) may be held back.
        LegalRow{"renege jack under led nine", Spades, "9S", 1, 1, 20, false, "JS 2D KC", "2D",
                 Refusal::None},
        // The Five led: the Jack is below it, so it is obligatory.
        LegalRow{"jack obliged under led five", Spades, "5S", 1, 1, 20, false, "JS 2D KC", "2D",
                 Refusal::Whisk},
        LegalRow{"trump always playable", Spades, "5S", 1, 1, 20, false, "JS 2D KC", "JS",
                 Refusal::None},
        // The Ace of hearts is a trump for the obligation whatever the trump suit.
        LegalRow{"ace of hearts obliged under five", Clubs, "5C", 1, 1, 20, false, "AH 2D", "2D",
                 Refusal::Whisk},
        LegalRow{"ace of hearts reneged under low trump", Clubs, "6C", 1, 1, 20, false, "AH 2D", "2D",
                 Refusal::None},
        // A 30 bid, first trick: the leader holding a low trump must lead a trump.
        LegalRow{"thirty first trick lead", Spades, "9S", 0, 0, 30, false, "4S 2D KC", "KC",
                 Refusal::Whisk},
        LegalRow{"thirty second trick lead", Spades, "9S", 0, 1, 30, false, "4S 2D KC", "KC",
                 Refusal::None},
        LegalRow{"twenty five first trick lead", Spades, "9S", 0, 0, 25, false, "4S 2D KC", "KC",
                 Refusal::None},
        // Plain suit led, "Must follow suit" off: anything goes.
        LegalRow{"plain lead no follow rule", Spades, "3D", 1, 0, 25, false, "4S 8D KC", "KC",
                 Refusal::None},
        // With the rule: trump or the led suit, not a third suit.
        LegalRow{"follow suit refuses third suit", Spades, "3D", 1, 1, 25, true, "4S 8D KC", "KC",
                 Refusal::FollowSuit},
        LegalRow{"follow suit allows led suit", Spades, "3D", 1, 1, 25, true, "4S 8D KC", "8D",
                 Refusal::None},
        LegalRow{"follow suit allows trump", Spades, "3D", 1, 1, 25, true, "4S 8D KC", "4S",
                 Refusal::None},
        // The Ace of hearts never counts as holding hearts.
        LegalRow{"ace of hearts is not a heart", Spades, "QH", 1, 1, 25, true, "AH KC", "KC",
                 Refusal::None},
        // The leader is never bound to follow.
        LegalRow{"leader free to lead", Spades, "3D", 0, 1, 25, true, "8D KC", "KC",
                 Refusal::None},
        // Both rules broken: the trump message wins.
        LegalRow{"whisk before follow", Spades, "9S", 1, 0, 30, true, "4S 2D KC", "KC",
                 Refusal::Whisk}));
// clang-format on

TEST(LegalPlay, Messages) {
    EXPECT_STREQ(refusalMessage(Refusal::Whisk), "There's a whisk to the board.");
    EXPECT_STREQ(refusalMessage(Refusal::FollowSuit), "You have to follow suit.");
    EXPECT_STREQ(refusalMessage(Refusal::None), "");
}

} // namespace
} // namespace corvane
