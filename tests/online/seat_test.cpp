// The seated player: each host message applied to a table turned to the player's seat, and the
// player's moves sent back in the host's numbering.
#include "online/memory_channel.h"
#include "online/seat.h"
#include "protocol/encode.h"
#include "protocol/score_line.h"
#include "table/layout.h"
#include "table/presenter.h"
#include "table/saying.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;

// A player seated at `own` on its own table.
struct Seated {
    Seated(VirtualClock& clock, Random& random, int own) : e(clock, random), s(e, c) {
        e.startUp();
        s.goOnline();
        s.joinAs(own, "Bob");
        c.arrive("Y");
        c.takeSent();
    }
    online::MemoryChannel c;
    Engine e;
    online::Seat s;
};

// A player seated at seat 2 on its own table, and a deal: deck value n on host picture n, the
// kitty 20-22 (`hands` the same without the kitty, as after the draw).
class SeatFixture : public ::testing::Test {
protected:
    Table& t() { return engine.table(); }
    // The clock is not run: a running time-out would act for the player.
    void arrive(const std::string& bytes) { channel.arrive(bytes); }
    void clickMessages() {
        for (int guard = 0; guard < 10 && t().buttonMode == ButtonMode::Message; ++guard) {
            engine.clickButton(1);
            clock.runUntilIdle();
        }
    }

    VirtualClock clock;
    Random random{5};
    Seated seated{clock, random, 2};
    online::MemoryChannel& channel = seated.c;
    Engine& engine = seated.e;
    online::Seat& seat = seated.s;
    std::vector<int> deal = [] {
        std::vector<int> d(23);
        std::iota(d.begin(), d.end(), 0);
        return d;
    }();
    std::vector<int> hands{deal.begin(), deal.begin() + 20};
};

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// The numbering at each of the four seats: the own hand at the bottom and the others round the
// table, a bid and a trick shown at the turned seat, the score from the own side, and the
// discard and the card sent back in the host's numbers.
TEST_F(SeatFixture, EachSeatTurnsTheTableToItself) {
    for (int own = 0; own < 4; ++own) {
        SCOPED_TRACE("seat " + std::to_string(own));
        Seated seated(clock, random, own);
        auto& [c, e, s] = seated;
        const Table& table = e.table();
        const int left = (own + 1) % 4, partner = (own + 2) % 4;
        c.arrive(encode(Cards{deal}));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(table.cardAt(i).deckIndex(), 5 * own + i);
        for (int h = 0; h < 23; ++h)
            EXPECT_EQ(table.cardAt(h < 20 ? table.localPicture(h) : h).deckIndex(), h);
        EXPECT_EQ(table.CardState(table.localPicture(5 * left)), TagState::Down);
        c.arrive(encode(YourBid{left, 0}));
        EXPECT_EQ(present(table).lblBid[1].color, LabelColor::Red); // the dealer's mark
        EXPECT_TRUE(e.clickBid(0));
        EXPECT_EQ(c.takeSent(), "b" + std::to_string(own) + "Pa");
        c.arrive(encode(SeatName{left, "Dan"}) + encode(BidMade{left, protocol::Bid::of(20)}) +
                 "T");
        EXPECT_EQ(present(table).lblPlayerName[1].caption, "Dan");
        EXPECT_EQ(present(table).lblBid[1].caption, "20");
        EXPECT_TRUE(e.clickTrump(3));
        EXPECT_EQ(c.takeSent(), "t3");
        c.arrive(encode(DiscardPhase{{5 * left}, 3, 20, left}));
        EXPECT_EQ(table.CardState(table.localPicture(5 * left)), TagState::Thrown);
        EXPECT_EQ(present(table).lblPlayerName[1].color, LabelColor::White);
        EXPECT_EQ(table.trumpSuit, 3);
        EXPECT_EQ(present(table).lblBid[4].caption, "20");
        EXPECT_EQ(table.CardState(KittyFirst), TagState::Down); // another seat's kitty
        e.clickCard(0);
        e.clickCard(1);
        e.clickButton(1);
        EXPECT_EQ(c.takeSent(),
                  "r" + std::to_string(own) + "04" + twoDigits(5 * own) + twoDigits(5 * own + 1));
        std::vector<int> drawn = hands;
        drawn[static_cast<size_t>(5 * own + 2)] = 40;
        c.arrive(encode(Cards{drawn}) + encode(CardPlayed{5 * ((own + 3) % 4)}) +
                 encode(YourTurn{own}));
        EXPECT_EQ(table.cardAt(2).deckIndex(), 40);
        EXPECT_EQ(table.CardState(2), TagState::Up);
        for (int k = KittyFirst; k <= 22; ++k)
            EXPECT_FALSE(table.picCard[static_cast<size_t>(k)].visible); // the kitty
        EXPECT_EQ(table.picCard[15].position, trickPosition(3)); // the right-hand seat's card
        e.clickCard(3);
        EXPECT_EQ(c.takeSent(), "p" + twoDigits(5 * own + 3));
        c.arrive(encode(CardPlayed{5 * own + 3}));
        EXPECT_EQ(table.trickCardCount, 2); // the echo counts once
        EXPECT_EQ(table.CardState(3), TagState::Played);
        c.arrive(encode(TrickWon{left}));
        clock.advance(Engine::TrickPause);
        EXPECT_EQ(present(table).lblTricks[0] + "|" + present(table).lblTricks[1], "|J");
        c.arrive(encode(TrickWon{partner}));
        clock.advance(Engine::TrickPause);
        EXPECT_EQ(present(table).lblTricks[0] + "|" + present(table).lblTricks[1], "J|J");
        c.arrive("E-20" + std::string("2030") + "1000");
        clock.runUntilIdle();
        EXPECT_EQ(english(table.message), "Bidder goes down 20.");
        EXPECT_FALSE(present(table).imgTrumpVisible);
        EXPECT_EQ(table.score[0], own % 2 == 0 ? 30 : 0);
        EXPECT_EQ(table.score[1], own % 2 == 0 ? 0 : 30);
    }
}

