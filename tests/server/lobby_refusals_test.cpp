// corvane-lobby against repeated refused messages from the open internet: a refused joiner
// gains no time and no place, reconnecting gains no table lists, a refusal sent two hundred
// times is logged once, and a seat's flood does not reach its host. Each attacker comes from
// a loopback address of its own while a well-behaved table relays meanwhile.
#include "protocol/encode.h"
#include "tests/server/steady_table.h"
#include "tests/server/table_setup.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

std::string repeated(const std::string& message, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += message;
    }
    return out;
}

// The figures line the lobby logs on SIGUSR1.
std::string figures(const LobbyProcess& lobby) {
    kill(lobby.pid(), SIGUSR1);
    EXPECT_TRUE(lobby.waitForLog("figures:"));
    const std::string log = lobby.log();
    const std::size_t at = log.rfind("figures:");
    return at == std::string::npos ? std::string() : log.substr(at, log.find('\n', at) - at);
}

TEST(LobbyRefusals, ARefusedJoinerGetsNoPlaceAndNoTime) {
    // 160 descriptors leave 128 connections, the last 64 kept for host and player channels.
    LobbyProcess lobby({"--hello-timeout", "3"}, keptLog(160));
    QuietTable steady(lobby);
    // Seat 0 of the steady table is its host's: every "L" for it is refused with the seat list.
    std::vector<std::unique_ptr<PlayerClient>> refused;
    for (int i = 0; i < 125; ++i) {
        refused.push_back(std::make_unique<PlayerClient>(lobby.playerPort(),
                                                         "127.0.5." + std::to_string(i % 8 + 1)));
        refused.back()->send(encode(JoinTable{"", 0, 0, "Sq"}));
        for (int seat = 0; seat < 4; ++seat) {
            ASSERT_EQ(refused.back()->nextRaw().substr(0, 2), "P" + std::to_string(seat));
        }
    }
    // Every place is taken; a new host from elsewhere takes a refused joiner's.
    HostedTable newcomer(lobby, "Newcomer", "Ned", "127.0.0.20");
    steady.checkStillRelays();
    // And the joiners left are closed at the hello time-out, having taken no seat.
    EXPECT_TRUE(refused.back()->waitForClose());
    EXPECT_TRUE(lobby.waitForLog("player channel closed: said nothing in time"));
    steady.checkStillRelays();
}

TEST(LobbyRefusals, ReconnectingGainsNoTableLists) {
    // The address's allowance is set low enough that its refill over the test is under one.
    LobbyProcess lobby({"--address-list-burst", "40", "--address-list-rate", "0.01"}, keptLog());
    QuietTable steady(lobby);
    std::size_t rows = 0;
    for (int i = 0; i < 300; ++i) {
        HostClient lister(lobby.listPort(), "127.0.0.21");
        lister.send(std::string(20, 'Q'));
        lister.finishSending();
        // Each list is one row, the steady table's; the lobby closes when it has read all.
        while (auto row = lister.next()) {
            rows += std::holds_alternative<TableEntry>(row->message) ? 1 : 0;
        }
    }
    EXPECT_GE(rows, 40u);
    EXPECT_LE(rows, 41u);
    // Other addresses keep their own allowance.
    EXPECT_EQ(listTables(lobby, 1, "127.0.0.22").size(), 1u);
    steady.checkStillRelays();
    const std::string line = figures(lobby);
    EXPECT_NE(line.find("lists " + std::to_string(rows + 2) + " sent, " +
                        std::to_string(6000 - rows) + " dropped"),
              std::string::npos)
        << line;
}

TEST(LobbyRefusals, EachKindOfRefusalIsLoggedOncePerConnection) {
    LobbyProcess lobby({}, keptLog());
    QuietTable steady(lobby);
    HostedTable attic(lobby, "Attic", "Ann", "127.0.0.23");
    listTables(lobby, 2, "127.0.0.23");
    auto seated = joinAt(lobby, attic, 1, 2, "Bo", "127.0.0.23");
    attic.host.send(repeated(encode(CreateTable{"", "Again", "", "Ann"}), 200));
    attic.seat0->send(repeated("Z", 200));
    seated->send(repeated(encode(JoinTable{"", 1, 3, "Bo"}), 200));
    PlayerClient taker(lobby.playerPort(), "127.0.0.24");
    taker.send(repeated(encode(JoinTable{"", 0, 1, "Cy"}), 200));
    for (int i = 0; i < 800; ++i) {
        ASSERT_EQ(taker.nextRaw()[0], 'P');
    }
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
    LobbyProcess lobby({}, keptLog());
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

} // namespace
} // namespace corvane::testing
