// The host's handlers against the exact bytes they must send, and every move it must refuse.
#include "host_fixture.h"
#include "protocol/score_line.h"
#include "table/name_pool.h"
#include "tests/support/cards.h"

#include <algorithm>

namespace corvane::testing {
namespace {

std::string names(const Table& t, const std::vector<int>& seats) {
    std::string out;
    for (int j = 0; j < 4; ++j)
        for (int s : seats)
            out += addressedTo(
                s, encode(SeatName{j, t.lblPlayerName[static_cast<size_t>(j)].caption}));
    return out;
}

// The chat line that tells the seats who sat down.
std::string joined(const std::string& name, const std::vector<int>& seats) {
    std::string out;
    for (int s : seats)
        out += addressedTo(s, encode(ChatShow{name + " has joined."}));
    return out;
}

TEST_F(HostFixture, BecomingHostLinksSeatZeroAndBroadcastsTheNamesToIt) {
    online::MemoryChannel other;
    VirtualClock c;
    Random r(3);
    Engine e(c, r);
    e.startUp();
    online::Host h(e, other);
    other.arrive("H");
    EXPECT_TRUE(h.hosting());
    EXPECT_EQ(e.table().netRole, 2);
    EXPECT_EQ(h.seatLinks()[0], "127.0.0.1");
    other.arrive(encode(TakeSeatWithId{0, "Hosty", "1"}));
    EXPECT_EQ(h.seatLinks()[0], "1");
    EXPECT_EQ(other.takeSent(), names(e.table(), {0}));
}

TEST_F(HostFixture, BroadcastGoesToLinkedSeatsOnlyInOneSend) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    EXPECT_EQ(channel.takeSent(), names(t(), {0, 2}) + joined("Bob", {0, 2}));
    arrive(encode(ChatLine{2, "hi"}));
    EXPECT_EQ(channel.takeSent(), "0M07Bob: hi2M07Bob: hi");
}

TEST_F(HostFixture, SeatListMarksComputerSeatsWithAGraveAccent) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    channel.takeSent();
    arrive("q");
    const auto& n = t().lblPlayerName;
    EXPECT_EQ(channel.takeSent(),
              encode(SeatName{0, "Hosty"}) + encode(SeatName{1, "`" + n[1].caption}) +
                  encode(SeatName{2, "Bob"}) + encode(SeatName{3, "`" + n[3].caption}));
}

TEST_F(HostFixture, NextHandDealsTheFortySixCharacterDealToLinkedSeats) {
    arrive("i");
    const auto messages = sent();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(encode(messages[0]), "0C046" + t().dealString);
    EXPECT_EQ(t().dealString.size(), 46u);
    EXPECT_EQ(t().gamePhase, PhaseBidding);
}

TEST_F(HostFixture, SeatTakenDuringTheAuctionGetsTheDealAtOnce) {
    arrive("i");
    ASSERT_EQ(t().gamePhase, PhaseBidding);
    channel.takeSent();
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    EXPECT_EQ(channel.takeSent(),
              "2C046" + t().dealString + names(t(), {0, 2}) + joined("Bob", {0, 2}));
    EXPECT_TRUE(host.seatLinked(2));
}

TEST_F(HostFixture, SeatTakenAfterTheAuctionWaitsForTheNextDeal) {
    drive([&] { return t().gamePhase == PhasePlay; });
    channel.takeSent();
    arrive(encode(TakeSeatWithId{3, "Cat", "8"}));
    // The names go out at once, to the joiner too; its cards wait for the next auction.
    EXPECT_EQ(channel.takeSent(), "3I" + names(t(), {0}) + names(t(), {3}) + joined("Cat", {0, 3}));
    EXPECT_EQ(t().lblPlayerName[3].caption, "Cat");
    EXPECT_FALSE(host.seatLinked(3));
    // The next auction opens: the cards, then the names with the new seat linked.
    drive([&] { return host.seatLinked(3); });
    const std::string bytes = channel.takeSent();
    const std::string expected = "3C046" + t().dealString + names(t(), {0, 3});
    EXPECT_NE(bytes.find(expected), std::string::npos) << bytes;
}

