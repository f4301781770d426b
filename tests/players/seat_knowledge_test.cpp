// What a seat infers of the other hands from the plays, and the deals it samples from that: the
// trump owed on the first trick of a 30 bid and under a high trump led, and every unseen card
// able to reach every seat.
#include "cards/card_value.h"
#include "players/seat_knowledge.h"
#include "tests/support/table_row.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::card;

struct VoidRow {
    const char* name;
    const char* table;
    const char* plays; // the hand's plays so far, in order, each SEAT:CARD
    int seat;
    const char* card;
    bool mayHold;
};

// clang-format off
const VoidRow voidRows[] = {
    {"a 30 bid's first trick binds the leader", "trump H; bid 30 by 0", "1:9S", 1, "4H", false},
    {"a 25 bid's first lead is free", "trump H; bid 25 by 0", "1:9S", 1, "4H", true},
    // Under the Jack led, the Ace of hearts is owed too: it ranks below the Jack.
    {"a Jack led binds the Ace of hearts", "trump S; bid 25 by 0", "1:JS 2:3D", 2, "AH", false},
    {"a low trump led does not", "trump S; bid 25 by 0", "1:9S 2:3D", 2, "AH", true},
    {"plain led, no rule to follow", "trump S; bid 25 by 0", "1:9D 2:3C", 2, "4D", true},
    {"plain led, following suit", "trump S; bid 25 by 0; follow", "1:9D 2:3C", 2, "4D", false},
};
// clang-format on

TEST(SeatKnowledge, WhatThePlaysShowASeatLacks) {
    for (const VoidRow& r : voidRows) {
        HandRecord record;
        std::istringstream plays(r.plays);
        for (std::string play; plays >> play;)
            record.notePlay(play[0] - '0', card(play.substr(2)));
        const SeatKnowledge k = knowledgeOf(testing::tableRow(r.table), record, 0);
        const bool mayHold =
            k.mayHold[static_cast<size_t>(r.seat)] & cardBit(card(r.card).number());
        EXPECT_EQ(mayHold, r.mayHold) << r.name;
    }
}

TEST(SeatKnowledge, EveryUnseenCardReachesEverySeat) {
    const SeatKnowledge k =
        knowledgeOf(testing::tableRow("trump H; bid 20 by 0; 0: 2C 3C 4C 6C 7C"), HandRecord{}, 0);
    Random random(1);
    std::array<CardSet, 4> dealt{};
    for (int n = 0; n < 300; ++n) {
        const playout::HandState s = sampleDeal(k, random);
        for (size_t who = 1; who < 4; ++who)
            for (size_t slot = 0; slot < 5; ++slot)
                dealt[who] |= cardBit(s.cards[who][slot]);
    }
    for (size_t who = 1; who < 4; ++who)
        EXPECT_EQ(dealt[who], k.unseen) << "seat " << who;
}

} // namespace
} // namespace corvane
