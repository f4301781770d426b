// The computer's card: economy when the partner wins, the highest card in second and third place,
// the first trick's defenders, the 20 bid's trump lead, and the cases left to us.
#include "cards/card_value.h"
#include "players/card_play.h"
#include "table/table.h"
#include "tests/players/trick_setup.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

class CardChoice : public ::testing::Test {
protected:
    void hand(int seat, std::vector<Card> cards) {
        for (size_t k = 0; k < 5; ++k) {
            auto& p = table.picCard[static_cast<size_t>(5 * seat) + k];
            if (k < cards.size()) {
                p.card = cards[k];
                p.state = TagState::Down;
            } else {
                p.card = Card::of(static_cast<int>(k) + 2, Spades);
                p.state = TagState::Played;
            }
        }
    }
    // Seat `seat` lays `card` (on its picture `slot`) into the trick.
    void lay(int seat, int slot, Card card) {
        const int picture = 5 * seat + slot;
        table.picCard[static_cast<size_t>(picture)].card = card;
        testing::layCard(table, picture);
    }
    int choose(int seat) { return ChooseCard(table, seat, table.trumpSuit, table.trickWinnerCard); }

    void SetUp() override {
        table.trumpSuit = Spades;
        table.highBid = 25;
        table.bidderSeat = 1;
        table.tricksPlayed = 1;
        table.trickCardCount = 0;
        table.trickWinnerCard = -1;
    }
    Table table;
};

TEST_F(CardChoice, LastToPlayWithPartnerWinningPlaysCheapest) {
    // Seat 0 last: seat 1 led the King of diamonds, partner seat 2 trumped with the Jack.
    table.trickSeatCard = {-1, -1, -1, -1};
    lay(1, 4, Card::of(King, Diamonds));
    lay(2, 4, Card::of(Jack, Spades));
    lay(3, 4, Card::of(3, Diamonds));
    hand(0,
         {Card::of(5, Spades), Card::of(8, Diamonds), Card::of(Queen, Clubs), Card::of(2, Hearts)});
    // The Five could overtake, but the partner already wins: the cheapest card goes.
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(2, Hearts));
}

TEST_F(CardChoice, LastToPlayOvertakesWithTheCheapestWinningTrump) {
    lay(1, 4, Card::of(King, Diamonds));
    lay(2, 4, Card::of(3, Diamonds));
    lay(3, 4, Card::of(9, Spades)); // an opponent trumped
    hand(0, {Card::of(5, Spades), Card::of(2, Spades), Card::of(8, Spades), Card::of(2, Hearts)});
    // 9 of spades is 102; the 8 (103) is the cheapest trump above it.
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(8, Spades));
}

TEST_F(CardChoice, SecondToPlayGoesHighest) {
    table.bidderSeat = 3;
    lay(3, 4, Card::of(4, Hearts));
    hand(0, {Card::of(5, Spades), Card::of(2, Spades), Card::of(8, Diamonds)});
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(5, Spades));
}

TEST_F(CardChoice, TwentyBidLeadsTheLowestTrumpWhenThePartnerDrewLittle) {
    table.highBid = 20;
    table.bidderSeat = 0;
    table.drawCount = {0, 0, 2, 0};
    hand(0,
         {Card::of(5, Spades), Card::of(2, Spades), Card::of(10, Spades), Card::of(King, Hearts)});
    // Black trumps rank the 10 lowest.
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(10, Spades));
    table.drawCount = {0, 0, 4, 0};
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(5, Spades));
    table.drawCount = {0, 0, 2, 0};
    table.highBid = 25;
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(5, Spades));
}

TEST_F(CardChoice, LeadingWithNoTrumpLeft) {
    // Our choice: with no trump for the 20 bid's trump lead, the seat leads its best card.
    table.highBid = 20;
    table.bidderSeat = 0;
    hand(0, {Card::of(King, Hearts), Card::of(3, Diamonds)});
    EXPECT_EQ(table.cardAt(choose(0)), Card::of(King, Hearts));
}

TEST_F(CardChoice, FirstTrickDefendersDoNotTryToWin) {
    table.tricksPlayed = 0;
    table.bidderSeat = 3;
    lay(0, 4, Card::of(9, Hearts)); // seat 0 leads, the bidder's left
    hand(1, {Card::of(5, Spades), Card::of(2, Hearts), Card::of(Queen, Hearts)});
    // Seat 1 is the bidder's partner: the Five is out of reach of the 6.2 rule, it plays cheap.
    EXPECT_EQ(table.cardAt(choose(1)), Card::of(2, Hearts));
}

TEST_F(CardChoice, FirstTrickSeatBeforeTheBidderGoesHighButNotTheFive) {
    table.tricksPlayed = 0;
    table.bidderSeat = 3;
    lay(0, 4, Card::of(9, Hearts));
    lay(1, 4, Card::of(2, Hearts));
    hand(2, {Card::of(5, Spades), Card::of(Jack, Spades), Card::of(3, Hearts)});
    // Seat 2 is before the bidder: the Jack, its highest but the Five, beats the 9.
    EXPECT_EQ(table.cardAt(choose(2)), Card::of(Jack, Spades));
}

TEST_F(CardChoice, ThirtyBidAndFollowSuitConflictTakesTheObligation) {
    table.highBid = 30;
    table.mustFollowSuit = true;
    table.bidderSeat = 0;
    lay(0, 4, Card::of(King, Diamonds));
    hand(1, {Card::of(4, Spades), Card::of(3, Diamonds), Card::of(2, Clubs)});
    const int card = choose(1);
    EXPECT_EQ(table.cardAt(card), Card::of(4, Spades));
}

TEST_F(CardChoice, HighestCardIgnoresPlayedAndTiesKeepTheFirst) {
    table.trumpSuit = Hearts;
    hand(0, {Card::of(5, Hearts), Card::of(King, Clubs), Card::of(King, Spades)});
    EXPECT_EQ(HighestCard(table, 0, Hearts), 0);
    EXPECT_EQ(HighestCardButFive(table, 0, Hearts), 1);
    table.picCard[0].state = TagState::Played;
    EXPECT_EQ(HighestCard(table, 0, Hearts), 1);
}

TEST_F(CardChoice, AlwaysAnUnplayedCardOfTheSeat) {
    // Every trump, every led suit, a few hands: the answer is always one of the seat's own
    // unplayed cards.
    for (int trump = 0; trump < 4; ++trump) {
        for (int lead = 0; lead < 4; ++lead) {
            for (bool follow : {false, true}) {
                table.trumpSuit = trump;
                table.mustFollowSuit = follow;
                table.highBid = 30;
                table.trickCardCount = 0;
                table.trickWinnerCard = -1;
                table.trickSeatCard = {-1, -1, -1, -1};
                lay(3, 0, Card::of(7, lead));
                hand(0, {Card::of(6, trump), Card::of(9, lead), Card::of(Queen, (lead + 1) % 4)});
                const int card = choose(0);
                ASSERT_GE(card, 0);
                ASSERT_LE(card, 4);
                EXPECT_NE(table.CardState(card), TagState::Played);
            }
        }
    }
}

} // namespace
} // namespace corvane
