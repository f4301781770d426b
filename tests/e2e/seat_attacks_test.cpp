// A seated client that misbehaves at a corvane-bot table through the real corvane-lobby: it
// takes its seat a second time under another name, sits down under a name that another seat
// already shows, and floods the table with chat. The names stay each person's own and the
// table goes on.
#include "protocol/encode.h"
#include "protocol/seat_names.h"
#include "tests/support/bot_process.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <chrono>
#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;
using namespace std::chrono_literals;

// A bot that hosts table "T" as "Hosty" and deals once two more persons sit.
class BotTable : public ::testing::Test {
protected:
    BotTable()
        : hostBot(lobby.ports(), {"--pace", "normal", "--host", "T", "--name", "Hosty",
                                  "--wait-for", "3", "--seed", "5"}) {}

    void SetUp() override { ASSERT_TRUE(lobby.waitForLog("opens the host's seat")) << lobby.log(); }

    // Joins and sits at `seat`; the name the host then shows for it, or "" if none came.
    std::string sit(PlayerClient& client, int seat, const std::string& name) {
        client.send(encode(JoinTable{"", 0, seat, name}));
        if (client.nextRaw() != "Y")
            return {};
        client.send(encode(TakeSeat{seat, name}));
        while (auto message = client.nextWithin(10s)) {
            const auto* p = std::get_if<SeatName>(&message->message);
            // The answers to the join show free seats with their mark; the seat's own name
            // comes once the host has seated it.
            if (p && p->seat == seat && !marksFreeSeat(p->name))
                return p->name;
        }
        return {};
    }

    LobbyProcess lobby{{}, keptLog()};
    BotProcess hostBot;
};

TEST_F(BotTable, APersonKeepsTheNameTheySatDownWithAndNoNameIsShownTwice) {
    PlayerClient raw(lobby.playerPort());
    const std::string shown = sit(raw, 1, "Hosty");
    EXPECT_NE(shown, "");
    EXPECT_NE(shown, "Hosty") << "two seats show the host's name";

    // A second "s" under the host's name, then a chat line: it still speaks as itself.
    raw.send(encode(TakeSeat{1, "Hosty"}) + encode(ChatLine{1, "I resign, take it"}));
    for (;;) {
        auto message = raw.nextWithin(10s);
        ASSERT_TRUE(message.has_value()) << "no chat line came back";
        if (const auto* p = std::get_if<SeatName>(&message->message); p && p->seat == 1) {
            EXPECT_EQ(p->name, shown);
        }
        const auto* chat = std::get_if<ChatShow>(&message->message);
        if (chat && chat->text != shown + " has joined.") {
            EXPECT_EQ(chat->text, shown + ": I resign, take it");
            break;
        }
    }
}

TEST_F(BotTable, AChatFloodFromOneSeatDoesNotEndTheTable) {
    PlayerClient flood(lobby.playerPort());
    ASSERT_EQ(sit(flood, 1, "Flood"), "Flood");
    std::string lines;
    for (int i = 0; i < 1000; ++i)
        lines += encode(ChatLine{1, std::string(99, 'x')});
    flood.send(lines);

    // A second person sits down afterwards and the host deals: the table is still there.
    PlayerClient late(lobby.playerPort());
    EXPECT_EQ(sit(late, 2, "Late"), "Late");
    bool dealt = false;
    while (auto message = late.nextWithin(30s)) {
        ASSERT_FALSE(std::holds_alternative<HostGone>(message->message)) << "the host was lost";
        if (std::holds_alternative<Cards>(message->message)) {
            dealt = true;
            break;
        }
    }
    EXPECT_TRUE(dealt);

    // The speaker saw a few of its lines, and was told that the rest were dropped.
    int echoed = 0;
    int told = 0;
    while (auto message = flood.nextWithin(5s)) {
        ASSERT_FALSE(std::holds_alternative<HostGone>(message->message)) << "the host was lost";
        if (const auto* chat = std::get_if<ChatShow>(&message->message)) {
            if (chat->text.rfind("Flood: ", 0) == 0)
                ++echoed;
            else if (chat->text == "(You sent lines too fast: some were not passed on.)")
                ++told;
        }
        if (std::holds_alternative<Cards>(message->message))
            break;
    }
    EXPECT_GE(echoed, 1);
    EXPECT_LT(echoed, 100);
    EXPECT_GE(told, 1);
}

} // namespace
} // namespace corvane::testing
