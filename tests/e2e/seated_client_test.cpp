// A seated client written from the message catalogue alone, at a corvane-bot table at a person's
// pace through the real corvane-lobby: each finished trick stays for the standalone pause before
// anything else arrives, as the bot host paces its table by its own seat's view.
#include "protocol/encode.h"
#include "tests/support/bot_process.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;
using Clock = std::chrono::steady_clock;

TEST(SeatedClient, EveryFinishedTrickStaysForThePause) {
    LobbyProcess lobby({}, keptLog());
    BotProcess hostBot(lobby.ports(), {"--pace", "normal", "--host", "T", "--name", "Hosty",
                                       "--wait-for", "2", "--seed", "5"});
    ASSERT_TRUE(lobby.waitForLog("opens the host's seat")) << lobby.log();
    constexpr int Seat = 2;
    PlayerClient raw(lobby.playerPort());
    raw.send(encode(JoinTable{"", 0, Seat, "Raw"}));
    ASSERT_EQ(raw.nextRaw(), "Y");
    raw.send(encode(TakeSeat{Seat, "Raw"}));

    std::set<int> played; // own pictures the host has shown played
    int offered = -1;     // the own picture last sent; the host asks again when the rules refuse it
    std::vector<std::chrono::milliseconds> afterTrick;
    std::optional<Clock::time_point> trickWon;
    for (bool handEnded = false; !handEnded;) {
        auto message = raw.next();
        ASSERT_TRUE(message.has_value()) << "the table stopped";
        const auto now = Clock::now();
        if (trickWon && !std::holds_alternative<ChatShow>(message->message) &&
            !std::holds_alternative<SeatName>(message->message)) {
            afterTrick.push_back(
                std::chrono::duration_cast<std::chrono::milliseconds>(now - *trickWon));
            trickWon.reset();
        }
        std::visit(
            [&](const auto& m) {
                using T = std::decay_t<decltype(m)>;
                if constexpr (std::is_same_v<T, YourBid>) {
                    raw.send(encode(PlayerBid{Seat, Bid::passed()}));
                } else if constexpr (std::is_same_v<T, ChooseTrump>) {
                    raw.send(encode(NameTrump{3}));
                } else if constexpr (std::is_same_v<T, DiscardPhase>) {
                    raw.send(encode(Discards{Seat, {}}));
                } else if constexpr (std::is_same_v<T, YourTurn>) {
                    if (m.seat != Seat)
                        return;
                    do
                        ++offered;
                    while (played.contains(5 * Seat + offered % 5));
                    raw.send(encode(PlayCard{5 * Seat + offered % 5}));
                } else if constexpr (std::is_same_v<T, CardPlayed>) {
                    if (m.card / 5 == Seat)
                        played.insert(m.card);
                } else if constexpr (std::is_same_v<T, TrickWon>) {
                    trickWon = now;
                } else if constexpr (std::is_same_v<T, HandEnd>) {
                    handEnded = true;
                }
            },
            message->message);
    }
    ASSERT_EQ(afterTrick.size(), 5u);
    for (const auto gap : afterTrick)
        EXPECT_GE(gap.count(), 900) << "a finished trick was cleared early";
}

} // namespace
} // namespace corvane::testing
