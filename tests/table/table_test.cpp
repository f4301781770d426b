// The card pictures' tags and the routines that turn and mark them.
#include "table/table.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::card;

TEST(CardPicture, TagIsTheTwoDigitNumberAndTheState) {
    Table t;
    t.picCard[3].card = card("5S");
    t.picCard[3].state = TagState::Up;
    EXPECT_EQ(t.picCard[3].tag(), "05U");
    t.picCard[3].card = AceOfHearts;
    t.picCard[3].state = TagState::Thrown;
    EXPECT_EQ(t.picCard[3].tag(), "40X");
    EXPECT_EQ(cardStateNumber(TagState::Thrown), 0);
    EXPECT_EQ(cardStateNumber(TagState::Played), 3);
    EXPECT_EQ(t.CardRank(3), Ace);
    EXPECT_EQ(t.CardSuit(3), Hearts);
}

TEST(CardPicture, MarkingAndFlipping) {
    Table t;
    t.picCard[0].card = card("9C");
    t.picCard[0].state = TagState::Up;
    // Marked twice, a face-up card ends face down, not face up.
    t.MarkDiscard(0);
    EXPECT_EQ(t.CardState(0), TagState::Thrown);
    EXPECT_FALSE(t.picCard[0].showsFace());
    t.MarkDiscard(0);
    EXPECT_EQ(t.CardState(0), TagState::Down);
    // A thrown-away card cannot be flipped.
    t.MarkDiscard(0);
    EXPECT_FALSE(t.FlipCard(0));
    EXPECT_EQ(t.CardState(0), TagState::Thrown);
    EXPECT_STREQ(CannotFlipMessage, "Cannot Flip Discarded Card");
    // A played card keeps its state and its face.
    t.picCard[0].state = TagState::Played;
    EXPECT_TRUE(t.FlipCard(0));
    t.MarkDiscard(0);
    EXPECT_EQ(t.CardState(0), TagState::Played);
    EXPECT_TRUE(t.picCard[0].showsFace());
    t.TurnCardUp(0);
    EXPECT_EQ(t.CardState(0), TagState::Up);
}

// Who deals shows from the first card dealt, beside the dealer's own name wherever the local
// player sits.
TEST(DealerMark, FromTheDealOnBesideTheDealersName) {
    Table t;
    EXPECT_FALSE(t.dealerMarkShown()); // before the first deal
    t.picCard[7].visible = true;       // the deal's first card lands
    EXPECT_TRUE(t.dealerMarkShown());
    t.picCard[7].visible = false;
    t.gamePhase = GamePhase::Bidding;
    EXPECT_TRUE(t.dealerMarkShown());
    t.dealerSeat = 1;
    EXPECT_EQ(t.dealerLabel(), 1);
    t.localSeat = 3; // an odd seat: turning the wrong way round gives another label
    EXPECT_EQ(t.dealerLabel(), 2);
}

TEST(Numbering, LocalAndHostPictures) {
    Table t;
    t.localSeat = 1;
    // Seat 1 sees its own cards on pictures 0-4 and the host's card 12 as its picture 7.
    EXPECT_EQ(t.localPicture(12), 7);
    EXPECT_EQ(t.localPicture(0), 15);
    EXPECT_EQ(t.hostPicture(2), 7);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(t.hostPicture(t.localPicture(i)), i);
    EXPECT_EQ(nextSeat(3), 0);
    EXPECT_EQ(previousSeat(0), 3);
    EXPECT_EQ(partnerOf(3), 1);
}

} // namespace
} // namespace corvane