// Whatever a person is asked, the computer answers for them when their time runs out, in the
// host's numbering of their seat, and the button window says what it did; of a card, until its
// trick is gathered.
TEST_F(SeatFixture, TheComputerActsForAPersonWhoseTimeRunsOut) {
    for (int own : {1, 3})
        for (const char* sentStart : {"b", "t", "r", "p"}) {
            SCOPED_TRACE(std::to_string(own) + sentStart);
            Seated seated(clock, random, own);
            auto& [c, e, s] = seated;
            const int right = (own + 3) % 4;
            const std::string discards =
                encode(Cards{deal}) + encode(DiscardPhase{{}, 3, 20, right});
            const std::map<char, std::string> asked{
                {'b', encode(Cards{deal}) + encode(YourBid{right, 0})},
                {'t', encode(Cards{deal}) + "T"},
                {'r', discards},
                {'p', discards + encode(Cards{hands}) + encode(CardPlayed{5 * right}) +
                          encode(YourTurn{own})}};
            c.arrive(asked.at(sentStart[0]));
            if (sentStart[0] == 'r')
                e.clickCard(0); // the person's own marks give way to the computer's
            clock.advance(20000);
            const std::string sent = c.takeSent();
            ASSERT_EQ(sent.substr(0, 1), sentStart) << sent;
            const Table& table = e.table();
            const int card = sent[0] == 'p' ? std::stoi(sent.substr(1)) : 5 * own;
            EXPECT_EQ(card / 5, own) << sent;
            if (sent[0] == 'b' || sent[0] == 'r') {
                EXPECT_EQ(sent.substr(1, 1), std::to_string(own)) << sent;
            }
            const Saying told =
                sent[0] == 'b'   ? Saying(Said::TimedOutBid)
                : sent[0] == 't' ? Saying::withSuit(Said::TimedOutTrump, sent[1] - '0')
                : sent[0] == 'r'
                    ? Saying(Said::TimedOutDiscard)
                    : Saying::withCard(Said::TimedOutCard, table.cardAt(table.localPicture(card)));
            EXPECT_EQ(table.message, told);
            if (sent[0] == 'p') {
                c.arrive(encode(CardPlayed{card}) + encode(CardPlayed{5 * ((own + 1) % 4)}) +
                         encode(CardPlayed{5 * ((own + 2) % 4)}) + encode(TrickWon{own}));
                EXPECT_NE(table.buttonMode, ButtonMode::Hidden);
                clock.advance(Engine::TrickPause);
                EXPECT_EQ(table.buttonMode, ButtonMode::Hidden);
            }
        }
}

