// The history at a table one hosts (every card known once a hand is over) and at a seat, built
// from the messages the seat receives: the seat's history agrees with the host's turned to the
// seat, and holds no other seat's cards (the kitty only when the seat took it).
#include "flow/history_recorder.h"
#include "online/seat.h"
#include "online/seat_history.h"
#include "tests/online/host_fixture.h"

namespace corvane::testing {
namespace {

// At seat 2, with the host's partnership, and at seat 3, with the other.
class SeatHistoryFixture : public HostFixture, public ::testing::WithParamInterface<int> {
protected:
    const int SeatNo = GetParam();

    SeatHistoryFixture()
        : hostHistory(engine.table()), seatRandom(3), seatEngine(seatClock, seatRandom),
          seat(seatEngine, seatChannel), seatHistory(seatEngine.table()) {
        engine.addObserver(&hostHistory);
        seatEngine.startUp();
        seat.goOnline();
        seat.GrabASeat(SeatNo);
        seat.setMessageHandler([this](const PlayerDownMessage& m) { seatHistory.take(m); });
        arrive(encode(TakeSeatWithId{SeatNo, "Bob", "2"}));
    }

    // The host's messages for the seat reach it; the person's moves are the driver's, so the
    // seat's own time-out never acts.
    void forward() {
        for (const Addressed& a : sent())
            if (a.seat == SeatNo)
                seatChannel.arrive(encode(a.message));
        seatEngine.stopTimeout();
        seatClock.runUntilIdle();
    }

    HistoryRecorder hostHistory;
    VirtualClock seatClock;
    Random seatRandom;
    Engine seatEngine;
    online::MemoryChannel seatChannel;
    online::Seat seat;
    online::SeatHistory seatHistory;
};

TEST_P(SeatHistoryFixture, TheSeatKnowsWhatItsTableShowedAndNoMore) {
    const auto turned = [&](int hostSeat) { return (hostSeat - SeatNo + 4) % 4; };
    int scored = 0;
    seatHistory.addListener(
        {nullptr, [&](const GameHistory&, const RecordedHand&) { ++scored; }, nullptr});
    drive([&] {
        forward();
        return scored >= 3;
    });
    forward();
    const GameHistory& host = hostHistory.history();
    const GameHistory& mine = seatHistory.history();
    ASSERT_GE(mine.hands.size(), 3u);
    ASSERT_GE(host.hands.size(), mine.hands.size());
    int checkedTricks = 0;
    for (size_t k = 0; k < mine.hands.size(); ++k) {
        const RecordedHand& h = host.hands[k];
        const RecordedHand& m = mine.hands[k];
        SCOPED_TRACE("hand " + std::to_string(k + 1));
        EXPECT_EQ(m.stage, h.stage);
        EXPECT_EQ(m.dealer, turned(h.dealer));
        ASSERT_EQ(m.bids.size(), h.bids.size());
        for (size_t b = 0; b < h.bids.size(); ++b) {
            EXPECT_EQ(m.bids[b].seat, turned(h.bids[b].seat));
            EXPECT_EQ(m.bids[b].bid, h.bids[b].bid);
        }
        // The own cards are known; the other seats' never, even after the hand.
        EXPECT_EQ(m.dealt[0], h.dealt[static_cast<size_t>(SeatNo)]);
        for (size_t s = 1; s < 4; ++s)
            for (size_t j = 0; j < 5; ++j) {
                EXPECT_FALSE(m.dealt[s][j].isValid());
                EXPECT_FALSE(m.held[s][j].isValid());
            }
        if (h.stage != HandStage::Scored)
            continue;
        EXPECT_EQ(m.held[0], h.held[static_cast<size_t>(SeatNo)]);
        EXPECT_EQ(m.bidder, turned(h.bidder));
        EXPECT_EQ(m.trump, h.trump);
        EXPECT_EQ(m.kitty, m.bidder == 0 ? h.kitty : decltype(h.kitty){});
        ASSERT_EQ(m.tricks.size(), h.tricks.size());
        for (size_t t = 0; t < h.tricks.size(); ++t) {
            EXPECT_EQ(m.tricks[t].leader, turned(h.tricks[t].leader));
            EXPECT_EQ(m.tricks[t].winner, turned(h.tricks[t].winner));
            EXPECT_EQ(m.tricks[t].units, h.tricks[t].units);
            for (int s = 0; s < 4; ++s)
                EXPECT_EQ(m.tricks[t].bySeat[static_cast<size_t>(turned(s))],
                          h.tricks[t].bySeat[static_cast<size_t>(s)]);
            ++checkedTricks;
        }
        EXPECT_EQ(m.made, h.made);
        EXPECT_EQ(m.points, h.points);
        EXPECT_EQ(m.counted, h.counted);
        EXPECT_EQ(m.scores[0], h.scores[static_cast<size_t>(SeatNo % 2)]);
        EXPECT_EQ(m.scores[1], h.scores[static_cast<size_t>(1 - SeatNo % 2)]);
    }
    EXPECT_GT(checkedTricks, 0);
}

INSTANTIATE_TEST_SUITE_P(Seats, SeatHistoryFixture, ::testing::Values(2, 3));

} // namespace
} // namespace corvane::testing