TEST_F(HostFixture, APersonWhoSitsDownDuringAGameIsToldTheScoreFromTheirSide) {
    t().score = {20, 40};
    arrive(encode(TakeSeatWithId{1, "Dee", "7"}));
    const auto messages = sent();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), (Addressed{1, ChatShow{scoreLine(40, 20)}}));
}

TEST_F(HostFixture, PersonsBidIsShownToEverySeatAndTheAuctionGoesOn) {
    drive([&] { return engine.hostAwaits().bidFrom == 0; });
    channel.takeSent();
    arrive("b0Pa");
    const auto messages = sent();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(encode(messages[0]), "0S0Pa");
    EXPECT_EQ(t().lblBid[0].caption, "Pass");
}

TEST_F(HostFixture, SeatLostOnItsTurnInPlayIsPlayedByTheComputerAtOnce) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    drive([&] { return engine.hostAwaits().cardFrom == 2; });
    channel.takeSent();
    const int before = t().trickCardCount + 4 * t().tricksPlayed;
    arrive("k2");
    EXPECT_FALSE(host.seatLinked(2));
    EXPECT_EQ(notices.back(), "Bob has disconnected.");
    const auto messages = sent();
    const CardPlayed* played = nullptr;
    for (const auto& m : messages)
        if (!played && m.seat == 0)
            played = std::get_if<CardPlayed>(&m.message);
    ASSERT_NE(played, nullptr);
    EXPECT_EQ(played->card / 5, 2);
    EXPECT_GT(t().trickCardCount + 4 * t().tricksPlayed + (t().gamePhase != PhasePlay ? 20 : 0),
              before);
}

TEST_F(HostFixture, SeatLostOffItsTurnIsOnlyUnlinked) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    drive([&] { return engine.hostAwaits().cardFrom == 0; });
    channel.takeSent();
    const std::string before = snapshot();
    arrive("k2");
    EXPECT_FALSE(host.seatLinked(2));
    // Every seat still at the table is told, and sees a computer player take the seat.
    const std::string computer = t().lblPlayerName[2].caption;
    EXPECT_NE(computer, "Bob");
    const auto& pool = NamePool::all();
    EXPECT_NE(std::find(pool.begin(), pool.end(), computer), pool.end());
    std::string names;
    for (int s = 0; s < 4; ++s)
        names +=
            encode(Addressed{0, SeatName{s, t().lblPlayerName[static_cast<size_t>(s)].caption}});
    EXPECT_EQ(channel.takeSent(), encode(Addressed{0, ChatShow{"Bob has disconnected."}}) + names);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(engine.hostAwaits().cardFrom, 0);
}

TEST_F(HostFixture, DiscardsCompleteOnlyWhenEveryLinkedSeatHasSentThem) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    drive([&] { return t().gamePhase == PhaseDiscard && !engine.hostAwaits().trump; });
    channel.takeSent();
    arrive("r000");
    EXPECT_EQ(channel.takeSent(), "");
    EXPECT_EQ(t().gamePhase, PhaseDiscard);
    arrive("r2041011");
    EXPECT_TRUE(log.empty());
    const auto messages = sent();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(encode(messages[0]), "0C040" + t().dealString);
    EXPECT_EQ(encode(messages[1]), "2C040" + t().dealString);
    EXPECT_EQ(t().gamePhase, PhasePlay);
}

TEST_F(HostFixture, HandEndsWithAnEMessageAndTheDealerMovesOn) {
    drive([&] { return t().gamePhase == PhasePlay; });
    const int dealer = t().dealerSeat;
    std::string bytes;
    drive([&] {
        bytes += channel.takeSent();
        return bytes.find("0E") != std::string::npos;
    });
    const auto at = bytes.find("0E");
    const std::string end = bytes.substr(at + 1, 12);
    EXPECT_TRUE(end[1] == '+' || end[1] == '-');
    EXPECT_EQ(t().dealerSeat, (dealer + 1) % 4);
}

