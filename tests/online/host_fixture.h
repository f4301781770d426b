// A hosting table over in-memory channels under a virtual clock, with a driver that answers for
// seat 0 (and any other seat a test links) the way a seated player would.
#pragma once

#include "flow/engine.h"
#include "online/host.h"
#include "online/memory_channel.h"
#include "protocol/decoder.h"
#include "protocol/encode.h"
#include "table/presenter.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::testing {

using namespace corvane::protocol;

class HostFixture : public ::testing::Test {
public:
    HostFixture() : random(11), engine(clock, random), host(engine, channel) {
        engine.startUp();
        host.setNoticeHandler([this](const std::string& text) { notices.push_back(text); });
        host.setLog([this](const std::string& line) { log.push_back(line); });
        channel.arrive("H");
        channel.arrive(encode(TakeSeatWithId{0, "Hosty", "1"}));
        channel.takeSent();
    }

    Table& t() { return engine.table(); }

    void arrive(const std::string& bytes) {
        channel.arrive(bytes);
        clock.runUntilIdle();
    }

    // The host's sends since the last call, as seat-addressed messages.
    std::vector<Addressed> sent() {
        HostUpDecoder decoder;
        decoder.feed(channel.takeSent());
        std::vector<Addressed> out;
        while (auto d = decoder.next()) {
            if (auto* a = std::get_if<Addressed>(&d->message))
                out.push_back(*a);
        }
        EXPECT_FALSE(decoder.failed()) << decoder.error();
        return out;
    }

    // Everything a check may see change when a move is refused.
    std::string snapshot() {
        std::ostringstream s;
        s << static_cast<int>(t().gamePhase) << ' ' << t().highBid << ' ' << t().bidderSeat << ' '
          << t().bidsMade << ' ' << t().bidTurnSeat << ' ' << t().trumpSuit << ' ' << t().turnSeat
          << ' ' << t().trickCardCount << ' ' << t().tricksPlayed << ' ' << t().dealString << ' '
          << t().score[0] << ' ' << t().score[1] << ' ' << t().dealerSeat;
        for (const auto& p : t().picCard)
            s << ' ' << p.tag();
        for (const auto& l : present(t()).lblBid)
            s << ' ' << l.caption;
        for (auto r : engine.seatReady())
            s << r;
        return s.str();
    }

    // Deals the first hand and answers for the linked seats until `done` holds: passes in the
    // auction (or `bid` when given), throws nothing away, plays the first card the host takes.
    template <class Done> void drive(Done done, const std::string& bid = "Pa") {
        for (int guard = 0; guard < 2000 && !done(); ++guard) {
            clock.runUntilIdle();
            if (done())
                return;
            const auto& awaits = engine.hostAwaits();
            if (awaits.bidFrom >= 0) {
                arrive("b" + std::to_string(awaits.bidFrom) + bid);
                if (engine.hostAwaits().bidFrom >= 0)
                    arrive("b" + std::to_string(awaits.bidFrom) + "Pa");
            } else if (awaits.trump) {
                arrive("t0");
            } else if (t().gamePhase == GamePhase::Discard) {
                for (int s = 0; s < 4; ++s)
                    if (host.seatLinked(s) && !engine.seatReady()[static_cast<size_t>(s)])
                        arrive("r" + std::to_string(s) + "00");
            } else if (awaits.cardFrom >= 0) {
                const int seat = awaits.cardFrom;
                for (int i = 5 * seat; i <= 5 * seat + 4 && engine.hostAwaits().cardFrom == seat;
                     ++i) {
                    const std::string card = (i < 10 ? "p0" : "p") + std::to_string(i);
                    arrive(card);
                }
            } else if (t().gamePhase == GamePhase::Idle && engine.betweenHands()) {
                arrive("i");
            } else {
                FAIL() << "the table is stuck in phase " << static_cast<int>(t().gamePhase);
            }
        }
    }

    VirtualClock clock;
    Random random;
    Engine engine;
    online::MemoryChannel channel;
    online::Host host;
    std::vector<std::string> notices;
    std::vector<std::string> log;
};

} // namespace corvane::testing
