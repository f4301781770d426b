// The host's own flow with every seat held by a person: whom it asks to bid, who ends up the
// bidder, the draw from the stock and the first lead. The checks on a person's moves are the
// online host's.
#include "flow/engine.h"

#include <gtest/gtest.h>
#include <sstream>
#include <variant>
#include <vector>

namespace corvane {
namespace {

// Every seat linked; records whom the host asks for a bid and for trump.
struct AllPersons final : HostLink {
    bool seatLinked(int) const override { return true; }
    void sendToSeats(const protocol::PlayerDownMessage& m) override {
        if (const auto* end = std::get_if<protocol::HandEnd>(&m))
            ends.push_back(*end);
    }
    void sendToSeat(int seat, const protocol::PlayerDownMessage& m) override {
        asked += (asked.empty() ? "" : " ") + std::to_string(seat) +
                 (std::holds_alternative<protocol::ChooseTrump>(m) ? "t" : "");
    }
    bool ownViewCaughtUp(ViewStep) const override { return true; }
    void notice(const std::string&) override {}
    std::string asked;
    std::vector<protocol::HandEnd> ends;
};

struct HostTable : ::testing::Test {
    HostTable() : random(5), engine(clock, random) {
        engine.startUp();
        engine.setHostLink(&link);
        engine.becomeHost();
    }
    void deal(int dealer) {
        engine.table().dealerSeat = dealer;
        engine.start(engine.HostLoop());
        clock.runUntilIdle();
    }
    // Each bid from the seat the host asked last.
    void bids(const std::string& list) {
        std::istringstream in(list);
        for (std::string bid; in >> bid && engine.hostAwaits().bidFrom >= 0;) {
            engine.start(engine.hostPersonBid(engine.hostAwaits().bidFrom, Bid::fromWord(bid)));
            clock.runUntilIdle();
        }
    }
    VirtualClock clock;
    Random random;
    Engine engine;
    AllPersons link;
};

struct AuctionRow {
    int dealer;
    const char* bids;
    const char* asked; // the seats asked to bid, "t" for trump
    int bidder;
};

TEST_F(HostTable, AuctionRows) {
    const AuctionRow rows[] = {
        // Four passes: a misdeal, and the next dealer's auction opens.
        {1, "Pa Pa Pa Pa", "2 3 0 1 3", -1},
        // The dealer holds at 20, the bidder passes back: the dealer names trump.
        {3, "20 Pa Pa 20 Pa", "0 1 2 3 0 3t", 3},
        {0, "Pa 20 25 Pa", "1 2 3 0 3t", 3},
        // The others passed but the last; the dealer's hold gives it another word.
        {0, "Pa Pa 20 20 Pa", "1 2 3 0 3 0t", 0},
    };
    for (const AuctionRow& r : rows) {
        SCOPED_TRACE(r.bids);
        link.asked.clear();
        engine.newGame();
        engine.becomeHost();
        deal(r.dealer);
        bids(r.bids);
        EXPECT_EQ(link.asked, r.asked);
        EXPECT_EQ(r.bidder < 0 ? -1 : engine.table().bidderSeat, r.bidder);
    }
}

TEST_F(HostTable, TheDrawTakesEachPlacesOwnStockCardAndTheBiddersLeftLeads) {
    deal(2);
    bids("Pa Pa 20 Pa");
    ASSERT_EQ(engine.table().bidderSeat, 1);
    const auto deck = engine.table().deck;
    engine.start(engine.hostTrumpNamed(Spades));
    for (int seat = 0; seat < 4; ++seat)
        engine.start(
            engine.hostDiscards(seat, seat == 2 ? std::vector<int>{10, 12} : std::vector<int>{}));
    clock.runUntilIdle();
    const Table& t = engine.table();
    ASSERT_EQ(t.gamePhase, GamePhase::Play);
    EXPECT_EQ(t.cardAt(10).deckIndex(), deck[33]);
    EXPECT_EQ(t.cardAt(12).deckIndex(), deck[35]);
    EXPECT_EQ(t.turnSeat, 2);
    EXPECT_EQ(engine.hostAwaits().cardFrom, 2);
}

// The seats are told a made bid's gain (60 for a 30) or a set bid, and the scores after it.
TEST_F(HostTable, TheHandsEndTellsTheGainOrTheBid) {
    struct Row {
        int bid;
        std::array<int, 5> units;
        protocol::HandEnd end;
    };
    for (const Row& r : {Row{30, {3, 0, 3, 0, 0}, {true, 60, 70, 10}},
                         Row{25, {1, 2, 2, 1, 0}, {false, 25, -15, 25}}}) {
        Table& t = engine.table();
        t.gamePhase = GamePhase::Play;
        t.bidderSeat = 2;
        t.highBid = r.bid;
        t.score = {10, 10};
        t.trickUnits = r.units;
        t.trickWinnerCard = -1;
        t.tricksPlayed = 5;
        t.trickCardCount = 4;
        link.ends.clear();
        Task finish = engine.FinishTrick();
        clock.runUntilIdle();
        EXPECT_EQ(link.ends, std::vector{r.end}) << r.bid;
    }
}

} // namespace
} // namespace corvane
