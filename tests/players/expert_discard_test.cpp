// The Expert's discard: whatever it weighs, it keeps at most five of its own cards (the kitty's
// only as the bidder), never throws away a trump the rule keeps, and the same table and seed
// give the same choice.
#include "cards/card_value.h"
#include "players/discard.h"
#include "players/expert_discard.h"
#include "table/table.h"
#include "tests/support/table_row.h"

#include <algorithm>
#include <bit>
#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

struct DiscardRow {
    const char* name;
    int seat;
    const char* table; // after "trump S; dealer 3"
    int keep;          // the exact keep, -1 when only the rule's checks apply
};

// clang-format off
const DiscardRow discardRows[] = {
    {"no trump", 1, "bid 25 by 2; 1: KH QC 2D 9C KD; kitty 3H 4H 6H", -1},
    {"two trumps and plain kings", 2, "bid 25 by 0; 2: 5S KH JS KC 3D; kitty 3H 4H 6H", -1},
    {"the bidder with a kitty of plain cards", 0, "bid 25 by 0; 0: AS KH QD 2S KC; kitty KD QH 8C",
     -1},
    // Five, Jack, Ace of hearts, Ace of spades, 2: the 3 and the 4 go with the King of clubs.
    {"the bidder with six trumps keeps its best five", 1,
     "bid 30 by 1; 1: AS AH 2S 3S KC; kitty 5S JS 4S", 0b01100111},
};
// clang-format on

// The rule a computer seat discards by: its trumps and the Ace of hearts, whatever the trump;
// the bidder's best five of hand and kitty.
TEST(DiscardRule, KeepsTrumpsAndTheAceOfHearts) {
    struct Row {
        const char* hand;
        const char* kitty; // empty for a seat that is not the bidder
        int trump;
        const char* kept;
    };
    // clang-format off
    const Row rows[] = {
        {"2S AH 3C KD 4C", "", Clubs, "AH 3C 4C"},
        {"AH 2S 3S 4D 6D", "", Hearts, "AH"},
        {"5D JD AH 2D 3D", "4D KD 6S", Diamonds, "5D JD AH KD 4D"},
        {"2S 3S 4S AH KC", "QC 5H 6S", Spades, "AH 2S 3S 4S 6S"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.hand);
        std::array<std::uint8_t, 5> hand{};
        std::array<std::uint8_t, 3> kitty{};
        const auto number = [](Card c) { return static_cast<std::uint8_t>(c.number()); };
        std::ranges::transform(testing::cards(r.hand), hand.begin(), number);
        const std::vector<Card> kittyCards = testing::cards(r.kitty);
        std::ranges::transform(kittyCards, kitty.begin(), number);
        std::array<std::uint8_t, 8> kept{};
        const int count =
            keepByRule(hand, kittyCards.empty() ? nullptr : kitty.data(), 3, r.trump, kept);
        std::vector<Card> got;
        for (int i = 0; i < count; ++i)
            got.push_back(Card::fromNumber(kept[static_cast<size_t>(i)]));
        EXPECT_EQ(got, testing::cards(r.kept));
    }
}

TEST(ExpertDiscard, KeepsAtMostFiveOfItsOwnAndEveryTrumpTheRuleKeeps) {
    for (const DiscardRow& row : discardRows) {
        SCOPED_TRACE(row.name);
        Table t = testing::tableRow(std::string("trump S; dealer 3; ") + row.table);
        t.gamePhase = GamePhase::Discard;
        ExpertEffort effort;
        effort.discardSamples = 60;
        const unsigned keep = expertKeep(t, row.seat, effort);
        EXPECT_LE(std::popcount(keep), 5);
        const bool bidder = row.seat == t.bidderSeat;
        EXPECT_EQ(keep >> (bidder ? 8 : 5), 0u) << "a card it does not hold";
        EXPECT_TRUE(row.keep < 0 || keep == static_cast<unsigned>(row.keep)) << keep;
        // The trumps the rule keeps: every one of them, or the bidder's best five.
        std::vector<std::pair<int, int>> trumps; // value, bit
        for (int i = 0; i < (bidder ? 8 : 5); ++i) {
            const int v = t.CardValue(i < 5 ? 5 * row.seat + i : KittyFirst + i - 5, t.trumpSuit);
            if (isTrumpValue(v))
                trumps.emplace_back(v, i);
        }
        std::sort(trumps.rbegin(), trumps.rend());
        for (size_t n = 0; n < trumps.size() && n < 5; ++n)
            EXPECT_TRUE((keep >> trumps[n].second) & 1u) << "trump " << n;
        EXPECT_EQ(keep, expertKeep(t, row.seat, effort)) << "the same seed, the same keep";
    }
}

} // namespace
} // namespace corvane
