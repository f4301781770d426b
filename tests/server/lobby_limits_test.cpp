// corvane-lobby, the real binary, against clients on the open internet: each abuse is held by
// its limit (garbage, floods, silence, slow readers, rates, caps, repeated refusals), a
// refusal is logged once, and a well-behaved table from another address keeps relaying.
#include "protocol/encode.h"
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
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

std::string repeated(const std::string& message, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += message;
    return out;
}

TEST(LobbyAbuse, WireTextCannotForgeOrBreakALogLine) {
    LobbyProcess lobby;
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
        for (unsigned char c : line)
            EXPECT_TRUE(c >= 0x20 && c != 0x7f && c < 0x80) << line;
    }
    EXPECT_GT(count, 5u);
    EXPECT_EQ(log.find("\n" + forged), std::string::npos);
    EXPECT_NE(
        log.find(R"("Den\x0A2026-01-01T00:00:00.000Z #1 127.0.0.1 forged\x1B[2J\x00\xFF\xC2\x9B")"),
        std::string::npos);
    EXPECT_NE(log.find(R"(as "Ann\x0D\x0A\x7F\"\\")"), std::string::npos);
}

// The figures line the lobby logs on SIGUSR1.
std::string figures(const LobbyProcess& lobby) {
    kill(lobby.pid(), SIGUSR1);
    EXPECT_TRUE(lobby.waitForLog("figures:"));
    const std::string log = lobby.log();
    const std::size_t at = log.rfind("figures:");
    return at == std::string::npos ? std::string() : log.substr(at, log.find('\n', at) - at);
}

TEST(LobbyAbuse, ListsBeyondTheRateAreDroppedAndLoggedOnce) {
    LobbyProcess lobby;
    QuietTable steady(lobby);
    HostClient greedy(lobby.listPort(), "127.0.0.3");
    // A hundred requests at once: the burst of 20 is answered (one row each), the rest not.
    greedy.send(std::string(100, 'Q'));
    std::size_t rows = 0;
    while (greedy.next(1500ms))
        ++rows;
    EXPECT_GE(rows, 20u);
    EXPECT_LE(rows, 22u);
    greedy.send(std::string(50, 'Q'));
    steady.checkStillRelays();
    figures(lobby);
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
        if (!lister.next(300ms))
            break;
        ++rows;
    }
    EXPECT_TRUE(lister.waitForClose());
    EXPECT_LT(rows, 50u);
    EXPECT_GE(rows, 1u);
    EXPECT_TRUE(lobby.waitForLog("table list closed: took no seat or table in time"));
    steady.checkStillRelays();
}

// Four tables and eight connections from one address: a fifth table and a ninth connection
// are refused; a neighbour's table then is not.
TEST(LobbyAbuse, TablesAndConnectionsOverTheAddressCapsAreRefused) {
    LobbyProcess lobby({"--max-connections-per-address", "8"});
    QuietTable steady(lobby);
    std::vector<std::unique_ptr<HostClient>> held;
    for (int i = 0; i < 5; ++i) {
        held.push_back(std::make_unique<HostClient>(lobby.hostPort(), "127.0.0.5"));
        held.back()->send(encode(CreateTable{"", "Squat" + std::to_string(i), "", "S"}));
        EXPECT_EQ(held.back()->nextRaw(), i < 4 ? "H" : "<closed>");
    }
    // With the four hosts, eight; on one port, so that these are surely accepted first.
    for (int i = 0; i < 4; ++i)
        held.push_back(std::make_unique<HostClient>(lobby.playerPort(), "127.0.0.5"));
    RawClient ninth(lobby.playerPort(), "127.0.0.5");
    EXPECT_TRUE(ninth.waitForClose());
    HostedTable neighbour(lobby, "Next door", "N", "127.0.0.6");
    steady.checkStillRelays();
}

