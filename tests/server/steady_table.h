// A table from 127.0.0.1 with a person at seat 1, which must keep relaying while other
// clients misbehave.
#pragma once

#include "tests/server/table_setup.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <gtest/gtest.h>
#include <memory>

namespace corvane::testing {

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
