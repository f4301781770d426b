// What an operator meets: the command line (help, version, ranges, usage errors), the key
// from a file or the environment, signals, host names, bind errors and the figures line.
#include "corvane_version.h"
#include "protocol/encode.h"
#include "tests/server/table_setup.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <asio.hpp>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;

ProcessRun runLobby(std::vector<std::string> args) {
    args.insert(args.begin(), CORVANE_LOBBY_BINARY);
    return runProgram(args);
}

std::string writeKeyFile(const std::string& key) {
    const std::string path = ::testing::TempDir() + "lobby-key-" + std::to_string(getpid());
    std::ofstream(path) << key << "\n";
    return path;
}

std::string createTable(const LobbyProcess& lobby, const std::string& key) {
    HostClient host(lobby.hostPort());
    host.send(encode(CreateTable{key, "T", "", "Maud"}));
    return host.nextRaw();
}

TEST(LobbyOperator, CommandLineAnswersAndUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string outHas;
        std::vector<std::string> errHas;
    };
    const std::vector<Case> cases{
        {{"--help"}, 0, "--key-file", {}},
        {{"--version"}, 0, std::string("corvane-lobby ") + corvane::VersionText + "\n", {}},
        {{"--list-port", "70000"}, 2, "", {"--list-port", "70000"}},
        {{"--host-port", "-1"}, 2, "", {"--host-port", "-1"}},
        {{"--hello-timeout", "soon"}, 2, "", {"--hello-timeout", "soon"}},
        {{"--list-port"}, 2, "", {"--list-port"}},
        {{"--colour", "red"}, 2, "", {"--colour"}},
        {{"--key", "a", "--key-file", "b"}, 2, "", {"--key", "--key-file"}},
        {{"--key-file", "/nonexistent/key"}, 1, "", {"--key-file", "/nonexistent/key"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        const ProcessRun run = runLobby(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.out.find(c.outHas), std::string::npos) << run.out;
        if (c.exitCode == 0) {
            EXPECT_EQ(run.err, "");
        }
        for (const std::string& text : c.errHas)
            EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
    }
}

TEST(LobbyOperator, ABindErrorNamesTheOptionAddressAndPort) {
    LobbyProcess first;
    const std::string port = std::to_string(first.hostPort());
    const ProcessRun run = runLobby({"--address", "127.0.0.1", "--list-port", "0", "--host-port",
                                     port, "--player-port", "0", "--quiet"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("--host-port " + port + " at --address 127.0.0.1"), std::string::npos)
        << run.err;
}

// The lobby listens on the name's first address; the test's clients reach it on 127.0.0.1, so
// a machine whose localhost resolves to ::1 first (or not at all) cannot hold this test.
TEST(LobbyOperator, AHostNameIsResolvedForTheAddress) {
    asio::io_context io;
    asio::error_code ec;
    const auto found = asio::ip::tcp::resolver(io).resolve("localhost", "", ec);
    if (ec || found.empty() ||
        found.begin()->endpoint().address() != asio::ip::make_address("127.0.0.1"))
        GTEST_SKIP() << "localhost does not resolve first to 127.0.0.1 here";
    LobbyProcess lobby({"--address", "localhost"});
    EXPECT_EQ(createTable(lobby, ""), "H");
}

// The key from a file (its first eight characters) is read in the next test, at start and
// again on SIGHUP.
TEST(LobbyOperator, TheKeyComesFromTheEnvironment) {
    LobbyProcess lobby({}, Launch{{{"CORVANE_LOBBY_KEY", "abcdefgh"}}, 0, {}});
    EXPECT_EQ(createTable(lobby, "abcdefgh"), "H");
    EXPECT_EQ(createTable(lobby, "wrongkey"), "N");
}

TEST(LobbyOperator, SighupReadsTheKeyFileAgainAndKeepsTheTables) {
    const std::string keyFile = writeKeyFile("opensesame");
    LobbyProcess lobby({"--key-file", keyFile});
    HostedTable table(lobby, "Kitchen", "Maud", "127.0.0.1", "opensesa");
    EXPECT_EQ(createTable(lobby, "newkey"), "N");
    writeKeyFile("newkey");
    kill(lobby.pid(), SIGHUP);
    ASSERT_TRUE(lobby.waitForLog("key read again"));
    EXPECT_EQ(createTable(lobby, "newkey"), "H");
    EXPECT_EQ(createTable(lobby, "opensesa"), "N");
    table.host.send("0F03");
    EXPECT_EQ(table.seat0->nextRaw(), "F03");
    std::remove(keyFile.c_str());
}

TEST(LobbyOperator, FiguresAreLoggedOnSigusr1AndEveryInterval) {
    LobbyProcess lobby({"--stats-interval", "1"});
    HostedTable table(lobby, "Kitchen", "Maud");
    table.host.send("0F03");
    EXPECT_EQ(table.seat0->nextRaw(), "F03");
    // Without a key file SIGHUP is only noted; the server goes on.
    kill(lobby.pid(), SIGHUP);
    kill(lobby.pid(), SIGUSR1);
    ASSERT_TRUE(lobby.waitForLog("tables 1 waiting, 0 playing"));
    EXPECT_TRUE(lobby.waitForLog("SIGHUP received"));
    const std::string log = lobby.log();
    EXPECT_NE(log.find("(list 0, host 1, player 1)"), std::string::npos) << log;
    EXPECT_NE(log.find("relayed 2 messages"), std::string::npos) << log;
    EXPECT_EQ(createTable(lobby, ""), "H");
}

} // namespace
} // namespace corvane::testing
