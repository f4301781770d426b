// The Expert's discard: whatever it weighs, it keeps at most five of its own cards (the kitty's
// only as the bidder), never throws away a trump the rule keeps, and the same table and seed
// give the same choice.
#include "cards/card_value.h"
#include "players/expert_discard.h"
#include "table/table.h"
#include "tests/support/cards.h"

#include <bit>
#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

using testing::cards;

struct DiscardRow {
    const char* name;
    int seat;
    int bidder;
    std::vector<Card> hand;
    std::vector<Card> kitty;
};

class ExpertDiscard : public ::testing::TestWithParam<DiscardRow> {
protected:
    Table tableFor(const DiscardRow& row) const {
        Table t;
        t.gamePhase = PhaseDiscard;
        t.trumpSuit = Spades;
        t.highBid = 25;
        t.bidderSeat = row.bidder;
        t.dealerSeat = 3;
        for (size_t k = 0; k < 5; ++k)
            t.picCard[static_cast<size_t>(5 * row.seat) + k].card = row.hand[k];
        for (size_t i = 0; i < 3; ++i)
            t.picCard[KittyFirst + i].card = row.kitty[i];
        return t;
    }
};

TEST_P(ExpertDiscard, KeepsAtMostFiveOfItsOwnAndEveryTrumpTheRuleKeeps) {
    const DiscardRow& row = GetParam();
    const Table t = tableFor(row);
    ExpertEffort effort;
    effort.discardSamples = 60;
    const unsigned keep = expertKeep(t, row.seat, effort);
    EXPECT_LE(std::popcount(keep), 5) << row.name;
    const bool bidder = row.seat == row.bidder;
    EXPECT_EQ(keep >> (bidder ? 8 : 5), 0u) << row.name << ": a card it does not hold";

    // The trumps the rule keeps: every one of them, or the bidder's best five.
    std::vector<std::pair<int, int>> trumps; // value, bit
    for (int i = 0; i < (bidder ? 8 : 5); ++i) {
        const Card c =
            i < 5 ? row.hand[static_cast<size_t>(i)] : row.kitty[static_cast<size_t>(i - 5)];
        if (isTrumpValue(CardValue(c, t.trumpSuit)))
            trumps.emplace_back(CardValue(c, t.trumpSuit), i);
    }
    std::sort(trumps.rbegin(), trumps.rend());
    for (size_t n = 0; n < trumps.size() && n < 5; ++n)
        EXPECT_TRUE((keep >> trumps[n].second) & 1u) << row.name << ": trump " << n;

    EXPECT_EQ(keep, expertKeep(t, row.seat, effort)) << "the same seed, the same keep";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Hands, ExpertDiscard, ::testing::Values(
    DiscardRow{"no trump", 1, 2,
               cards("KH QC 2D 9C KD"),
               cards("3H 4H 6H")},
    DiscardRow{"two trumps and plain kings", 2, 0,
               cards("5S KH JS KC 3D"),
               cards("3H 4H 6H")},
    DiscardRow{"the bidder with a kitty of plain cards", 0, 0,
               cards("AS KH QD 2S KC"),
               cards("KD QH 8C")}),
    [](const ::testing::TestParamInfo<DiscardRow>& info) { return std::to_string(info.index); });
// clang-format on

TEST(ExpertDiscardSix, TheBidderWithSixTrumpsKeepsItsBestFive) {
    Table t;
    t.trumpSuit = Spades;
    t.highBid = 30;
    t.bidderSeat = 1;
    const std::vector<Card> eight = cards("AS AH 2S 3S KC 5S JS 4S");
    for (size_t k = 0; k < 5; ++k)
        t.picCard[5 + k].card = eight[k];
    for (size_t i = 0; i < 3; ++i)
        t.picCard[KittyFirst + i].card = eight[5 + i];
    // Five, Jack, Ace of hearts, Ace of spades, 2: the 3 and the 4 go with the King of clubs.
    const unsigned keep = expertKeep(t, 1, ExpertEffort{});
    EXPECT_EQ(keep, 0b01100111u);
}

} // namespace
} // namespace corvane