TEST_F(HostFixture, TrickClosingWaitsForTheHostsOwnView) {
    struct View : online::OwnView {
        int tricks = 0;
        int tricksCounted() const override { return tricks; }
        int handsCounted() const override { return 1000; }
    } view;
    host.setOwnView(&view);
    drive([&] { return t().gamePhase == PhasePlay; });
    std::string bytes;
    drive([&] {
        bytes += channel.takeSent();
        return bytes.find("0X") != std::string::npos;
    });
    clock.runUntilIdle();
    const std::string before = snapshot();
    EXPECT_EQ(t().trickCardCount, 4);
    EXPECT_EQ(channel.takeSent(), "");
    view.tricks = 1;
    host.ownViewChanged();
    clock.runUntilIdle();
    EXPECT_NE(snapshot(), before);
    EXPECT_NE(t().trickCardCount, 4);
}

TEST_F(HostFixture, LostHostChannelReturnsToStandalonePlay) {
    arrive("i");
    channel.peerCloses();
    EXPECT_FALSE(host.hosting());
    EXPECT_EQ(notices.back(), "Lost the connection to the Corvane Server.");
    EXPECT_EQ(t().netRole, 0);
    EXPECT_FALSE(t().online);
    EXPECT_EQ(t().gamePhase, PhaseIdle);
    EXPECT_EQ(engine.flowsInProgress(), 0u);
}

TEST_F(HostFixture, LongChatLineIsCutToFitTheLengthField) {
    arrive(encode(TakeSeatWithId{2, "Bobbybobby", "9"}));
    channel.takeSent();
    arrive(encode(ChatLine{2, std::string(99, 'x')}));
    const std::string line = "Bobbybobby: " + std::string(87, 'x');
    EXPECT_EQ(channel.takeSent(),
              "0M99" + line + "2M99" + line + "2M33" + online::Host::ChatShortenedMessage);
}

// A line of two-byte letters is cut where a letter ends, never inside one.
TEST_F(HostFixture, ChatIsCutOnACharacterBoundary) {
    arrive(encode(TakeSeatWithId{2, "Bobs", "9"}));
    channel.takeSent();
    std::string accented;
    for (int i = 0; i < 48; ++i)
        accented += "\xC3\xA9"; // é
    arrive(encode(ChatLine{2, accented}));
    const auto messages = sent();
    ASSERT_EQ(messages.size(), 3u);
    const std::string shown = std::get<ChatShow>(messages[0].message).text;
    EXPECT_EQ(shown, "Bobs: " + accented.substr(0, 92));
    EXPECT_EQ(std::get<ChatShow>(messages[2].message).text, online::Host::ChatShortenedMessage);
}

// --- Refused moves: each leaves the table as it was. A move the host asked a seat for is asked
// again of that seat ("B" or "W" once more); anything else sends nothing. ---------------------

enum class Stage { Bidding, Trump, Discard, Play, Idle };

struct Refused {
    const char* name;
    Stage stage;
    std::string (*move)(HostFixture& f, const Table& t);
    bool asksAgain = false;
    // What happens first, with the clock held: a computer seat's move stays pending.
    void (*before)(HostFixture& f) = nullptr;
};

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

class StagedHost : public HostFixture {
public:
    // Seat 2 is a person; the auction gives seat 0 the bid when a stage needs trump.
    void reach(Stage stage) {
        arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
        switch (stage) {
        case Stage::Bidding:
            drive([&] { return engine.hostAwaits().bidFrom >= 0; });
            break;
        case Stage::Trump:
            drive([&] { return engine.hostAwaits().trump; }, "30");
            break;
        case Stage::Discard:
            drive([&] { return t().gamePhase == PhaseDiscard && !engine.hostAwaits().trump; });
            break;
        case Stage::Play:
            drive([&] { return engine.hostAwaits().cardFrom >= 0; });
            break;
        case Stage::Idle:
            break;
        }
        channel.takeSent();
    }
};

