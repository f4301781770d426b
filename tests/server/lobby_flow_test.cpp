// corvane-lobby over real sockets: the list, creating a table, the key, joining with the
// "q"/"P"/"Y" exchange, relaying both ways, and the losses of a player and of a host.
#include "protocol/encode.h"
#include "tests/server/table_setup.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;

// Maud's table with Bea at seat 1 and Cy at seat 2.
struct TwoJoined {
    explicit TwoJoined(const LobbyProcess& lobby) : table(lobby, "Kitchen", "Maud") {
        listTables(lobby, 1);
        west = joinAt(lobby, table, 0, 1, "Bea");
        listTables(lobby, 1);
        north = joinAt(lobby, table, 0, 2, "Cy");
    }
    HostedTable table;
    std::unique_ptr<PlayerClient> west;
    std::unique_ptr<PlayerClient> north;
};

TEST(LobbyFlow, ListsEachWaitingTableWithItsSeats) {
    LobbyProcess lobby;
    HostedTable first(lobby, "Kitchen", "Maud");
    HostedTable second(lobby, "Porch", "Gus");
    const auto rows = listTables(lobby, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Kitchen");
    EXPECT_EQ(rows[1].name, "Porch");
    EXPECT_NE(rows[0].id, rows[1].id);
    EXPECT_EQ(rows[0].occupants[0], "Maud");
    for (int seat = 1; seat < 4; ++seat) {
        EXPECT_EQ(rows[0].occupants[static_cast<std::size_t>(seat)].substr(0, 8), "Computer");
    }
}

TEST(LobbyFlow, ListsAtMostTwentyOneTables) {
    LobbyProcess lobby;
    std::vector<std::unique_ptr<HostClient>> hosts;
    // One table from each of 23 homes: the 21 newest homes are listed, in creation order.
    for (int i = 0; i < 23; ++i) {
        hosts.push_back(
            std::make_unique<HostClient>(lobby.hostPort(), "127.0.1." + std::to_string(i + 1)));
        hosts.back()->send(encode(CreateTable{"", "T" + std::to_string(i), "", "H"}));
        ASSERT_EQ(hosts.back()->nextRaw(), "H");
    }
    HostClient list(lobby.listPort());
    // Two requests in one send: if a 22nd row came, the second answer would start late.
    list.send("QQ");
    std::vector<std::string> names;
    for (int i = 0; i < 42; ++i) {
        auto decoded = list.next();
        ASSERT_TRUE(decoded.has_value());
        names.push_back(std::get<TableEntry>(decoded->message).name);
    }
    EXPECT_EQ(names[0], "T2");
    EXPECT_EQ(names[20], "T22");
    EXPECT_EQ(names[21], "T2");
}

TEST(LobbyFlow, KeyIsCheckedForHostsAndPlayers) {
    LobbyProcess lobby({"--key", "opensesame"});
    struct Case {
        std::string key;
        std::string answer;
    };
    std::vector<std::unique_ptr<HostClient>> hosts;
    for (const Case& c : std::vector<Case>{{"opensesa", "H"}, {"wrong", "N"}, {"", "N"}}) {
        hosts.push_back(std::make_unique<HostClient>(lobby.hostPort()));
        hosts.back()->send(encode(CreateTable{c.key, "T", "", "Maud"}));
        EXPECT_EQ(hosts.back()->nextRaw(), c.answer) << c.key;
    }
    listTables(lobby, 1);
    PlayerClient refused(lobby.playerPort());
    refused.send(encode(JoinTable{"nope", 0, 1, "Bea"}));
    EXPECT_EQ(refused.nextRaw(), "N");
}

TEST(LobbyFlow, AShortKeySentWithoutPaddingIsAccepted) {
    LobbyProcess lobby({"--key", "abc"});
    HostClient host(lobby.hostPort());
    host.send("Habc05T/1.204Maud");
    EXPECT_EQ(host.nextRaw(), "H");
}

TEST(LobbyFlow, JoinRunsTheSeatListExchange) {
    LobbyProcess lobby;
    HostedTable table(lobby, "Kitchen", "Maud");
    listTables(lobby, 1);
    PlayerClient player(lobby.playerPort());
    player.send(encode(JoinTable{"", 0, 2, "Bea"}));
    EXPECT_EQ(table.host.nextRaw(), "q");
    EXPECT_EQ(player.nextRaw(), "Y");
    const std::string answers = "P004MaudP104`GusP203BeaP306`Flora";
    table.host.send(answers);
    std::string got;
    for (int i = 0; i < 4; ++i) {
        got += player.nextRaw();
    }
    EXPECT_EQ(got, answers);
    player.send("s203Bea");
    auto taken = table.host.next();
    ASSERT_TRUE(taken.has_value());
    const auto& seat = std::get<TakeSeatWithId>(taken->message);
    EXPECT_EQ(seat.seat, 2);
    EXPECT_EQ(seat.name, "Bea");
    EXPECT_FALSE(seat.playerId.empty());
    EXPECT_EQ(taken->raw.substr(0, 7), "s203Bea");
    // The list now shows the person in the seat.
    EXPECT_EQ(listTables(lobby, 1)[0].occupants[2], "Bea");
}

TEST(LobbyFlow, RelaysBroadcastsAndPlayersMoves) {
    LobbyProcess lobby;
    TwoJoined two(lobby);
    auto& [table, west, north] = two;

    // One send: a broadcast to the linked seats (and one to a computer seat, dropped), a
    // message for one seat, and a deal split over two sends.
    table.host.send("0S2Pa1S2Pa2S2Pa3S2Pa"
                    "1B320"
                    "2C046010203040506070809101112131415");
    table.host.send("1617181920212223");
    EXPECT_EQ(table.seat0->nextRaw(), "S2Pa");
    EXPECT_EQ(west->nextRaw(), "S2Pa");
    EXPECT_EQ(north->nextRaw(), "S2Pa");
    EXPECT_EQ(west->nextRaw(), "B320");
    EXPECT_EQ(north->nextRaw(), "C0460102030405060708091011121314151617181920212223");
    table.host.send("1T");
    EXPECT_EQ(west->nextRaw(), "T");

    const std::vector<std::string> moves{"b1Pa", "c105hello", "t3", "r1040506", "i", "p07"};
    std::string all;
    for (const std::string& m : moves) {
        all += m;
    }
    west->send(all);
    for (const std::string& m : moves) {
        EXPECT_EQ(table.host.nextRaw(), m);
    }
    table.seat0->send("b0Pa");
    EXPECT_EQ(table.host.nextRaw(), "b0Pa");
}

TEST(LobbyFlow, APlayerSpeaksOnlyForItsOwnSeat) {
    LobbyProcess lobby;
    HostedTable table(lobby, "Kitchen", "Maud");
    listTables(lobby, 1);
    auto west = joinAt(lobby, table, 0, 1, "Bea");
    west->send("b2Pac2"
               "02hi"
               "b1Pa");
    EXPECT_EQ(table.host.nextRaw(), "b1Pa");
}

// "p" and "t" carry no seat digit: a card outside the sender's own hand pictures, and a trump
// from any seat but the one the host asked, are dropped; the sender's next message still goes.
TEST(LobbyFlow, APlayerPlaysAndNamesTrumpOnlyForItsOwnSeat) {
    LobbyProcess lobby;
    TwoJoined two(lobby);
    auto& [table, west, north] = two;

    struct Case {
        PlayerClient* from;
        std::string sent;
        std::string passed;
    };
    const std::vector<Case> cards{
        {west.get(), "p10p02p07", "p07"},  // seat 2's and seat 0's pictures, then its own
        {west.get(), "p20p05", "p05"},     // a kitty picture, then its own first
        {north.get(), "p09p15p10", "p10"}, // seat 1's last and seat 3's first, then its own
        {table.seat0.get(), "p05p04", "p04"},
    };
    for (const Case& c : cards) {
        c.from->send(c.sent);
        EXPECT_EQ(table.host.nextRaw(), c.passed) << c.sent;
    }

    // Trump is asked of north. West's trump, sent with its pass in one write, is dropped.
    table.host.send("2T");
    EXPECT_EQ(north->nextRaw(), "T");
    west->send("b1Pat2c102hi");
    EXPECT_EQ(table.host.nextRaw(), "b1Pa");
    EXPECT_EQ(table.host.nextRaw(), "c102hi");
    north->send("t3");
    EXPECT_EQ(table.host.nextRaw(), "t3");
    // One answer per question: a second trump from north is dropped too.
    north->send("t0c202ok");
    EXPECT_EQ(table.host.nextRaw(), "c202ok");
    // Trump asked again, then the discard begins: the question is over.
    table.host.send("2T2D001202");
    EXPECT_EQ(north->nextRaw(), "T");
    north->nextRaw();
    north->send("t1c203end");
    EXPECT_EQ(table.host.nextRaw(), "c203end");
}

TEST(LobbyFlow, ATakenSeatIsRefusedWithTheSeatList) {
    LobbyProcess lobby;
    HostedTable table(lobby, "Kitchen", "Maud");
    listTables(lobby, 1);
    auto west = joinAt(lobby, table, 0, 1, "Bea");
    listTables(lobby, 1);
    PlayerClient late(lobby.playerPort());
    late.send(encode(JoinTable{"", 0, 1, "Cy"}));
    std::vector<std::string> seats;
    for (int i = 0; i < 4; ++i) {
        seats.push_back(late.nextRaw());
    }
    EXPECT_EQ(seats,
              (std::vector<std::string>{"P004Maud", "P103Bea", "P209`Computer", "P309`Computer"}));
    // The next answer is to the second try, at a free seat: no "Y" came for the first.
    late.send(encode(JoinTable{"", 0, 3, "Cy"}));
    EXPECT_EQ(late.nextRaw(), "Y");
    EXPECT_EQ(table.host.nextRaw(), "q");
}

TEST(LobbyFlow, AJoinToARowThatNamesNoTableIsClosed) {
    LobbyProcess lobby;
    HostedTable table(lobby, "Kitchen", "Maud");
    listTables(lobby, 1);
    PlayerClient player(lobby.playerPort());
    player.send(encode(JoinTable{"", 5, 1, "Bea"}));
    EXPECT_TRUE(player.waitForClose());
}

TEST(LobbyFlow, APlayersLossIsToldToTheHost) {
    LobbyProcess lobby;
    HostedTable table(lobby, "Kitchen", "Maud");
    listTables(lobby, 1);
    auto east = joinAt(lobby, table, 0, 3, "Bea");
    east->close();
    EXPECT_EQ(table.host.nextRaw(), "k3");
    // The seat is free again.
    EXPECT_EQ(listTables(lobby, 1)[0].occupants[3], "Computer");
}

TEST(LobbyFlow, TheHostsLossEndsTheTable) {
    LobbyProcess lobby;
    auto table = std::make_unique<HostedTable>(lobby, "Kitchen", "Maud");
    HostedTable other(lobby, "Porch", "Gus");
    listTables(lobby, 2);
    auto west = joinAt(lobby, *table, 0, 1, "Bea");
    table->host.close();
    EXPECT_EQ(west->nextRaw(), "K");
    EXPECT_EQ(table->seat0->nextRaw(), "K");
    const auto rows = listTables(lobby, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Porch");
}

// Two hosts behind one address create tables back to back: each seat channel is paired with
// the oldest table still waiting for its host's seat, so each host gets its own seat 0.
TEST(LobbyFlow, TwoHostsFromOneAddressEachGetTheirOwnSeat) {
    LobbyProcess lobby;
    HostClient first(lobby.hostPort());
    first.send(encode(CreateTable{"", "Kitchen", "", "Ann"}));
    ASSERT_EQ(first.nextRaw(), "H");
    HostClient second(lobby.hostPort());
    second.send(encode(CreateTable{"", "Porch", "", "Bo"}));
    ASSERT_EQ(second.nextRaw(), "H");
    PlayerClient firstSeat(lobby.playerPort());
    firstSeat.send("Z" + encode(TakeSeat{0, "Ann"}));
    auto taken = first.next();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->raw.substr(0, 7), "s003Ann");
    PlayerClient secondSeat(lobby.playerPort());
    secondSeat.send("Z" + encode(TakeSeat{0, "Bo"}));
    taken = second.next();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->raw.substr(0, 6), "s002Bo");
    first.send("0W0");
    second.send("0W1");
    EXPECT_EQ(firstSeat.nextRaw(), "W0");
    EXPECT_EQ(secondSeat.nextRaw(), "W1");
}