// Gus's own seat never reads; the host sends it long chat lines until the server reports the
// seat lost: at the write deadline when the host sends about 50 KB a second, far under the
// backlog cap (bounded at 30 s), and at the backlog cap when it sends without a pause (kernel
// buffers on loopback hold some megabytes before the server's own queue fills).
TEST(LobbyAbuse, ASeatThatNeverReadsIsDropped) {
    struct Row {
        std::vector<std::string> args;
        std::chrono::milliseconds pause;
        int rounds;
        const char* logged;
    };
    for (const Row& row :
         {Row{{"--write-timeout", "2", "--max-backlog", "1073741824", "--send-buffer", "4096"},
              100ms,
              300,
              "no write progress for 2 s"},
          Row{{"--max-backlog", "65536"}, 0ms, 8000, "backlog over 65536"}}) {
        std::vector<std::string> args = row.args;
        args.insert(args.end(), {"--max-input-rate", "0"});
        LobbyProcess lobby(args);
        QuietTable steady(lobby);
        HostedTable flooded(lobby, "Flooded", "Gus", "127.0.0.10");
        const std::string burst =
            repeated(addressedTo(0, encode(ChatShow{std::string(90, 'x')})), 50);
        for (int round = 0; round < row.rounds && !flooded.host.readable(); ++round) {
            flooded.host.send(burst);
            std::this_thread::sleep_for(row.pause);
        }
        EXPECT_EQ(flooded.host.nextRaw(), "k0");
        EXPECT_TRUE(lobby.waitForLog(row.logged)) << row.logged;
        steady.checkStillRelays();
    }
}