class HostRefuses : public StagedHost, public ::testing::WithParamInterface<Refused> {};

TEST_P(HostRefuses, AndTheTableIsUnchanged) {
    const Refused& row = GetParam();
    reach(row.stage);
    if (row.stage == Stage::Trump && !engine.hostAwaits().trump)
        GTEST_SKIP() << "this deal gave no person the bid";
    if (row.before) {
        row.before(*this);
        channel.takeSent();
    }
    const std::string before = snapshot();
    const int refused = host.refusedMoves();
    const int bidFrom = engine.hostAwaits().bidFrom;
    const int cardFrom = engine.hostAwaits().cardFrom;
    channel.arrive(row.move(*this, t()));
    EXPECT_EQ(snapshot(), before);
    std::string askedAgain;
    if (row.asksAgain && bidFrom >= 0)
        askedAgain = encode(Addressed{bidFrom, YourBid{t().dealerSeat, t().highBid}});
    else if (row.asksAgain)
        askedAgain = encode(Addressed{cardFrom, YourTurn{cardFrom}});
    EXPECT_EQ(channel.takeSent(), askedAgain);
    EXPECT_EQ(host.refusedMoves(), refused + 1);
}

const Refused refusedMoves[] = {
    {"BidOutOfTurn", Stage::Bidding,
     [](HostFixture& f, const Table&) {
         return "b" + std::to_string((f.engine.hostAwaits().bidFrom + 2) % 4) + "20";
     }},
    {"BidFromAComputerSeatOnItsTurn", Stage::Bidding,
     [](HostFixture&, const Table& t) { return "b" + std::to_string(t.bidTurnSeat) + "Pa"; }, false,
     [](HostFixture& f) {
         f.channel.arrive("b" + std::to_string(f.engine.hostAwaits().bidFrom) + "Pa");
     }},
    {"TrumpDuringTheAuction", Stage::Bidding,
     [](HostFixture&, const Table&) { return std::string("t2"); }},
    {"DiscardsDuringTheAuction", Stage::Bidding,
     [](HostFixture&, const Table&) { return std::string("r000"); }},
    {"CardDuringTheAuction", Stage::Bidding,
     [](HostFixture&, const Table&) { return std::string("p00"); }},
    {"SecondTrump", Stage::Discard, [](HostFixture&, const Table&) { return std::string("t1"); }},
    {"DiscardsFromAComputerSeat", Stage::Discard,
     [](HostFixture&, const Table&) { return std::string("r10205"); }},
    {"DiscardsNamingAnotherSeatsCard", Stage::Discard,
     [](HostFixture&, const Table&) { return std::string("r00205"); }},
    {"DiscardsNamingTheKitty", Stage::Discard,
     [](HostFixture&, const Table&) { return std::string("r00220"); }},
    {"DiscardsNamingACardTwice", Stage::Discard,
     [](HostFixture&, const Table&) { return std::string("r2041010"); }},
    {"SecondDiscardsFromASeat", Stage::Discard,
     [](HostFixture&, const Table&) { return std::string("r20212"); }, false,
     [](HostFixture& f) { f.channel.arrive("r2041011"); }},
    {"DealDuringAHand", Stage::Discard,
     [](HostFixture&, const Table&) { return std::string("i"); }},
    {"SeatAPersonHolds", Stage::Discard,
     [](HostFixture&, const Table&) {
         return encode(TakeSeatWithId{2, "Eve", "77"});
     }},
    {"CardFromAnotherSeatsHand", Stage::Play,
     [](HostFixture& f, const Table&) {
         return "p" + twoDigits(5 * ((f.engine.hostAwaits().cardFrom + 1) % 4));
     }},
    {"CardTheSeatThrewAway", Stage::Play,
     [](HostFixture& f, const Table&) {
         return "p" + twoDigits(5 * f.engine.hostAwaits().cardFrom);
     },
     true,
     [](HostFixture& f) {
         f.t().picCard[static_cast<size_t>(5 * f.engine.hostAwaits().cardFrom)].state =
             TagState::Thrown;
     }},
    {"CardWhileTheTableWaitsOnAnotherSeat", Stage::Play,
     [](HostFixture& f, const Table&) {
         return "p" + twoDigits(5 * f.engine.hostAwaits().cardFrom);
     },
     false, [](HostFixture& f) { f.t().turnSeat = (f.engine.hostAwaits().cardFrom + 1) % 4; }},
    {"SeatSomeoneWaitsFor", Stage::Play,
     [](HostFixture&, const Table&) {
         return encode(TakeSeatWithId{3, "Eve", "77"});
     },
     false,
     [](HostFixture& f) {
         f.channel.arrive(encode(TakeSeatWithId{3, "Cat", "8"}));
     }},
    {"CardOfTheKitty", Stage::Play, [](HostFixture&, const Table&) { return std::string("p21"); }},
    {"DealDuringPlay", Stage::Play, [](HostFixture&, const Table&) { return std::string("i"); }},
    {"BidDuringPlay", Stage::Play, [](HostFixture&, const Table&) { return std::string("b0Pa"); }},
    {"ChatFromAComputerSeat", Stage::Play,
     [](HostFixture&, const Table&) {
         return encode(ChatLine{1, "boo"});
     }},
    {"CardBeforeAnyDeal", Stage::Idle,
     [](HostFixture&, const Table&) { return std::string("p00"); }},
    {"SeatLostThatNobodyHeld", Stage::Idle,
     [](HostFixture&, const Table&) { return std::string("k3"); }},
};

