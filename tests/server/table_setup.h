// Test helpers that bring a table to a known state through the real protocol: a host with its
// own seat channel, the table list, people joining at seats, and a steady table.
#pragma once

#include "protocol/encode.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace corvane::testing {

// A host whose table exists and whose own seat-0 channel is open and has taken its seat.
struct HostedTable {
    HostedTable(const LobbyProcess& lobby, const std::string& table, const std::string& user,
                const std::string& from = "127.0.0.1", const std::string& key = "")
        : host(lobby.hostPort(), from) {
        host.send(protocol::encode(protocol::CreateTable{key, table, "10.1.1.1", user}));
        EXPECT_EQ(host.nextRaw(), "H");
        seat0 = std::make_unique<PlayerClient>(lobby.playerPort(), from);
        seat0->send("Z" + protocol::encode(protocol::TakeSeat{0, user}));
        // The host's own "s" coming through proves the seat channel is bound.
        auto taken = host.next();
        EXPECT_TRUE(taken && std::holds_alternative<protocol::TakeSeatWithId>(taken->message));
    }

    HostClient host;
    std::unique_ptr<PlayerClient> seat0;
};

// Asks for the list and reads its `rows` rows, as a joiner does before its "L".
inline void listTables(const LobbyProcess& lobby, std::size_t rows,
                       const std::string& from = "127.0.0.1") {
    HostClient list(lobby.listPort(), from);
    list.send("Q");
    for (std::size_t i = 0; i < rows; ++i) {
        const auto row = list.next();
        ASSERT_TRUE(row && std::holds_alternative<protocol::TableEntry>(row->message)) << i;
    }
}

// Joins row `row` of the last list at `seat`, answering the host's "q" as a host would, and
// takes the seat. Returns the player's channel.
inline std::unique_ptr<PlayerClient> joinAt(const LobbyProcess& lobby, HostedTable& table, int row,
                                            int seat, const std::string& name,
                                            const std::string& from = "127.0.0.1") {
    auto player = std::make_unique<PlayerClient>(lobby.playerPort(), from);
    player->send(protocol::encode(protocol::JoinTable{"", row, seat, name}));
    EXPECT_EQ(table.host.nextRaw(), "q");
    EXPECT_EQ(player->nextRaw(), "Y");
    std::string answers;
    for (int s = 0; s < 4; ++s)
        answers += protocol::encode(protocol::SeatName{s, s == seat ? name : "`Computer"});
    table.host.send(answers);
    for (int s = 0; s < 4; ++s)
        EXPECT_EQ(player->nextRaw().substr(0, 2), "P" + std::to_string(s));
    player->send(protocol::encode(protocol::TakeSeat{seat, name}));
    auto taken = table.host.next();
    EXPECT_TRUE(taken && std::holds_alternative<protocol::TakeSeatWithId>(taken->message));
    return player;
}

// A table from 127.0.0.1 with a person at seat 1, which must keep relaying while other
// clients misbehave.
struct QuietTable {
    explicit QuietTable(const LobbyProcess& lobby) : table(lobby, "Steady", "Maud") {
        listTables(lobby, 1);
        west = joinAt(lobby, table, 0, 1, "Bea");
    }

    void checkStillRelays() {
        table.host.send("0F031F03");
        EXPECT_EQ(table.seat0->nextRaw(), "F03");
        EXPECT_EQ(west->nextRaw(), "F03");
        west->send("p08");
        EXPECT_EQ(table.host.nextRaw(), "p08");
    }

    HostedTable table;
    std::unique_ptr<PlayerClient> west;
};

} // namespace corvane::testing
