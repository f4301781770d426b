// The computer's card: economy when the partner wins, the highest card in second and third place,
// the first trick's defenders, the 20 bid's trump lead, and the cases left to us.
#include "players/card_play.h"
#include "tests/support/table_row.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::card;
using testing::tableRow;

int choose(const Table& table, int seat) {
    return ChooseCard(table, seat, table.trumpSuit, table.trickWinnerCard);
}

struct ChoiceRow {
    const char* name;
    const char* table; // after "trump S; bid 25 by 1; tricks 1"
    int seat;
    const char* card;
};

// clang-format off
const ChoiceRow choiceRows[] = {
    // The Five could overtake, but the partner already wins: the cheapest card goes.
    {"last, partner winning: cheapest", "trick 1:KD 2:JS 3:3D; 0: 5S 8D QC 2H", 0, "2H"},
    // 9 of spades is 102; the 8 (103) is the cheapest trump above it.
    {"last: cheapest winning trump", "trick 1:KD 2:3D 3:9S; 0: 5S 2S 8S 2H", 0, "8S"},
    {"second goes highest", "bid 25 by 3; trick 3:4H; 0: 5S 2S 8D", 0, "5S"},
    // Black trumps rank the 10 lowest.
    {"20 bid, partner drew little: lowest trump", "bid 20 by 0; drawn 0 0 2 0; 0: 5S 2S 10S KH",
     0, "10S"},
    {"20 bid, partner drew four: best card", "bid 20 by 0; drawn 0 0 4 0; 0: 5S 2S 10S KH", 0,
     "5S"},
    {"25 bid leads its best card", "drawn 0 0 2 0; bid 25 by 0; 0: 5S 2S 10S KH", 0, "5S"},
    // Our choice: with no trump for the 20 bid's trump lead, the seat leads its best card.
    {"20 bid, no trump left: best card", "bid 20 by 0; 0: KH 3D", 0, "KH"},
    // Seat 1 is the bidder's partner: the Five is out of reach, it plays cheap.
    {"first trick, bidder's partner plays cheap", "tricks 0; bid 25 by 3; trick 0:9H; 1: 5S 2H QH",
     1, "2H"},
    // Seat 2 is before the bidder: the Jack, its highest but the Five, beats the 9.
    {"first trick, seat before the bidder goes high but not the Five",
     "tricks 0; bid 25 by 3; trick 0:9H 1:2H; 2: 5S JS 3H", 2, "JS"},
    {"30 bid and following suit: the obligation wins", "bid 30 by 0; follow; trick 0:KD; 1: 4S 3D 2C",
     1, "4S"},
};
// clang-format on

TEST(CardChoice, Rows) {
    for (const ChoiceRow& r : choiceRows) {
        const Table table = tableRow(std::string("trump S; bid 25 by 1; tricks 1; ") + r.table);
        EXPECT_EQ(table.cardAt(choose(table, r.seat)), card(r.card)) << r.name;
    }
}

TEST(CardChoice, HighestCardIgnoresPlayedAndTiesKeepTheFirst) {
    Table table = tableRow("trump H; 0: 5H KC KS");
    EXPECT_EQ(HighestCard(table, 0, Hearts), 0);
    EXPECT_EQ(HighestCardButFive(table, 0, Hearts), 1);
    table.picCard[0].state = TagState::Played;
    EXPECT_EQ(HighestCard(table, 0, Hearts), 1);
}

} // namespace
} // namespace corvane