// Two people behind one address, each reading the list on a connection of their own: a row is
// taken where their lists agree; where the lists put different tables on it, the join is
// refused by closing, so nobody is seated at a table they did not choose. Once one of them has
// closed the list, the other's list alone counts.
TEST(LobbyFlow, ARowIsTakenOnlyWhereTheListsBeingReadAgree) {
    LobbyProcess lobby;
    const auto ask = [](HostClient& list, std::size_t rows) {
        list.send("Q");
        std::vector<std::string> names;
        for (std::size_t i = 0; i < rows; ++i)
            if (auto row = list.next())
                names.push_back(std::get<TableEntry>(row->message).name);
        return names;
    };
    const auto join = [&](int row, int seat) {
        auto player = std::make_unique<PlayerClient>(lobby.playerPort());
        player->send(encode(JoinTable{"", row, seat, "Di"}));
        return player;
    };
    auto kitchen = std::make_unique<HostedTable>(lobby, "Kitchen", "Ann");
    HostedTable porch(lobby, "Porch", "Bo");
    HostClient first(lobby.listPort());
    EXPECT_EQ(ask(first, 2), (std::vector<std::string>{"Kitchen", "Porch"}));
    HostedTable shed(lobby, "Shed", "Cy");
    HostClient second(lobby.listPort());
    EXPECT_EQ(ask(second, 3), (std::vector<std::string>{"Kitchen", "Porch", "Shed"}));

    auto agreed = join(1, 2);
    EXPECT_EQ(agreed->nextRaw(), "Y");
    EXPECT_EQ(porch.host.nextRaw(), "q");
    EXPECT_TRUE(join(2, 1)->waitForClose())
        << "row 2 is the Shed for one and nothing for the other";

    kitchen->host.close();
    EXPECT_EQ(kitchen->seat0->nextRaw(), "K");
    EXPECT_EQ(ask(second, 2), (std::vector<std::string>{"Porch", "Shed"}));
    EXPECT_TRUE(join(0, 3)->waitForClose())
        << "row 0 is the Kitchen for one, the Porch for the other";

    first.close();
    // The close reaches the lobby before a join sent after a fresh listing on the other line.
    EXPECT_EQ(ask(second, 2), (std::vector<std::string>{"Porch", "Shed"}));
    auto alone = join(0, 3);
    EXPECT_EQ(alone->nextRaw(), "Y");
    EXPECT_EQ(porch.host.nextRaw(), "q");
}