INSTANTIATE_TEST_SUITE_P(Moves, HostRefuses, ::testing::ValuesIn(refusedMoves),
                         [](const auto& info) { return std::string(info.param.name); });

// A person's bid is taken only at a level the bid dialog would offer the seat: above the high
// bid (the dealer may hold it), 25 and 30 only with a five.
struct BidLevel {
    int high;
    bool five, dealer;
    std::string bid;
    bool taken;
};

class HostBidLevels : public StagedHost, public ::testing::WithParamInterface<BidLevel> {};

TEST_P(HostBidLevels, TakenOnlyAsTheDialogOffers) {
    const BidLevel& row = GetParam();
    reach(Stage::Bidding);
    const int seat = engine.hostAwaits().bidFrom;
    t().highBid = row.high;
    t().dealerSeat = row.dealer ? seat : (seat + 1) % 4;
    const auto hand = cards(row.five ? "5C 2D 3D 4D 6D" : "2C 2D 3D 4D 6D");
    for (int i = 0; i < 5; ++i)
        t().picCard[static_cast<size_t>(5 * seat + i)].card = hand[static_cast<size_t>(i)];
    const int refused = host.refusedMoves();
    channel.arrive("b" + std::to_string(seat) + row.bid);
    EXPECT_EQ(host.refusedMoves(), refused + (row.taken ? 0 : 1));
    EXPECT_EQ(t().lblBid[static_cast<size_t>(seat)].caption, row.taken ? row.bid : "");
    if (!row.taken) {
        EXPECT_EQ(channel.takeSent(), encode(Addressed{seat, YourBid{t().dealerSeat, row.high}}));
    }
}

