// The auction with the local player: its bid, the dealer's hold it may make, the bidder who
// passes after a hold, everybody passing, and a disabled bid refused. Which bids the dialog
// enables are the players' rows (allowedBids); the computer's auctions the trace checker's.
#include "table/presenter.h"
#include "tests/flow/engine_fixture.h"

namespace corvane::testing {
namespace {

// Hands without a Five or a Jack never bid; a Five alone bids 20 in its suit.
const char* const weak0 = "2S 3D 4C 6H 7S";
const char* const weak1 = "8S 9D 10C 2H 3S";
const char* const weak2 = "4S 6D 7C 3H 8D";
const char* const weak3 = "9S 10D 2C 7H 9C";
const char* const fiveClubs = "5C 2D 3C 4H 6S";
const char* const fiveDiamonds = "5D 8C 10S 8H 4D";

class Auction : public EngineFixture {
protected:
    void open(int dealer) {
        t().dealerSeat = dealer;
        t().bidTurnSeat = dealer;
        t().gamePhase = GamePhase::Bidding;
        t().highBid = 0;
        t().bidsMade = 0;
        t().buttonMode = ButtonMode::Hidden;
        place(KittyFirst, "QS QC KS", TagState::Down);
        flow = engine.ComputerBidding();
        clock.runUntilIdle();
    }
    void hands(const char* h0, const char* h1, const char* h2, const char* h3) {
        place(0, h0);
        place(5, h1, TagState::Down);
        place(10, h2, TagState::Down);
        place(15, h3, TagState::Down);
    }
    std::string bid(int seat) { return present(t()).lblBid[static_cast<size_t>(seat)].caption; }
    Task flow;
};

TEST_F(Auction, DealerThreeEveryonePassesButSeatOne) {
    hands(weak0, fiveClubs, weak2, weak3);
    open(3);
    // Seat 0 is first from the dealer's left.
    ASSERT_TRUE(t().localChoice == LocalChoice::Bid);
    EXPECT_TRUE(engine.clickBid(0));
    clock.runUntilIdle();
    // The bids and the auction's end are the trace checker's; here what the table shows.
    EXPECT_EQ(t().bidderSeat, 1);
    EXPECT_EQ(t().trumpSuit, Clubs);
    EXPECT_TRUE(present(t()).imgTrumpVisible);
    EXPECT_EQ(present(t()).lblBid[4].caption, "20");
    EXPECT_EQ(present(t()).lblPlayerName[1].color, LabelColor::White);
    EXPECT_EQ(present(t()).buttonMenu.modeX, ButtonMode::Discard);
}

TEST_F(Auction, LocalDealerHoldsAndTheDialogOffersTheHold) {
    hands(fiveDiamonds, fiveClubs, weak2, weak3);
    open(0);
    // Seat 1 bid 20; as dealer the local player may hold at 20.
    ASSERT_TRUE(t().localChoice == LocalChoice::Bid);
    ASSERT_TRUE(engine.clickBid(1));
    EXPECT_EQ(bid(0), "20");
    EXPECT_EQ(t().bidderSeat, 1); // a hold changes neither the high bid nor the bidder
    EXPECT_EQ(t().highBid, 20);
    clock.runUntilIdle();
    // Seat 1 passed back, so the holding dealer names trump.
    EXPECT_EQ(bid(1), "Pass");
    EXPECT_EQ(t().bidderSeat, 0);
    EXPECT_TRUE(t().localChoice == LocalChoice::Trump);
    EXPECT_TRUE(engine.clickTrump(Hearts));
    EXPECT_EQ(t().trumpSuit, Hearts);
    EXPECT_FALSE(t().localChoice == LocalChoice::Trump);
    // The local bidder sees the kitty face up.
    for (int i = KittyFirst; i <= 22; ++i)
        EXPECT_EQ(t().CardState(i), TagState::Up);
}

TEST_F(Auction, EverybodyPassesAndTheNextDealerDeals) {
    for (const auto& [dealer, message] :
         {std::pair{2, "Mabel calls for a misdeal."}, {0, "You called for a misdeal."}}) {
        engine.newGame();
        hands(weak0, weak1, weak2, weak3);
        t().seats[2].name = "Mabel";
        open(dealer);
        ASSERT_TRUE(engine.clickBid(0));
        clock.runUntilIdle();
        EXPECT_EQ(english(t().message), message);
        for (int i = 0; i <= 22; ++i)
            EXPECT_EQ(t().CardState(i), TagState::Up) << "picture " << i;
        engine.clickButton(1);
        clock.runUntilIdle();
        // A new hand is dealt at once by the next dealer.
        EXPECT_EQ(t().dealerSeat, dealer + 1);
        EXPECT_EQ(t().gamePhase, GamePhase::Bidding);
        EXPECT_EQ(present(t()).lblBid[static_cast<size_t>(dealer + 1)].color, LabelColor::Red);
    }
}

TEST_F(Auction, DisabledBidsAreRefused) {
    hands(weak0, fiveClubs, weak2, weak3);
    open(0);
    // highBid 20 from seat 1; no Five in hand: only Pass and the hold at 20.
    EXPECT_FALSE(engine.clickBid(2));
    EXPECT_FALSE(engine.clickBid(3));
    EXPECT_EQ(bid(0), "");
    EXPECT_TRUE(engine.clickBid(0));
    EXPECT_FALSE(engine.clickBid(0)); // the dialog has closed
}

} // namespace
} // namespace corvane::testing