TEST(LobbyFlow, AHostSeatOpenedBeforeItsTableWaitsForIt) {
    LobbyProcess lobby;
    PlayerClient seat(lobby.playerPort());
    seat.send("Z" + encode(TakeSeat{0, "Maud"}));
    HostClient host(lobby.hostPort());
    host.send(encode(CreateTable{"", "Kitchen", "", "Maud"}));
    EXPECT_EQ(host.nextRaw(), "H");
    auto taken = host.next();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->raw.substr(0, 8), "s004Maud");
    host.send("0W0");
    EXPECT_EQ(seat.nextRaw(), "W0");
}

// A seat channel that has asked for its host's seat is spoken for: a join it sends while its
// table is on the way is ignored, and the seat it named stays free for someone else.
TEST(LobbyFlow, AChannelWaitingForItsHostsSeatCannotJoinAnotherTable) {
    LobbyProcess lobby({}, keptLog());
    HostedTable kitchen(lobby, "Kitchen", "Ann");
    listTables(lobby, 1, "127.0.0.2");
    PlayerClient waiting(lobby.playerPort(), "127.0.0.2");
    waiting.send("Z" + encode(JoinTable{"", 0, 1, "Bo"}));
    ASSERT_TRUE(lobby.waitForLog("sent a second join; ignored"));
    HostClient porch(lobby.hostPort(), "127.0.0.2");
    porch.send(encode(CreateTable{"", "Porch", "", "Bo"}));
    ASSERT_EQ(porch.nextRaw(), "H");
    waiting.send(encode(TakeSeat{0, "Bo"}));
    auto taken = porch.next();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->raw.substr(0, 6), "s002Bo");
    listTables(lobby, 2);
    // A stray "q" from the ignored join would come before this one and break the exchange.
    auto bea = joinAt(lobby, kitchen, 0, 1, "Bea");
    kitchen.host.send("1W1");
    EXPECT_EQ(bea->nextRaw(), "W1");
}

