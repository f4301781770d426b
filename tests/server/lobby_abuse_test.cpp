// corvane-lobby against clients on the open internet: each abuse below is held by its limit,
// and a well-behaved table from another address keeps relaying meanwhile.
#include "protocol/encode.h"
#include "tests/server/steady_table.h"
#include "tests/server/table_setup.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <chrono>
#include <gtest/gtest.h>
#include <regex>
#include <signal.h>
#include <sstream>
#include <thread>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;
using namespace std::chrono_literals;

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(LobbyAbuse, WireTextCannotForgeOrBreakALogLine) {
    LobbyProcess lobby({}, keptLog());
    QuietTable steady(lobby);
    const std::string forged = "2026-01-01T00:00:00.000Z #1 127.0.0.1 forged";
    const std::string tableName =
        "Den\n" + forged + "\x1b[2J" + std::string("\0", 1) + "\xff\xc2\x9b";
    const std::string userName = "Ann\r\n\x7f\"\\";
    HostedTable evil(lobby, tableName, userName, "127.0.0.2");
    auto joined = joinAt(lobby, evil, 1, 2, "Bo\nb", "127.0.0.2");
    ASSERT_TRUE(lobby.waitForLog("Bo\\x0Ab"));
    steady.checkStillRelays();

    const std::string log = lobby.log();
    static const std::regex stamp(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z .*)");
    std::istringstream lines(log);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(std::regex_match(line, stamp)) << line;
        for (unsigned char c : line) {
            EXPECT_TRUE(c >= 0x20 && c != 0x7f && c < 0x80) << line;
        }
    }
    EXPECT_GT(count, 5u);
    EXPECT_EQ(log.find("\n" + forged), std::string::npos);
    EXPECT_NE(
        log.find(R"("Den\x0A2026-01-01T00:00:00.000Z #1 127.0.0.1 forged\x1B[2J\x00\xFF\xC2\x9B")"),
        std::string::npos);
    EXPECT_NE(log.find(R"(as "Ann\x0D\x0A\x7F\"\\")"), std::string::npos);
}

TEST(LobbyAbuse, ListsBeyondTheRateAreDroppedAndLoggedOnce) {
    LobbyProcess lobby({}, keptLog());
    QuietTable steady(lobby);
    HostClient greedy(lobby.listPort(), "127.0.0.3");
    // A hundred requests at once: the burst of 20 is answered (one row each), the rest not.
    greedy.send(std::string(100, 'Q'));
    std::size_t rows = 0;
    while (greedy.nextWithin(1500ms)) {
        ++rows;
    }
    EXPECT_GE(rows, 20u);
    EXPECT_LE(rows, 22u);
    greedy.send(std::string(50, 'Q'));
    steady.checkStillRelays();
    kill(lobby.pid(), SIGUSR1);
    ASSERT_TRUE(lobby.waitForLog("figures:"));
    EXPECT_EQ(occurrences(lobby.log(), "asks for the list too often"), 1u);
    // Lists are counted, not logged line by line.
    EXPECT_EQ(occurrences(lobby.log(), "listed"), 0u);
}

TEST(LobbyAbuse, AConnectionThatOnlyListsIsClosedAtTheHelloTimeout) {
    LobbyProcess lobby({"--hello-timeout", "2"});
    QuietTable steady(lobby);
    HostClient lister(lobby.listPort(), "127.0.0.4");
    std::size_t rows = 0;
    // Asking every 300 ms (well under the list rate), for up to 15 s: every answer comes
    // until the connection is closed, since listing earns no more time.
    for (int i = 0; i < 50; ++i) {
        try {
            lister.send("Q");
        } catch (const asio::system_error&) {
            break;
        }
        if (!lister.nextWithin(300ms)) {
            break;
        }
        ++rows;
    }
    EXPECT_TRUE(lister.waitForClose());
    EXPECT_LT(rows, 50u);
    EXPECT_GE(rows, 1u);
    steady.checkStillRelays();
}

TEST(LobbyAbuse, TablesOverTheAddressCapAreRefused) {
    LobbyProcess lobby;
    QuietTable steady(lobby);
    std::vector<std::unique_ptr<HostClient>> hosts;
    for (int i = 0; i < 4; ++i) {
        hosts.push_back(std::make_unique<HostClient>(lobby.hostPort(), "127.0.0.5"));
        hosts.back()->send(encode(CreateTable{"", "Squat" + std::to_string(i), "", "S"}));
        ASSERT_EQ(hosts.back()->nextRaw(), "H");
    }
    HostClient fifth(lobby.hostPort(), "127.0.0.5");
    fifth.send(encode(CreateTable{"", "Squat4", "", "S"}));
    EXPECT_EQ(fifth.nextRaw(), "<closed>");
    HostClient neighbour(lobby.hostPort(), "127.0.0.6");
    neighbour.send(encode(CreateTable{"", "Next door", "", "N"}));
    EXPECT_EQ(neighbour.nextRaw(), "H");
    steady.checkStillRelays();
}

TEST(LobbyAbuse, SquattersCannotHideANewTable) {
    LobbyProcess lobby({"--max-tables-per-address", "8"});
    std::vector<std::unique_ptr<HostClient>> hosts;
    auto create = [&](const std::string& name, const std::string& from) {
        hosts.push_back(std::make_unique<HostClient>(lobby.hostPort(), from));
        hosts.back()->send(encode(CreateTable{"", name, "", "x"}));
        ASSERT_EQ(hosts.back()->nextRaw(), "H");
    };
    // Three addresses hold 24 tables, older than the new one.
    for (int i = 0; i < 24; ++i) {
        create("Squat" + std::to_string(i), "127.0.3." + std::to_string(i % 3 + 1));
    }
    create("Fresh", "127.0.0.7");
    const auto rows = listTables(lobby, 21);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows.back().name, "Fresh");
    // Each squatter gets its share of rows, no more: the list holds rows of all four homes.
    EXPECT_EQ(rows.front().name, "Squat0");
}

