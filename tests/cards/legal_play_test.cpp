// Which cards the local player may play: the trump obligation, reneging the top three trumps,
// the first trick of a 30 bid and "Must follow suit".
#include "cards/legal_play.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>
#include <vector>

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
using enum Refusal;
INSTANTIATE_TEST_SUITE_P(Rules, LegalPlay, ::testing::ValuesIn(std::vector<LegalRow>{
    // A low trump led: the Jack (a top trump) may be held back.
    {"renege jack under led nine", Spades, "9S", 1, 1, 20, false, "JS 2D KC", "2D", None},
    // The Five led: the Jack is below it, so it is obligatory.
    {"jack obliged under led five", Spades, "5S", 1, 1, 20, false, "JS 2D KC", "2D", Whisk},
    {"trump always playable", Spades, "5S", 1, 1, 20, false, "JS 2D KC", "JS", None},
    // The Ace of hearts is a trump for the obligation whatever the trump suit.
    {"ace of hearts obliged under five", Clubs, "5C", 1, 1, 20, false, "AH 2D", "2D", Whisk},
    {"ace of hearts reneged under low trump", Clubs, "6C", 1, 1, 20, false, "AH 2D", "2D", None},
    // A 30 bid, first trick: the leader holding a low trump must lead a trump.
    {"thirty first trick lead", Spades, "9S", 0, 0, 30, false, "4S 2D KC", "KC", Whisk},
    {"thirty second trick lead", Spades, "9S", 0, 1, 30, false, "4S 2D KC", "KC", None},
    {"twenty five first trick lead", Spades, "9S", 0, 0, 25, false, "4S 2D KC", "KC", None},
    // Plain suit led, "Must follow suit" off: anything goes.
    {"plain lead no follow rule", Spades, "3D", 1, 0, 25, false, "4S 8D KC", "KC", None},
    // With the rule: trump or the led suit, not a third suit.
    {"follow suit refuses third suit", Spades, "3D", 1, 1, 25, true, "4S 8D KC", "KC", FollowSuit},
    {"follow suit allows led suit", Spades, "3D", 1, 1, 25, true, "4S 8D KC", "8D", None},
    {"follow suit allows trump", Spades, "3D", 1, 1, 25, true, "4S 8D KC", "4S", None},
    // The Ace of hearts never counts as holding hearts.
    {"ace of hearts is not a heart", Spades, "QH", 1, 1, 25, true, "AH KC", "KC", None},
    // The leader is never bound to follow.
    {"leader free to lead", Spades, "3D", 0, 1, 25, true, "8D KC", "KC", None},
    // Both rules broken: the trump message wins.
    {"whisk before follow", Spades, "9S", 1, 0, 30, true, "4S 2D KC", "KC", Whisk}}));
// clang-format on

} // namespace
} // namespace corvane
