// The routines that turn and mark the card pictures, and the dealer's mark.
#include "table/table.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::card;

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

} // namespace
} // namespace corvane