// The host's own seat reads the score before the next hand: until the click, or at most a
// turn's time-out. The dealer of the table it shares is the host's to move on.
TEST_F(SeatFixture, TheHostsEndOfHandMessageWaitsForTheClickOrTheTimeOut) {
    seat.setHostsOwnSeat(true);
    t().netRole = 2;
    t().dealerSeat = 2;
    arrive("E+20" + std::string("2020") + "1000");
    clock.advance(19000);
    EXPECT_EQ(seat.handsCounted(), 0);
    clock.advance(1000);
    EXPECT_EQ(seat.handsCounted(), 1);
    arrive("E+20" + std::string("2020") + "1000");
    EXPECT_EQ(seat.handsCounted(), 1);
    clickMessages();
    EXPECT_EQ(seat.handsCounted(), 2);
    EXPECT_EQ(t().dealerSeat, 2);
}
// The four cards stay for the trick pause: the next lead, sent at once, waits until it is over,
// and only then does the trick count for the host's own wait.
TEST_F(SeatFixture, AFinishedTrickStaysOnTheTableForThePause) {
    arrive(encode(Cards{deal}) + encode(DiscardPhase{{}, 3, 20, 1}));
    arrive(encode(Cards{hands}));
    const std::vector<int> trick{5, 10, 15, 0};
    for (int card : trick)
        arrive(encode(CardPlayed{card}));
    arrive(encode(TrickWon{2}) + encode(CardPlayed{6}) + encode(ChatShow{"Bob: next"}));
    const auto onTable = [&] {
        int shown = 0;
        for (int card : trick)
            shown += t().picCard[static_cast<size_t>(t().localPicture(card))].visible ? 1 : 0;
        return shown;
    };
    EXPECT_EQ(onTable(), 4);
    EXPECT_EQ(seat.tricksCounted(), 0);
    clock.advance(Engine::TrickPause - 1);
    EXPECT_EQ(onTable(), 4);
    EXPECT_EQ(t().CardState(t().localPicture(6)), TagState::Down);
    clock.advance(1);
    EXPECT_EQ(seat.tricksCounted(), 1);
    EXPECT_EQ(onTable(), 0);
    EXPECT_TRUE(t().picCard[static_cast<size_t>(t().localPicture(6))].visible);
    ASSERT_EQ(seat.whiteboard().size(), 1u);
}

// A second "B" or "W" for the own seat before the host has shown the move is the host asking
// again: the move is shown refused (a card goes back to the hand) and the player chooses again.
TEST_F(SeatFixture, ARefusedBidOrCardIsAskedAgain) {
    arrive(encode(Cards{deal}) + encode(YourBid{1, 0}));
    EXPECT_TRUE(engine.clickBid(1));
    EXPECT_EQ(channel.takeSent(), "b220");
    EXPECT_FALSE(t().localChoice == LocalChoice::Bid || t().timeoutRunning);
    arrive(encode(YourBid{1, 0}));
    EXPECT_EQ(t().message, Saying(Said::BidRefused));
    EXPECT_TRUE(t().localChoice == LocalChoice::Bid && t().timeoutRunning);
    EXPECT_FALSE(present(t()).lblBid[0].visible);
    EXPECT_TRUE(engine.clickBid(0));
    EXPECT_EQ(channel.takeSent(), "b2Pa");

    arrive(encode(DiscardPhase{{}, 3, 20, 1}) + encode(Cards{hands}) + encode(CardPlayed{5}) +
           encode(YourTurn{2}));
    engine.clickCard(3);
    EXPECT_EQ(channel.takeSent(), "p13");
    EXPECT_NE(t().picCard[3].position, homePosition(3));
    arrive(encode(YourTurn{2}));
    EXPECT_EQ(t().message, Saying(Said::CardRefused));
    EXPECT_EQ(t().picCard[3].position, homePosition(3));
    EXPECT_TRUE(t().awaitedSeat == t().localSeat && t().timeoutRunning);
    engine.clickCard(1);
    EXPECT_EQ(channel.takeSent(), "p11");
    arrive(encode(CardPlayed{11}));
    EXPECT_EQ(t().CardState(1), TagState::Played);
    EXPECT_NE(t().CardState(3), TagState::Played);
}

