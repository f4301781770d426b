// The sharper card player where the fixed rules play otherwise: it leaves a partner's trick to
// the partner, wins with the cheapest card that no opponent after it can beat, and leads the
// trump nobody else can beat, or a plain card that nobody can beat or trump.
#include "players/hand_snapshot.h"
#include "players/playout_sharp.h"
#include "tests/support/table_row.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct SharpRow {
    const char* name;
    const char* table;
    const char* card; // the sharper player's, the fixed rules' being another
};

// clang-format off
const SharpRow sharpRows[] = {
    {"nothing over the partner's King, where the rules take it with the Five",
     "turn 2; 0: KD 2S 3S 6S ~ 10C; 1: 3D 4S 5S 7S ~ JC; 2: QD 5H 4C JD ~ QC;"
     "3: 2C 3C 6C 9S ~ KC; trick 0:KD 1:3D", "4C"},
    {"the Jack over the 10 still to come, where the rules play the Five",
     "turn 2; 0: 2D 4S 6S 7S ~ 10C; 1: 9D 4C 5C 6C ~ JC; 2: KD JD 5H 8S ~ QC;"
     "3: 10D 3C 7C 8C ~ KC; trick 0:2D 1:9D", "JD"},
    {"the Jack led over the Ace of hearts, where the rules lead the lowest trump",
     "turn 0; 0: JH 2H 9C 10S ~ KC; 1: AH 7S 8S 9S ~ QC; 2: 4D 5D 6D 7D ~ JC;"
     "3: 3H 8D 9D 10D ~ 10C", "JH"},
    {"the King over the 10 still to come, the partner's Five after it no matter",
     "turn 1; 0: 2S 3S 4S 5S ~ 10C; 1: KD 2D 3C 6C ~ JC; 2: 10D 7S 8S 9S ~ QC;"
     "3: 5H 4C 7C 8C ~ KC; trick 0:4D", "KD"},
    {"the King of spades led, which nobody can beat or trump",
     "turn 0; 0: KS 2H 3C 4C ~ 10C; 1: 2S 5C 6C 7C ~ JC; 2: 4D 5D 6D 7D ~ QC;"
     "3: 3S 8D 9D 10D ~ KC", "KS"},
};
// clang-format on

TEST(SharpPlayer, PlaysWithItsPartnerAndWhatTheDealAllows) {
    for (const SharpRow& r : sharpRows) {
        const Table t =
            testing::tableRow(std::string("trump H; bid 20 by 1; tricks 1; ") + r.table);
        const playout::HandState s = handStateFromTable(t);
        const auto& cards = s.cards[s.turn];
        const int sharp = playout::sharpSlot(s, s.turn);
        ASSERT_GE(sharp, 0) << r.name;
        EXPECT_EQ(cards[static_cast<size_t>(sharp)], testing::card(r.card).number()) << r.name;
        EXPECT_NE(playout::standardSlot(s, s.turn), sharp) << r.name;
    }
}

} // namespace
} // namespace corvane
