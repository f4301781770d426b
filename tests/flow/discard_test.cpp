// The local player's marking and Auto-Discard, the kitty's lowest card and the draw. What the
// computer seats throw, the bidder's kitty and the stock each place draws from are the trace
// checker's (tests/tools/check_trace.py).
#include "players/discard.h"
#include "tests/flow/engine_fixture.h"

#include <numeric>

namespace corvane::testing {
namespace {

class Discard : public EngineFixture {
protected:
    void discardPhase(int bidder, int trump) {
        t().gamePhase = GamePhase::Discard;
        t().bidderSeat = bidder;
        t().trumpSuit = trump;
        t().highBid = 20;
        t().trumpNamed = true;
    }
};

// Only the local bidder may keep plain cards to the kitty, so only here can the lowest tie.
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
    const auto hand = [&] {
        std::string letters;
        for (int i = 0; i < 5; ++i)
            letters += static_cast<char>(t().CardState(i));
        return letters;
    };

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
    t().trumpNamed = false;
    engine.clickCard(20);
    EXPECT_EQ(t().CardState(20), TagState::Up);
    t().trumpNamed = true;
    engine.clickCard(20);
    EXPECT_EQ(t().CardState(20), TagState::Thrown);
}

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
    // Clicks on drawn cards while the draw goes on (one home, one still gliding in) mark
    // nothing: each one arrives playable, at home.
    clock.runNext();
    for (int i : {1, 3})
        engine.clickCard(i);
    clock.runUntilIdle();
    EXPECT_EQ(t().cardAt(1).deckIndex(), 29); // pictures 0-4 take stock 28-32
    EXPECT_EQ(t().CardState(1), TagState::Up);
    EXPECT_EQ(t().CardState(3), TagState::Up);
    EXPECT_EQ(t().picCard[3].position.top, LocalHandTop);
    EXPECT_EQ(t().CardState(5), TagState::Down);
    EXPECT_EQ(t().drawCount, (std::array<int, 4>{2, 1, 0, 0}));
    EXPECT_EQ(t().gamePhase, GamePhase::Play);
    // Play starts at the bidder's left: seat 3 leads, then it is the local player's turn.
    EXPECT_EQ(t().ledCard, t().trickSeatCard[3]);
    EXPECT_GE(t().ledCard, 15);
    EXPECT_EQ(t().turnSeat, 0);
    EXPECT_TRUE(t().awaitedSeat == t().localSeat);
    EXPECT_EQ(t().tricksPlayed, 0);
}

} // namespace
} // namespace corvane::testing