TEST(LobbyAbuse, AtTheConnectionLimitANewHostIsStillAnswered) {
    // 160 descriptors leave 128 connections, the last 64 kept for host and player channels.
    LobbyProcess lobby({}, Launch{{}, 160, {}});
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

TEST(LobbyRefusals, ARefusedJoinerGetsNoPlaceAndNoTime) {
    // 160 descriptors leave 128 connections, the last 64 kept for host and player channels.
    LobbyProcess lobby({"--hello-timeout", "3"}, Launch{{}, 160, {}});
    QuietTable steady(lobby);
    // Seat 0 of the steady table is its host's: every "L" for it is refused with the seat list.
    std::vector<std::unique_ptr<PlayerClient>> refused;
    for (int i = 0; i < 125; ++i) {
        refused.push_back(std::make_unique<PlayerClient>(lobby.playerPort(),
                                                         "127.0.5." + std::to_string(i % 8 + 1)));
        refused.back()->send(encode(JoinTable{"", 0, 0, "Sq"}));
        for (int seat = 0; seat < 4; ++seat)
            ASSERT_EQ(refused.back()->nextRaw().substr(0, 2), "P" + std::to_string(seat));
    }
    // Every place is taken; a new host from elsewhere takes a refused joiner's.
    HostedTable newcomer(lobby, "Newcomer", "Ned", "127.0.0.20");
    steady.checkStillRelays();
    // And the joiners left are closed at the hello time-out, having taken no seat.
    EXPECT_TRUE(refused.back()->waitForClose());
    EXPECT_TRUE(lobby.waitForLog("player channel closed: took no seat or table in time"));
    steady.checkStillRelays();
}

TEST(LobbyRefusals, ReconnectingGainsNoTableLists) {
    // The address's allowance is set low enough that its refill over the test is under one.
    LobbyProcess lobby({"--address-list-burst", "40", "--address-list-rate", "0.01"});
    QuietTable steady(lobby);
    std::size_t rows = 0;
    for (int i = 0; i < 300; ++i) {
        HostClient lister(lobby.listPort(), "127.0.0.21");
        lister.send(std::string(20, 'Q'));
        lister.finishSending();
        // Each list is one row, the steady table's; the lobby closes when it has read all.
        while (auto row = lister.next())
            rows += std::holds_alternative<TableEntry>(row->message) ? 1 : 0;
    }
    EXPECT_GE(rows, 40u);
    EXPECT_LE(rows, 41u);
    // Other addresses keep their own allowance.
    listTables(lobby, 1, "127.0.0.22");
    steady.checkStillRelays();
    const std::string line = figures(lobby);
    EXPECT_NE(line.find("lists " + std::to_string(rows + 2) + " sent, " +
                        std::to_string(6000 - rows) + " dropped"),
              std::string::npos)
        << line;
}

TEST(LobbyRefusals, EachKindOfRefusalIsLoggedOncePerConnection) {
    LobbyProcess lobby;
    QuietTable steady(lobby);
    HostedTable attic(lobby, "Attic", "Ann", "127.0.0.23");
    listTables(lobby, 2, "127.0.0.23");
    auto seated = joinAt(lobby, attic, 1, 2, "Bo", "127.0.0.23");
    attic.host.send(repeated(encode(CreateTable{"", "Again", "", "Ann"}), 200));
    attic.seat0->send(repeated("Z", 200));
    seated->send(repeated(encode(JoinTable{"", 1, 3, "Bo"}), 200));
    PlayerClient taker(lobby.playerPort(), "127.0.0.24");
    taker.send(repeated(encode(JoinTable{"", 0, 1, "Cy"}), 200));
    for (int i = 0; i < 800; ++i)
        ASSERT_EQ(taker.nextRaw()[0], 'P');
    steady.checkStillRelays();
    const std::string line = figures(lobby);
    const std::string log = lobby.log();
    struct Row {
        const char* logged;
        const char* counted;
    };
    for (const Row& row :
         {Row{"sent a second table creation", "200 second table creations"},
          Row{"sent a second host seat opening", "200 second host seat openings"},
          Row{"sent a second join", "200 second joins"},
          Row{"refused: seat 1 of table 1 is taken", "200 joins to a taken seat"}}) {
        EXPECT_EQ(occurrences(log, row.logged), 1u) << row.logged;
        EXPECT_NE(line.find(row.counted), std::string::npos) << row.counted << " in " << line;
    }
}

TEST(LobbyRefusals, ASeatsChatFloodDoesNotReachItsHost) {
    LobbyProcess lobby;
    QuietTable steady(lobby);
    HostedTable parlour(lobby, "Parlour", "Pam", "127.0.0.25");
    listTables(lobby, 2, "127.0.0.26");
    auto flooder = joinAt(lobby, parlour, 1, 1, "Fay", "127.0.0.26");
    // The flood, then the seat's bid, which the host reads after whatever of the flood came.
    flooder->send(repeated(encode(ChatLine{1, std::string(99, 'x')}), 1000) +
                  encode(PlayerBid{1, Bid::passed()}));
    std::size_t chats = 0;
    bool bid = false;
    while (!bid && chats < 1000) {
        auto message = parlour.host.next();
        ASSERT_TRUE(message.has_value());
        bid = std::holds_alternative<PlayerBid>(message->message);
        chats += std::holds_alternative<ChatLine>(message->message) ? 1 : 0;
    }
    EXPECT_TRUE(bid);
    // The burst of ten lines, and what the rate of one a second adds meanwhile.
    EXPECT_GE(chats, 10u);
    EXPECT_LT(chats, 20u);
    EXPECT_EQ(occurrences(lobby.log(), "chats too often"), 1u);
    steady.checkStillRelays();
}

TEST(LobbyRobustness, GarbageOrAFloodClosesOnlyTheSender) {
    LobbyProcess lobby({"--max-input-rate", "1000"});
    QuietTable steady(lobby);
    const std::pair<std::uint16_t, std::string> cases[] = {
        {lobby.listPort(), "Qxyz"},
        {lobby.hostPort(), "7W1"},
        {lobby.playerPort(), std::string("\0\xff\x01", 3)},
        // Well formed, but half a megabyte at once: far over the input rate.
        {lobby.playerPort(), std::string(1 << 19, 'i')},
    };
    for (const auto& [port, bytes] : cases) {
        SCOPED_TRACE(bytes.substr(0, 8));
        RawClient bad(port);
        try {
            bad.send(bytes);
        } catch (const asio::system_error&) {
            // Closed while it was still sending.
        }
        EXPECT_TRUE(bad.waitForClose());
        steady.checkStillRelays();
    }
}

} // namespace
} // namespace corvane::testing
