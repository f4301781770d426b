// The history at a table one hosts (every card known once a hand is over) and at a seat, built
// from the messages the seat receives: the seat's history agrees with the host's turned to the
// seat, and holds no other seat's cards (the kitty only when the seat took it). A person who
// sits down during a hand, as a joiner meets the lobby's answers, gets the hand as it stands at
// once and is asked for the seat's next move.
#include "flow/history_recorder.h"
#include "online/seat.h"
#include "online/seat_history.h"
#include "table/presenter.h"
#include "tests/online/host_fixture.h"

#include <sstream>

namespace corvane::testing {
namespace {

// Where the hand is when the person sits down at `seat` (the deal not yet made: from the start).
struct SitDown {
    int seat;
    const char* when;
};

// What a table shows of the hand from seat `own`: its cards, the names and bids, the contract,
// the dealer, trump, the tricks and the score.
std::string view(const Table& t, int own) {
    const Picture p = present(t);
    const auto shown = [](const Label& l) { return l.visible ? l.caption : std::string(); };
    std::ostringstream s;
    for (int i = 5 * own; i < 5 * own + 5; ++i) {
        const int picture = t.localPicture(i);
        const TagState state = t.CardState(picture);
        s << t.cardAt(picture).number()
          << (state == TagState::Played   ? 'P'
              : state == TagState::Thrown ? 'X'
                                          : ' ');
    }
    for (int seat = 0; seat < 4; ++seat) {
        const auto label = static_cast<size_t>(t.labelOfSeat(seat));
        s << '|' << p.lblPlayerName[label].caption << ':' << shown(p.lblBid[label]);
    }
    s << '|' << shown(p.lblBid[4]) << " dealer " << t.dealerSeat << " trump "
      << (t.trumpNamed ? t.trumpSuit : -1) << " tricks " << t.tricksPlayed << '+'
      << t.trickCardCount << " score " << t.score[static_cast<size_t>((own + t.localSeat) % 2)]
      << ',' << t.score[static_cast<size_t>((own + t.localSeat + 1) % 2)];
    return s.str();
}

class SeatHistoryFixture : public HostFixture, public ::testing::WithParamInterface<SitDown> {
protected:
    const int SeatNo = GetParam().seat;

    SeatHistoryFixture()
        : hostHistory(engine.table()), seatRandom(3), seatEngine(seatClock, seatRandom),
          seat(seatEngine, seatChannel), seatHistory(seatEngine.table()) {
        engine.addObserver(&hostHistory);
        seatEngine.startUp();
        seat.goOnline();
        seat.setMessageHandler([this](const PlayerDownMessage& m) { seatHistory.take(m); });
    }

    // The lobby's part in a join: "Y" to the joiner at once, the host's answers to "q" passed
    // on after it, then the joiner's "s".
    void sitDown() {
        sent();
        seat.joinAs(SeatNo, "Bob");
        seatChannel.arrive("Y");
        seatChannel.takeSent();
        arrive("q");
        seatChannel.arrive(channel.takeSent());
        arrive(encode(TakeSeatWithId{SeatNo, "Bob", "2"}));
    }

    // The host's messages for the seat reach it; the person's moves are the driver's, so the
    // seat's own time-out never acts.
    void forward(bool stopTimeout = true) {
        std::string bytes;
        for (const Addressed& a : sent())
            if (a.seat == SeatNo)
                bytes += encode(a.message);
        seatChannel.arrive(bytes);
        if (!stopTimeout)
            return;
        seatEngine.stopTimeout();
        seatClock.runUntilIdle();
    }

    bool reached(const std::string& when) {
        const Table& h = t();
        if (when == "auction")
            return h.gamePhase == GamePhase::Bidding && h.bidsMade >= 2;
        if (when == "discard")
            return h.gamePhase == GamePhase::Discard && !engine.hostAwaits().trump;
        // In trick play, with cards on the table or a person's lead awaited.
        return h.gamePhase == GamePhase::Play && h.tricksPlayed >= 1 &&
               (h.trickCardCount >= 1) == (when == "trick play");
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
    const std::string when = GetParam().when;
    const auto turned = [&](int hostSeat) { return (hostSeat - SeatNo + 4) % 4; };
    if (when == "from the start") {
        seat.GrabASeat(SeatNo);
        arrive(encode(TakeSeatWithId{SeatNo, "Bob", "2"}));
    } else {
        drive([&] { return reached(when); });
        sitDown();
        forward(false);
        // The last trick gathered stays for its pause, as at every seat; the earlier ones at once.
        seatClock.advance(Engine::TrickPause);
        const Table& mine = seatEngine.table();
        EXPECT_EQ(view(mine, SeatNo), view(t(), SeatNo));
        int onTable = 0;
        for (const CardPicture& p : mine.picCard)
            onTable += p.visible && p.state == TagState::Played ? 1 : 0;
        EXPECT_EQ(onTable, t().trickCardCount);
        // The hand is recorded under the names the host gives the seats, the own seat's too.
        for (size_t s = 0; s < 4; ++s)
            EXPECT_EQ(seatHistory.history().names[s], t().seats[(s + SeatNo) % 4].name);
        // A time limit runs only for what the seat is asked now.
        EXPECT_EQ(mine.timeoutRunning, mine.buttonMode == ButtonMode::Discard ||
                                           mine.localChoice == LocalChoice::Bid ||
                                           mine.awaitedSeat == SeatNo);
        if (when == "trick play") {
            EXPECT_TRUE(english(mine.message).starts_with("The computer played for you: the "))
                << english(mine.message);
        }
        // The host asks the seat for its next move, with the usual time limit.
        drive([&] {
            forward(false);
            seatClock.advance(Engine::TrickPause);
            return mine.timeoutRunning;
        });
        EXPECT_TRUE(engine.hostAwaits().bidFrom == SeatNo ||
                    engine.hostAwaits().cardFrom == SeatNo ||
                    (t().gamePhase == GamePhase::Discard && !engine.seatReady()[SeatNo]));
    }
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
    ASSERT_FALSE(mine.hands.empty());
    // The seat's hands are the host's last ones: from the hand it sat down in, or from the
    // start of a game both began since.
    ASSERT_GE(host.hands.size(), mine.hands.size());
    const size_t firstHand = host.hands.size() - mine.hands.size();
    int checkedTricks = 0;
    for (size_t k = 0; k < mine.hands.size(); ++k) {
        const RecordedHand& h = host.hands[firstHand + k];
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

INSTANTIATE_TEST_SUITE_P(Seats, SeatHistoryFixture,
                         ::testing::Values(SitDown{2, "from the start"},
                                           SitDown{3, "from the start"}, SitDown{2, "auction"},
                                           SitDown{3, "discard"}, SitDown{1, "trick play"},
                                           SitDown{3, "lead"}, SitDown{2, "trick play"}));

} // namespace
} // namespace corvane::testing
