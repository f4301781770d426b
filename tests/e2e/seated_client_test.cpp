// A seated client written from the message catalogue alone, at a corvane-bot table at a person's
// pace through the real corvane-lobby. It answers as a person's program would, and also sends
// what a modified one could: a trump with its pass, a card of another seat's hand in the same
// write as its own, and a card it has already played. The lobby drops the first two, the host
// asks again after the third, and the hand goes on; each finished trick stays for the standalone
// pause before anything else arrives.
#include "protocol/encode.h"
#include "tests/support/lobby_clients.h"
#include "tests/support/lobby_process.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;
using Clock = std::chrono::steady_clock;

std::string card(int picture) {
    return encode(PlayCard{picture});
}

TEST(SeatedClient, ForeignAndReplayedCardsAreRefusedAndEveryTrickStaysForThePause) {
    LobbyProcess lobby{{"--quiet"}};
    BotProcess hostBot(
        {lobby.listPort(), lobby.hostPort(), lobby.playerPort()},
        {"--pace", "normal", "--host", "T", "--name", "Hosty", "--wait-for", "2", "--seed", "5"});
    // The table is listed once the bot has created it.
    bool listed = false;
    for (int i = 0; i < 100 && !listed; ++i) {
        HostClient list(lobby.listPort());
        list.send("Q");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        listed = list.readable();
    }
    ASSERT_TRUE(listed);

    constexpr int Seat = 2;
    PlayerClient raw(lobby.playerPort());
    raw.send(encode(JoinTable{"", 0, Seat, "Raw"}));
    ASSERT_EQ(raw.nextRaw(), "Y");
    raw.send(encode(TakeSeat{Seat, "Raw"}));

    std::set<int> played; // own pictures the host has shown played
    int offered = -1;     // the own picture last sent and not yet shown
    bool replayTried = false;
    bool replaying = false;
    int askedAgain = 0;
    int tricks = 0;
    std::vector<std::chrono::milliseconds> afterTrick;
    std::optional<Clock::time_point> trickWon;
    bool handEnded = false;

    const auto nextOwn = [&](int after) {
        for (int p = std::max(after + 1, 5 * Seat); p <= 5 * Seat + 4; ++p)
            if (!played.contains(p))
                return p;
        return -1;
    };

    while (!handEnded) {
        auto message = raw.next();
        ASSERT_TRUE(message.has_value()) << "the table stopped";
        const auto now = Clock::now();
        const bool show = !std::holds_alternative<ChatShow>(message->message) &&
                          !std::holds_alternative<SeatName>(message->message);
        if (trickWon && show) {
            afterTrick.push_back(
                std::chrono::duration_cast<std::chrono::milliseconds>(now - *trickWon));
            trickWon.reset();
        }
        std::visit(
            [&](const auto& m) {
                using T = std::decay_t<decltype(m)>;
                if constexpr (std::is_same_v<T, Cards>) {
                    if (m.deck.size() == 23)
                        played.clear();
                } else if constexpr (std::is_same_v<T, YourBid>) {
                    // A pass, and in the same write a trump nobody asked this seat for.
                    raw.send(encode(PlayerBid{Seat, Bid::passed()}) + encode(NameTrump{3}));
                } else if constexpr (std::is_same_v<T, ChooseTrump>) {
                    raw.send(encode(NameTrump{3}));
                } else if constexpr (std::is_same_v<T, DiscardPhase>) {
                    raw.send(encode(Discards{Seat, {}}));
                } else if constexpr (std::is_same_v<T, YourTurn>) {
                    if (m.seat != Seat)
                        return;
                    if (replaying) {
                        // The card already played was refused and asked again.
                        replaying = false;
                        ++askedAgain;
                        offered = nextOwn(-1);
                        raw.send(card(offered));
                    } else if (offered >= 0) {
                        // Asked again: the play rules refused that card; the next one.
                        ++askedAgain;
                        offered = nextOwn(offered);
                        raw.send(card(offered));
                    } else if (!played.empty() && !replayTried) {
                        replayTried = true;
                        replaying = true;
                        raw.send(card(*played.begin()));
                    } else {
                        // Seat 0's first card, in the same write as an own card.
                        offered = nextOwn(-1);
                        raw.send(card(0) + card(offered));
                    }
                } else if constexpr (std::is_same_v<T, CardPlayed>) {
                    if (m.card / 5 == Seat) {
                        played.insert(m.card);
                        offered = -1;
                    }
                } else if constexpr (std::is_same_v<T, TrickWon>) {
                    ++tricks;
                    trickWon = now;
                } else if constexpr (std::is_same_v<T, HandEnd>) {
                    handEnded = true;
                }
            },
            message->message);
    }
    EXPECT_EQ(tricks, 5);
    ASSERT_EQ(afterTrick.size(), 5u);
    for (const auto gap : afterTrick)
        EXPECT_GE(gap.count(), 900) << "a finished trick was cleared early";
    EXPECT_TRUE(replayTried);
    EXPECT_GE(askedAgain, 1);
    raw.close();
    hostBot.kill();
    // The host logged the card it asked again for; the card of seat 0's hand never reached it:
    // the lobby dropped it.
    const auto logged = hostBot.lines("host ");
    EXPECT_TRUE(std::any_of(logged.begin(), logged.end(), [](const std::string& line) {
        return line.find("asked again") != std::string::npos;
    })) << ::testing::PrintToString(logged);
    for (const auto& line : logged) {
        EXPECT_EQ(line.find("not in seat 2's hand"), std::string::npos) << line;
        EXPECT_EQ(line.find("a trump nobody was asked for"), std::string::npos) << line;
    }
}

} // namespace
} // namespace corvane::testing
