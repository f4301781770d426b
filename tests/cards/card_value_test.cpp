// Rank values: every card under every trump suit and every led suit, checked against the rank
// orders written out as the game's four order strings, read the way the rules read them.
#include "cards/card.h"
#include "cards/card_value.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

using testing::card;

// The orders, lowest first; "XX" holds the place of the Ace of hearts among the trumps.
const std::string redTrump = "02-03-04-06-07-08-09-10-12-13-01-XX-11-05";
const std::string blackTrump = "10-09-08-07-06-04-03-02-12-13-01-XX-11-05";
const std::string redPlain = "01-02-03-04-05-06-07-08-09-10-11-12-13";
const std::string blackPlain = "10-09-08-07-06-05-04-03-02-01-11-12-13";

int placeIn(const std::string& order, int face) {
    const std::string two = (face < 10 ? "0" : "") + std::to_string(face);
    const auto p = order.find(two);
    return p == std::string::npos ? -1 : static_cast<int>(p) / 3 + 1;
}

int referenceValue(Card card, int trump, int lead) {
    if (card.isAceOfHearts())
        return 112;
    const bool red = card.suit() == 1 || card.suit() == 3;
    if (card.suit() == trump) {
        const bool redTrumpSuit = trump == 1 || trump == 3;
        return 100 + placeIn(redTrumpSuit ? redTrump : blackTrump, card.face());
    }
    const int bonus = (lead != NoLeadSuit && lead == card.suit()) ? 50 : 0;
    return placeIn(red ? redPlain : blackPlain, card.face()) + bonus;
}

TEST(CardValue, EveryCardUnderEveryTrumpAndLead) {
    for (int trump = 0; trump < 4; ++trump)
        for (int lead = -1; lead < 4; ++lead)
            for (int n = 1; n <= 52; ++n) {
                const Card card = Card::fromNumber(n);
                ASSERT_EQ(CardValue(card, trump, lead), referenceValue(card, trump, lead))
                    << shortName(card) << " trump " << trump << " lead " << lead;
            }
    EXPECT_EQ(CardValue(Card{}, Spades, Spades), 0); // no card: below every card
}

} // namespace
} // namespace corvane
