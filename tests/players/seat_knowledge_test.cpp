// What a seat infers of the other hands from the plays, and the deals it samples from that: the
// trump owed on the first trick of a 30 bid and under a high trump led, the suit not followed,
// and deals of exactly the cards the seat has not seen, every one able to reach every seat that
// may hold it.
#include "cards/card_value.h"
#include "players/seat_knowledge.h"
#include "tests/support/table_row.h"

#include <bit>
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

// Seat 1's own table online: its cards on pictures 0-4, host seat 2's on 5-9, 3's on 10-14 and
// 0's on 15-19. Seat 1 bid, saw the kitty and threw away the clubs; on the first trick seat 3
// broke off from diamonds, as the rule forbids.
TEST(SeatKnowledge, ASampleDealsWhatTheSeatHasNotSeenToSeatsThatMayHoldIt) {
    Table before = testing::tableRow("bid 25 by 1; 0: 2C 3C 4C 6C 7C; kitty 8C 9C 10C");
    before.localSeat = 1;
    HandRecord record;
    record.noteHandsBeforeDraw(before);
    for (const std::string play : {"2:QD", "3:2S", "0:KD", "1:4D"})
        record.notePlay(play[0] - '0', card(play.substr(2)));
    Table t = testing::tableRow("trump H; bid 25 by 1; tricks 1; follow; turn 0;"
                                "0: 5H JH KH 9H ~ 4D; 1: 8S 9S 3D 6S ~ QD; 2: AS KS JS 3S ~ 2S;"
                                "3: QS 8D 9D 10D ~ KD");
    t.localSeat = 1;
    const auto set = [](const char* names) {
        CardSet out = 0;
        for (Card c : testing::cards(names))
            out |= cardBit(c.number());
        return out;
    };
    const CardSet played = set("QD 2S KD 4D");
    const CardSet diamonds = set("AD 2D 3D 4D 5D 6D 7D 8D 9D 10D JD QD KD");
    struct Row {
        int seat;
        const char* own;
        CardSet seen; // besides its own cards and those played
        CardSet lacks3;
    };
    const Row rows[] = {{1, "5H JH KH 9H", set("2C 3C 4C 6C 7C 8C 9C 10C"), diamonds},
                        {3, "AS KS JS 3S", 0, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.seat);
        const CardSet own = set(r.own);
        const CardSet unseen = ((CardSet{1} << 53) - 2) & ~own & ~played & ~r.seen;
        const SeatKnowledge k = knowledgeOf(t, record, r.seat);
        Random random(3);
        std::array<CardSet, 4> reached{};
        for (int n = 0; n < 200; ++n) {
            const playout::HandState s = sampleDeal(k, random);
            CardSet dealt = 0;
            for (size_t who = 0; who < 4; ++who) {
                CardSet held = 0;
                for (size_t slot = 0; slot < 5; ++slot)
                    if ((s.held[who] >> slot) & 1u)
                        held |= cardBit(s.cards[who][slot]);
                ASSERT_EQ(std::popcount(held), 4) << "seat " << who;
                ASSERT_EQ(held & dealt, 0u) << "a card dealt twice";
                dealt |= held;
                if (who == static_cast<size_t>(r.seat))
                    ASSERT_EQ(held, own);
                else
                    reached[who] |= held;
            }
        }
        for (size_t who = 0; who < 4; ++who)
            if (who != static_cast<size_t>(r.seat)) {
                EXPECT_EQ(reached[who], unseen & ~(who == 3 ? r.lacks3 : 0)) << "seat " << who;
            }
    }
}

} // namespace
} // namespace corvane