TEST(LobbyAbuse, ConnectionsOverTheAddressCapAreRefused) {
    LobbyProcess lobby({"--max-connections-per-address", "8"});
    QuietTable steady(lobby);
    std::vector<std::unique_ptr<RawClient>> held;
    for (int i = 0; i < 8; ++i) {
        held.push_back(std::make_unique<RawClient>(lobby.playerPort(), "127.0.0.8"));
    }
    // On the same port, so the eight are surely accepted first.
    RawClient ninth(lobby.playerPort(), "127.0.0.8");
    EXPECT_TRUE(ninth.waitForClose());
    HostedTable neighbour(lobby, "Next door", "N", "127.0.0.9");
    steady.checkStillRelays();
}

TEST(LobbyAbuse, ASeatThatNeverReadsIsDroppedAtTheWriteDeadline) {
    LobbyProcess lobby({"--write-timeout", "2", "--max-backlog", "1073741824", "--max-input-rate",
                        "0", "--send-buffer", "4096"},
                       keptLog());
    QuietTable steady(lobby);
    HostedTable flooded(lobby, "Flooded", "Gus", "127.0.0.10");
    // Gus's own seat never reads. The host sends it about 50 KB a second, far under the
    // backlog cap, until the server reports the seat lost (bounded at 30 s).
    std::string burst;
    for (int i = 0; i < 50; ++i) {
        burst += addressedTo(0, encode(ChatShow{std::string(90, 'x')}));
    }
    for (int round = 0; round < 300 && !flooded.host.readable(); ++round) {
        flooded.host.send(burst);
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(flooded.host.nextRaw(), "k0");
    EXPECT_TRUE(lobby.waitForLog("no write progress for 2 s"));
    steady.checkStillRelays();
}

TEST(LobbyAbuse, AtTheConnectionLimitANewHostIsStillAnswered) {
    // 160 descriptors leave 128 connections, the last 64 kept for host and player channels.
    LobbyProcess lobby({}, keptLog(160));
    QuietTable steady(lobby);
    // A flood from several addresses fills every place with connections that say nothing.
    std::vector<std::unique_ptr<RawClient>> flood;
    for (int i = 0; i < 200; ++i) {
        const std::string from = "127.0.4." + std::to_string(i % 5 + 1);
        flood.push_back(
            std::make_unique<RawClient>(i % 2 == 0 ? lobby.listPort() : lobby.playerPort(), from));
    }
    HostedTable newcomer(lobby, "Newcomer", "Ned", "127.0.0.11");
    auto player = joinAt(lobby, newcomer, 1, 3, "Pia", "127.0.0.11");
    steady.checkStillRelays();
    const std::string log = lobby.log();
    EXPECT_NE(log.find("made room for a new connection"), std::string::npos);
    EXPECT_EQ(log.find("accept failed"), std::string::npos);
}

} // namespace
} // namespace corvane::testing
