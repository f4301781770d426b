// The local player's marking and Auto-Discard, the local bidder's kitty and the draw. What the
// computer seats throw and the kitty's moves are the trace checker's (tests/tools/check_trace.py).
#include "players/discard.h"
#include "tests/flow/engine_fixture.h"

#include <numeric>

namespace corvane::testing {
namespace {

class Discard : public EngineFixture {
protected:
    void discardPhase(int bidder, int trump) {
        t().gamePhase = PhaseDiscard;
        t().bidderSeat = bidder;
        t().trumpSuit = trump;
        t().highBid = 20;
        t().lblBid[4].visible = true;
        t().lblBid[4].caption = "20";
    }
};

TEST_F(Discard, BidderWithSevenCardsThrowsTheTwoLowest) {
    // Local bidder, trump hearts, keeping all five and two kitty cards.
    place(0, "5H JH 2H 3C KS");
    place(20, "9H QH 4D");
    discardPhase(0, Hearts);
    engine.toggleDiscardMark(22); // marks the 4 of diamonds from the kitty
    ASSERT_EQ(CountCards(t(), 0) + CountCards(t(), 4), 7);
    engine.TakeKitty();
    // The 3 of clubs (plain, 8 in black) goes before the King of spades (13); both plain cards
    // are below every trump.
    EXPECT_EQ(t().CardState(3), TagState::Up); // refilled from the kitty
    EXPECT_EQ(t().cardAt(3), card("9H"));
    EXPECT_EQ(t().cardAt(4), card("QH"));
    EXPECT_EQ(CountCards(t(), 0), 5);
}

TEST_F(Discard, LowestCardTiesKeepTheHandCard) {
    place(0, "2S JH");
    place(2, "KH QH 5H");
    place(20, "2S 3D 4H");
    t().trumpSuit = Hearts;
    // The 2 of spades (9) ties with the kitty's copy; the hand card is first. The 3 of diamonds
    // is 3, lower still.
    EXPECT_EQ(LowestCard(t(), 0), 21);
    t().picCard[21].state = TagState::Thrown;
    EXPECT_EQ(LowestCard(t(), 0), 0);
}

TEST_F(Discard, MarkingByClickAndAutoDiscard) {
    place(0, "5S 3C AH KD 9S");
    place(20, "2C 4S 6D");
    discardPhase(1, Spades);
    engine.SetupButtons(ButtonMode::Discard);
    const auto hand = [&] { return states().substr(0, 5); };

    // A click lifts and marks; a second click restores the card face up at home.
    engine.clickCard(1);
    EXPECT_EQ(hand(), "UXUUU");
    EXPECT_EQ(t().picCard[1].position.top, MarkedCardTop);
    engine.clickCard(1);
    EXPECT_EQ(hand(), "UUUUU");
    EXPECT_EQ(t().picCard[1].position.top, LocalHandTop);
    // Not the bidder: kitty clicks and other seats' cards do nothing.
    engine.clickCard(21);
    engine.clickCard(7);
    EXPECT_EQ(t().CardState(21), TagState::Up);
    // Auto-Discard marks the non-trumps; the Ace of hearts is always kept. Pressed twice, it
    // restores the hand.
    engine.clickButton(0);
    EXPECT_EQ(hand(), "UXUXU");
    engine.clickButton(0);
    EXPECT_EQ(hand(), "UUUUU");
    // All trumps: nothing to mark.
    place(0, "5C 3C 4C 6C 7C");
    t().trumpSuit = Clubs;
    engine.autoDiscard();
    EXPECT_EQ(hand(), "UUUUU");

    // Kitty clicks need trump named and the local bidder.
    t().bidderSeat = 0;
    t().lblBid[4].visible = false;
    engine.clickCard(20);
    EXPECT_EQ(t().CardState(20), TagState::Up);
    t().lblBid[4].visible = true;
    engine.clickCard(20);
    EXPECT_EQ(t().CardState(20), TagState::Thrown);
}

// The stock each place draws from is the trace checker's; here what the draw shows and counts.
TEST_F(Discard, DrawRefillsThePlacesAndTheBiddersLeftLeads) {
    // A dealt hand, picture i holding deck[i]: seat 0 throws pictures 1 and 3, seat 1 picture 5,
    // and the bidder (seat 2) keeps its five and throws the kitty away.
    std::iota(t().deck.begin(), t().deck.end(), 0);
    for (int i = 0; i <= 22; ++i)
        place(i, shortName(Card::fromDeckIndex(i)),
              i == 1 || i == 3 || i == 5 || i >= 20 ? TagState::Thrown
              : i < 5                               ? TagState::Up
                                                    : TagState::Down);
    discardPhase(2, Spades);
    Task draw = engine.OfflineAction(Engine::OfflineStep::Draw);
    clock.runUntilIdle();
    EXPECT_EQ(t().cardAt(1).deckIndex(), 29); // pictures 0-4 take stock 28-32
    EXPECT_EQ(t().CardState(1), TagState::Up);
    EXPECT_EQ(t().CardState(5), TagState::Down);
    EXPECT_EQ(t().drawCount, (std::array<int, 4>{2, 1, 0, 0}));
    EXPECT_EQ(t().gamePhase, PhasePlay);
    // Play starts at the bidder's left: seat 3 leads, then it is the local player's turn.
    EXPECT_EQ(t().ledCard, t().trickSeatCard[3]);
    EXPECT_GE(t().ledCard, 15);
    EXPECT_EQ(t().turnSeat, 0);
    EXPECT_TRUE(t().lblPlayerName[0].underline);
    EXPECT_EQ(t().tricksPlayed, 0);
}

} // namespace
} // namespace corvane::testing