// A channel that waited for a table and then found its host's seat free is no longer waiting:
// the next table created from its address does not take it over.
TEST(LobbyFlow, AHostSeatIsBoundOnce) {
    LobbyProcess lobby({}, keptLog());
    HostedTable kitchen(lobby, "Kitchen", "Ann", "127.0.0.3");
    PlayerClient seat(lobby.playerPort(), "127.0.0.3");
    seat.send("Z");
    ASSERT_TRUE(lobby.waitForLog("opened a host seat before its table"));
    kitchen.seat0->close();
    auto lost = kitchen.host.next();
    ASSERT_TRUE(lost.has_value());
    ASSERT_TRUE(std::holds_alternative<SeatLost>(lost->message));
    seat.send("Z" + encode(TakeSeat{0, "Ann"}));
    auto taken = kitchen.host.next();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->raw.substr(0, 7), "s003Ann");
    HostClient porch(lobby.hostPort(), "127.0.0.3");
    porch.send(encode(CreateTable{"", "Porch", "", "Bo"}));
    ASSERT_EQ(porch.nextRaw(), "H");
    seat.send(encode(ChatLine{0, "hello"}));
    auto chat = kitchen.host.next();
    ASSERT_TRUE(chat.has_value());
    EXPECT_TRUE(std::holds_alternative<ChatLine>(chat->message)) << chat->raw;
}

} // namespace
} // namespace corvane::testing
