// corvane-lobby against clients that misbehave: garbage, floods, silence and slow readers
// are cut off on their own, and the other tables go on.
#include "protocol/encode.h"
#include "tests/server/steady_table.h"
#include "tests/server/table_setup.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;

TEST(LobbyRobustness, GarbageClosesOnlyTheSender) {
    LobbyProcess lobby;
    QuietTable steady(lobby);
    struct Case {
        std::string name;
        int port; // 0 list, 1 host, 2 player
        std::string bytes;
    };
    const std::vector<Case> cases{
        {"list port, not Q", 0, "Qxyz"},
        {"host port, unknown code", 1, "?"},
        {"host port, seat 7", 1, "7W1"},
        {"host port, bad card", 1, encode(CreateTable{"", "G", "", "x"}) + "1Fzz"},
        {"player port, host message", 2, "W1"},
        {"player port, binary", 2, std::string("\0\xff\x01", 3)},
        {"player port, bad bid", 2, "b1Xy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint16_t port =
            c.port == 0 ? lobby.listPort() : (c.port == 1 ? lobby.hostPort() : lobby.playerPort());
        RawClient bad(port);
        bad.send(c.bytes);
        EXPECT_TRUE(bad.waitForClose());
        steady.checkStillRelays();
    }
}

TEST(LobbyRobustness, ASilentConnectionIsClosed) {
    LobbyProcess lobby({"--hello-timeout", "1"});
    QuietTable steady(lobby);
    RawClient silent(lobby.playerPort());
    EXPECT_TRUE(silent.waitForClose());
    steady.checkStillRelays();
}

TEST(LobbyRobustness, AFloodIsClosed) {
    LobbyProcess lobby({"--max-input-rate", "1000"});
    QuietTable steady(lobby);
    RawClient flood(lobby.playerPort());
    const std::string chunk(8192, 'i');
    bool closed = false;
    for (int i = 0; i < 64 && !closed; ++i) {
        asio::error_code ec;
        try {
            flood.send(chunk);
        } catch (const asio::system_error&) {
            closed = true;
        }
    }
    EXPECT_TRUE(closed || flood.waitForClose());
    steady.checkStillRelays();
}

TEST(LobbyRobustness, AReaderThatFallsBehindIsDropped) {
    LobbyProcess lobby({"--max-backlog", "65536", "--max-input-rate", "0"});
    QuietTable steady(lobby);
    HostedTable flooded(lobby, "Flooded", "Gus");
    // Gus's own seat never reads; the host keeps broadcasting long chat lines to it until the
    // server gives up on the seat and tells the host the seat is lost.
    std::string burst;
    for (int i = 0; i < 100; ++i) {
        burst += addressedTo(0, encode(ChatShow{std::string(90, 'x')}));
    }
    // Kernel buffers on loopback hold some megabytes before the server's own queue fills.
    for (int round = 0; round < 4000 && !flooded.host.readable(); ++round) {
        flooded.host.send(burst);
    }
    EXPECT_EQ(flooded.host.nextRaw(), "k0");
    steady.checkStillRelays();
}

} // namespace
} // namespace corvane::testing