const BidLevel bidLevels[] = {
    {0, true, false, "20", true},   {0, true, false, "25", true},   {0, true, false, "30", true},
    {0, false, false, "20", true},  {0, false, false, "25", false}, {0, false, false, "30", false},
    {0, true, false, "00", false},  {0, true, false, "15", false},  {0, true, false, "19", false},
    {0, true, false, "21", false},  {0, true, false, "24", false},  {0, true, false, "26", false},
    {0, true, false, "29", false},  {0, true, false, "31", false},  {0, true, false, "35", false},
    {20, true, false, "20", false}, {20, true, false, "25", true},  {20, true, true, "20", true},
    {20, true, true, "15", false},  {25, true, false, "25", false}, {25, true, false, "30", true},
    {25, true, true, "25", true},   {25, true, true, "20", false},  {30, true, false, "30", false},
    {30, true, true, "30", true},   {30, false, true, "30", false},
};

INSTANTIATE_TEST_SUITE_P(Bids, HostBidLevels, ::testing::ValuesIn(bidLevels), [](const auto& info) {
    const BidLevel& r = info.param;
    return "Over" + std::to_string(r.high) + (r.dealer ? "Dealer" : "") + (r.five ? "" : "NoFive") +
           "Bids" + r.bid;
});

TEST_F(HostFixture, CardAlreadyPlayedIsRefused) {
    // Seat 0 is asked for its second card: its first is on the table already.
    drive([&] { return engine.hostAwaits().cardFrom == 0 && t().tricksPlayed >= 1; });
    if (engine.hostAwaits().cardFrom != 0)
        GTEST_SKIP() << "the hand ended first";
    int played = -1;
    for (int i = 0; i <= 4 && played < 0; ++i)
        if (t().CardState(i) == TagState::Played)
            played = i;
    ASSERT_GE(played, 0);
    const std::string before = snapshot();
    channel.takeSent();
    arrive("p0" + std::to_string(played));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(channel.takeSent(), encode(Addressed{0, YourTurn{0}}));
}

// With the rule to follow suit on, a card that does not follow is asked again, and the seat's
// next card, one that follows, is played.
TEST_F(HostFixture, CardNotFollowingSuitIsAskedAgainAndTheNextCardIsPlayed) {
    t().mustFollowSuit = true;
    // Seat 0 is asked for a card after a plain-suit lead, holding that suit and another one.
    const auto canRevoke = [&] {
        if (engine.hostAwaits().cardFrom != 0 || t().trickCardCount == 0)
            return false;
        const int led = t().ledSuit();
        bool follows = false, other = false;
        for (int i = 0; i <= 4; ++i) {
            const int suit = t().cardAt(i).suit();
            if (t().CardState(i) == TagState::Played || suit == t().trumpSuit)
                continue;
            follows = follows || suit == led;
            other = other || suit != led;
        }
        return led != t().trumpSuit && follows && other;
    };
    drive(canRevoke);
    ASSERT_EQ(engine.hostAwaits().cardFrom, 0) << "no deal gave seat 0 a suit to follow";
    const int led = t().ledSuit();
    int wrong = -1, right = -1;
    for (int i = 0; i <= 4; ++i) {
        if (t().CardState(i) == TagState::Played)
            continue;
        const int suit = t().cardAt(i).suit();
        if (suit == led && suit != t().trumpSuit)
            right = i;
        else if (suit != t().trumpSuit && wrong < 0)
            wrong = i;
    }
    ASSERT_GE(wrong, 0);
    ASSERT_GE(right, 0);
    channel.takeSent();
    const std::string before = snapshot();
    arrive("p0" + std::to_string(wrong));
    if (snapshot() != before)
        GTEST_SKIP() << "the rules took that card (a trump obligation or the Ace of hearts)";
    EXPECT_EQ(channel.takeSent(), encode(Addressed{0, YourTurn{0}}));
    arrive("p0" + std::to_string(right));
    EXPECT_EQ(t().CardState(right), TagState::Played);
    EXPECT_EQ(channel.takeSent().substr(0, 4), "0F0" + std::to_string(right));
}

} // namespace
} // namespace corvane::testing
