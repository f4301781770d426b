// corvane-load against the real lobby with its default limits (each table from a loopback
// address of its own), and its answers when the lobby is not there or never answers.
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <asio.hpp>
#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

ProcessRun runLoad(const std::vector<std::string>& args) {
    std::vector<std::string> argv{CORVANE_LOAD_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv);
}

std::vector<std::string> ports(std::uint16_t list, std::uint16_t host, std::uint16_t player) {
    return {"--list-port",        std::to_string(list), "--host-port",
            std::to_string(host), "--player-port",      std::to_string(player)};
}

TEST(LoadTool, SeatsMoreTablesThanOneAddressMayHoldUnderTheDefaultLimits) {
    LobbyProcess lobby({"--quiet"});
    auto args = ports(lobby.listPort(), lobby.hostPort(), lobby.playerPort());
    args.insert(args.end(), {"--tables", "12", "--rate", "480", "--seconds", "1"});
    const ProcessRun run = runLoad(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("set-up: 12 of 12 tables"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("connections held: 60 of 60"), std::string::npos) << run.out;
}

TEST(LoadTool, NoLobbyOrASilentOneIsARunTimeFailure) {
    asio::io_context io;
    // Listening but never accepting: connections complete and nothing is ever answered.
    asio::ip::tcp::acceptor silent(io, {asio::ip::make_address("127.0.0.1"), 0});
    const std::uint16_t port = silent.local_endpoint().port();
    asio::ip::tcp::acceptor closed(io, {asio::ip::make_address("127.0.0.1"), 0});
    const std::uint16_t refusing = closed.local_endpoint().port();
    closed.close();

    auto stalled = ports(port, port, port);
    stalled.insert(stalled.end(), {"--tables", "1", "--setup-timeout", "1"});
    const ProcessRun stall = runLoad(stalled);
    EXPECT_EQ(stall.exitCode, 1);
    EXPECT_NE(stall.err.find("set-up stalled for 1.0 s"), std::string::npos) << stall.err;

    const ProcessRun refused = runLoad(ports(refusing, refusing, refusing));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Connection refused"), std::string::npos) << refused.err;
}

// The tool's own limits on its sources; numbers out of range, --help and --version follow the
// programs' shared conventions, held by the lobby's command-line test and every program's.
TEST(LoadTool, UsageErrorsNameTheOptionAndValue) {
    struct Case {
        std::vector<std::string> args;
        std::string errHas;
    };
    for (const Case& c : std::vector<Case>{
             {{"--first-source", "10.0.0.1"}, "10.0.0.1"},
             {{"--tables", "900000", "--first-source", "127.255.0.1"}, "127.255.255.254"}}) {
        const ProcessRun run = runLoad(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.args.front()), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.errHas), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace corvane::testing
