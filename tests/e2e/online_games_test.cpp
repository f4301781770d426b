// Whole online games through the real corvane-lobby: a hosting bot and joined bots as separate
// processes. After every hand each seat's view must agree with the host's table. Every wait has
// a deadline: a bot that stalls or fails ends its test with a message saying which.
#include "protocol/encode.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;

class OnlineGames : public ::testing::Test {
protected:
    // A bot at table "T": its host, which deals once four persons sit (seat 0), or joined at
    // `seat`.
    std::unique_ptr<BotProcess> bot(int seat, int games, const char* pace = "fast") {
        const std::string n = std::to_string(seat);
        std::vector<std::string> args{
            "--pace", pace, "--games", std::to_string(games), "--seed", seat == 0 ? "17" : n};
        if (seat == 0)
            args.insert(args.end(), {"--host", "T", "--name", "Hosty", "--wait-for", "4"});
        else
            args.insert(args.end(), {"--join", "T", "--seat", n, "--name", "J" + n});
        return std::make_unique<BotProcess>(lobby.ports(), args);
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

    LobbyProcess lobby{{"--quiet"}};
};

TEST_F(OnlineGames, FourPersonsPlayWholeGamesAndEveryViewAgreesWithTheHost) {
    auto hostBot = bot(0, 2);
    std::vector<std::unique_ptr<BotProcess>> joined;
    for (int seat = 1; seat <= 3; ++seat)
        joined.push_back(bot(seat, 2));
    EXPECT_EQ(
        finishAll({hostBot.get(), joined[0].get(), joined[1].get(), joined[2].get()}, deadline()),
        "");

    const auto games = hostBot->lines("table game ");
    ASSERT_EQ(games.size(), 2u);
    for (const auto& g : games)
        EXPECT_NE(g.find(" 120"), std::string::npos) << g;
    agree(*hostBot, *hostBot, 0);
    EXPECT_EQ(hostBot->lines("game "), games);
    for (int seat = 1; seat <= 3; ++seat) {
        agree(*hostBot, *joined[static_cast<size_t>(seat - 1)], seat);
        EXPECT_EQ(joined[static_cast<size_t>(seat - 1)]->lines("game "), games);
    }
}

TEST_F(OnlineGames, JoinedBotThatLeavesMidTrickSitsDownAgainAndPlaysOnInTheSameHand) {
    // At a person's pace at the host and at North, so the hand is still on when North is back.
    auto hostBot = bot(0, 1, "normal");
    auto west = bot(1, 1);
    auto north = bot(2, 1, "normal");
    auto east = bot(3, 1);
    ASSERT_TRUE(north->waitForLine("play 1 ", deadline())) << north->describe();
    north->kill();
    ASSERT_TRUE(hostBot->waitForLine("notice: J2 has disconnected.", deadline()))
        << hostBot->describe();
    auto back = bot(2, 1, "normal");
    ASSERT_TRUE(back->waitForLine("hand 1 ", deadline())) << back->describe();
    EXPECT_FALSE(back->lines("play 1 ").empty()) << back->describe();
    // The hand it came back to, as the host saw it: its cards after the draw, the contract, the
    // score.
    ASSERT_TRUE(hostBot->waitForLine("table hand 1 seat 3 ", deadline()));
    EXPECT_EQ(back->lines("hand 1 seat 2 "), hostBot->lines("table hand 1 seat 2 "));
}

// The lobby refuses a join while another list being read at the joiner's address puts another
// table on that row. The bot takes the refusal for what it is, not for its host leaving, and
// joins from a fresh list once the lists agree.
TEST(OnlineJoin, ARefusedJoinIsTriedAgainFromAFreshList) {
    LobbyProcess lobby;
    HostClient elsewhere(lobby.hostPort(), "127.0.0.2");
    elsewhere.send(encode(CreateTable{"", "Other", "", "Ann"}));
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
    EXPECT_EQ(finishAll({&hostBot, &joiner}, within(std::chrono::seconds(60))), "");
    EXPECT_EQ(joiner.lines("game ").size(), 1u);
}

} // namespace
} // namespace corvane::testing