// The score line sets the labels; the same words spoken by a person do not.
TEST_F(SeatFixture, TheScoreToldOnSittingDownIsShownInTheLabels) {
    arrive(encode(ChatShow{"Dan: " + scoreLine(5, 10)}));
    EXPECT_EQ(t().score, (std::array<int, 2>{0, 0}));
    arrive(encode(ChatShow{scoreLine(-15, 40)}));
    EXPECT_EQ(t().score, (std::array<int, 2>{-15, 40}));
    EXPECT_EQ(seat.whiteboard().back(), scoreLine(-15, 40));
}

// The dealer is the seat before a hand's first bid: nobody is marked before it at a seat just
// sat down, or once a game is over (the host draws the next game's dealer), and the next game
// starts from nothing.
TEST_F(SeatFixture, WonGameOffersTheDealForTheNextOne) {
    EXPECT_EQ(t().dealerSeat, NoSeat);
    arrive(encode(Cards{deal}));
    EXPECT_FALSE(t().dealerMarkShown());
    arrive(encode(BidMade{1, protocol::Bid::passed()}));
    EXPECT_EQ(t().dealerSeat, 0);
    arrive("E-30" + std::string("0030") + "2120");
    EXPECT_EQ(english(t().message), "She's gone b'y.");
    clickMessages();
    EXPECT_EQ(t().score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(t().dealerSeat, NoSeat);
    EXPECT_EQ(t().gamePhase, GamePhase::Idle);
    EXPECT_TRUE((t().buttonMode != ButtonMode::Hidden));
    EXPECT_EQ(present(t()).buttonMenu.modeX, ButtonMode::Deal);
    engine.clickButton(1);
    EXPECT_EQ(channel.takeSent(), "i");
}

// The misdeal names the dealer, or "You" at the dealer's own table; a late seat waits.
TEST_F(SeatFixture, MisdealNamesTheDealerAndALateSeatWaits) {
    for (const auto& [own, said] :
         {std::pair{2, "Dan calls for a misdeal."}, {1, "You called for a misdeal."}}) {
        Seated seated(clock, random, own);
        auto& [c, e, s] = seated;
        c.arrive(encode(SeatName{3, "Dan"}) + encode(YourBid{own == 2 ? 3 : own, 0}) + "N");
        EXPECT_EQ(english(e.table().message), said);
        EXPECT_EQ(e.table().bidsMade, 0);
        c.arrive("I");
        EXPECT_EQ(english(e.table().message), "Waiting for next hand...");
    }
}

// A line is cut to eighty characters, and to the bytes the host's "name: " leaves in the
// two-digit length where a character ends; the person is told once the cut line is back.
TEST_F(SeatFixture, ChatIsCutToFitAndTheCutIsTold) {
    std::string accented;
    for (int i = 0; i < 80; ++i)
        accented += "\xC3\xA9"; // é
    const std::pair<std::string, std::string> rows[] = {
        {std::string(90, 'a'), std::string(80, 'a')},
        {"", ""},
        {accented, accented.substr(0, 94)},
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"}};
    for (const auto& [said, kept] : rows) {
        seat.sendChat(said);
        EXPECT_EQ(channel.takeSent(), "c2" + twoDigits(int(kept.size())) + kept);
        arrive(encode(ChatShow{"Ann: hi"}));
        EXPECT_EQ(seat.whiteboard().back(), "Ann: hi");
        arrive(encode(ChatShow{"Bob: " + kept}));
        EXPECT_EQ(seat.whiteboard().back(),
                  kept == said ? "Bob: " + kept : online::Seat::ChatShortenedMessage);
    }
}

// "K", or the channel lost, in the middle of a hand: a standalone game at once.
TEST_F(SeatFixture, HostGoneReturnsToAStandaloneGame) {
    for (bool told : {true, false}) {
        Seated seated(clock, random, 2);
        auto& [c, e, s] = seated;
        c.arrive(encode(Cards{deal}) + encode(YourBid{1, 0}));
        if (told)
            c.arrive("K");
        else
            c.peerCloses();
        EXPECT_EQ(e.table().gamePhase, GamePhase::Idle);
        EXPECT_FALSE(e.table().localChoice == LocalChoice::Bid || e.table().timeoutRunning ||
                     s.seated());
        EXPECT_EQ(english(e.table().message), "Your host has disconnected.");
    }
}
} // namespace
} // namespace corvane::testing
