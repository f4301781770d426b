// Whole online games through the real corvane-lobby: a hosting bot and joined bots as separate
// processes. After every hand each seat's view must agree with the host's table. Every wait has
// a deadline: a bot that stalls or fails ends its test with a message saying which, and takes
// the others down with it.
#include "protocol/encode.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <gtest/gtest.h>
#include <memory>

namespace corvane::testing {
namespace {

class OnlineGames : public ::testing::Test {
protected:
    std::unique_ptr<BotProcess> host(int persons, int games, const char* pace = "fast") {
        return std::make_unique<BotProcess>(
            ports(), std::vector<std::string>{"--pace", pace, "--host", "T", "--name", "Hosty",
                                              "--wait-for", std::to_string(persons), "--games",
                                              std::to_string(games), "--seed", "17"});
    }
    std::unique_ptr<BotProcess> join(int seat, int games, const char* pace = "fast") {
        return std::make_unique<BotProcess>(
            ports(),
            std::vector<std::string>{"--pace", pace, "--join", "T", "--seat", std::to_string(seat),
                                     "--name", "J" + std::to_string(seat), "--games",
                                     std::to_string(games), "--seed", std::to_string(seat)});
    }
    const LobbyPorts& ports() const { return lobby.ports(); }

    // Waits for every bot; the message names each one that failed, stalled or was killed.
    static void finishAll(const std::vector<BotProcess*>& bots) {
        std::vector<ChildProcess*> children(bots.begin(), bots.end());
        if (testing::finishAll(children, deadline()))
            return;
        std::string why;
        for (const BotProcess* bot : bots)
            why += "\n" + bot->describe();
        ADD_FAILURE() << "the bots did not all finish with 0:" << why;
    }
    // Far beyond a game at a person's pace: reached only by a bot that stalls.
    static Deadline deadline() { return within(std::chrono::seconds(60)); }

    // The seat's own lines ("hand N seat S ...") against the host's account of that seat.
    static void agree(const BotProcess& hostBot, const BotProcess& seatBot, int seat) {
        std::vector<std::string> expected;
        for (const auto& line : hostBot.lines("table hand "))
            if (line.find(" seat " + std::to_string(seat) + " ") != std::string::npos)
                expected.push_back(line);
        const auto seen = seatBot.lines("hand ");
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(seen, expected) << "seat " << seat;
    }
    static std::vector<std::string> winners(const BotProcess& bot, const std::string& prefix) {
        return bot.lines(prefix);
    }

    LobbyProcess lobby{{"--quiet"}};
};

TEST_F(OnlineGames, FourPersonsPlayWholeGamesAndEveryViewAgreesWithTheHost) {
    auto hostBot = host(4, 2);
    std::vector<std::unique_ptr<BotProcess>> joined;
    for (int seat = 1; seat <= 3; ++seat)
        joined.push_back(join(seat, 2));
    finishAll({hostBot.get(), joined[0].get(), joined[1].get(), joined[2].get()});

    const auto games = winners(*hostBot, "table game ");
    ASSERT_EQ(games.size(), 2u);
    for (const auto& g : games)
        EXPECT_NE(g.find(" 120"), std::string::npos) << g;
    agree(*hostBot, *hostBot, 0);
    EXPECT_EQ(winners(*hostBot, "game "), games);
    for (int seat = 1; seat <= 3; ++seat) {
        agree(*hostBot, *joined[static_cast<size_t>(seat - 1)], seat);
        EXPECT_EQ(winners(*joined[static_cast<size_t>(seat - 1)], "game "), games);
    }
}

TEST_F(OnlineGames, SeatLeftToTheHostsComputerPlayer) {
    auto hostBot = host(3, 1);
    auto west = join(1, 1);
    auto east = join(3, 1);
    finishAll({hostBot.get(), west.get(), east.get()});
    const auto games = winners(*hostBot, "table game ");
    ASSERT_EQ(games.size(), 1u);
    agree(*hostBot, *hostBot, 0);
    agree(*hostBot, *west, 1);
    agree(*hostBot, *east, 3);
    EXPECT_EQ(winners(*west, "game "), games);
    EXPECT_EQ(winners(*east, "game "), games);
}

TEST_F(OnlineGames, JoinedBotKilledMidHandIsPlayedByTheComputerAndTheGameFinishes) {
    auto hostBot = host(4, 1);
    auto west = join(1, 1);
    // North plays at the pace of a person, so the table is mid-hand when it goes.
    auto north = join(2, 1, "normal");
    auto east = join(3, 1);
    ASSERT_TRUE(north->waitForLine("deal 1", deadline())) << north->describe();
    north->kill();
    finishAll({hostBot.get(), west.get(), east.get()});
    const auto games = winners(*hostBot, "table game ");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(hostBot->lines("notice: J2 has disconnected.").size(), 1u)
        << ::testing::PrintToString(hostBot->lines("notice"));
    EXPECT_EQ(winners(*west, "game "), games);
    EXPECT_EQ(winners(*east, "game "), games);
    agree(*hostBot, *west, 1);
}

TEST_F(OnlineGames, HostKilledSendsEverySeatBackToStandalonePlay) {
    // The host plays at a person's pace, so the game is still on when it goes.
    auto hostBot = host(4, 1, "normal");
    std::vector<std::unique_ptr<BotProcess>> joined;
    for (int seat = 1; seat <= 3; ++seat)
        joined.push_back(join(seat, 1));
    ASSERT_TRUE(hostBot->waitForLine("deal 1", deadline())) << hostBot->describe();
    hostBot->kill();
    finishAll({joined[0].get(), joined[1].get(), joined[2].get()});
    for (auto& j : joined) {
        EXPECT_FALSE(j->lines("host gone: back to a standalone game").empty());
        EXPECT_TRUE(j->lines("game ").empty());
    }
}

// The lobby refuses a join while another list being read at the joiner's address puts another
// table on that row. The bot takes the refusal for what it is, not for its host leaving, and
// joins from a fresh list once the lists agree.
TEST(OnlineJoin, ARefusedJoinIsTriedAgainFromAFreshList) {
    LobbyProcess lobby({}, keptLog());
    HostClient elsewhere(lobby.hostPort(), "127.0.0.2");
    elsewhere.send(protocol::encode(protocol::CreateTable{"", "Other", "", "Ann"}));
    ASSERT_EQ(elsewhere.nextRaw(), "H");
    HostClient neighbour(lobby.listPort());
    neighbour.send("Q");
    ASSERT_TRUE(neighbour.next()); // the other table alone
    BotProcess hostBot(lobby.ports(), {"--pace", "fast", "--host", "T", "--name", "Hosty",
                                       "--wait-for", "2", "--seed", "17"});
    BotProcess joiner(lobby.ports(),
                      {"--pace", "fast", "--join", "T", "--seat", "1", "--name", "J1"});
    ASSERT_TRUE(lobby.waitForLog("join refused")) << lobby.log();
    neighbour.send("Q");
    ASSERT_TRUE(neighbour.next() && neighbour.next()); // the bot's table first
    EXPECT_TRUE(finishAll({&hostBot, &joiner}, within(std::chrono::seconds(60))))
        << hostBot.describe() << "\n"
        << joiner.describe();
    EXPECT_EQ(joiner.lines("game ").size(), 1u);
}

} // namespace
} // namespace corvane::testing
