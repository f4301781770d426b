// The host's handlers against the exact bytes they must send, a seat that misbehaves, and every
// move the host must refuse.
#include "host_fixture.h"
#include "protocol/score_line.h"
#include "table/name_pool.h"
#include "table/presenter.h"
#include "tests/support/cards.h"

#include <algorithm>

namespace corvane::testing {
namespace {

std::string names(const Table& t, const std::vector<int>& seats) {
    std::string out;
    for (int j = 0; j < 4; ++j)
        for (int s : seats)
            out += addressedTo(
                s, encode(SeatName{j, present(t).lblPlayerName[static_cast<size_t>(j)].caption}));
    return out;
}

// A chat line the host shows to the given seats.
std::string told(const std::string& text, const std::vector<int>& seats) {
    std::string out;
    for (int s : seats)
        out += addressedTo(s, encode(ChatShow{text}));
    return out;
}

// The joiner is told the hand as every seat was: the names, the deal and the bids so far, to it
// alone; then every seat sees it named, and it is told the score.
TEST_F(HostFixture, SeatTakenDuringTheAuctionGetsTheDealAndTheBidsAtOnce) {
    t().score = {20, 40};
    arrive("i");
    ASSERT_EQ(t().gamePhase, GamePhase::Bidding);
    std::string bids;
    for (int s = nextSeat(t().dealerSeat); s != t().bidTurnSeat; s = nextSeat(s))
        bids += addressedTo(1, encode(BidMade{s, wireBid(t().seatBid[static_cast<size_t>(s)])}));
    channel.takeSent();
    arrive(encode(TakeSeatWithId{1, "Dee", "7"}));
    EXPECT_EQ(channel.takeSent(), names(t(), {1}) + "1C046" + t().dealString + bids +
                                      names(t(), {0, 1}) + told("Dee has joined.", {0, 1}) +
                                      encode(Addressed{1, ChatShow{scoreLine(40, 20)}}));
    EXPECT_TRUE(host.seatLinked(1));
    EXPECT_EQ(t().seats[1].occupant, Occupant::Person);
    arrive(encode(ChatLine{1, "hi"}));
    EXPECT_EQ(channel.takeSent(), "0M07Dee: hi1M07Dee: hi");
}

// The seat is the person's from the moment they sit down: at the bidder's seat while its
// computer is about to name trump, the person is asked to.
TEST_F(HostFixture, APersonSeatedAsTheComputerBidderChoosesTrumpNamesIt) {
    arrive("i");
    for (int guard = 0; guard < 10000 && !(t().gamePhase == GamePhase::Discard && !t().trumpNamed);
         ++guard) {
        if (engine.hostAwaits().bidFrom == 0)
            channel.arrive("b0Pa");
        else
            ASSERT_TRUE(clock.runNext());
    }
    const int bidder = t().bidderSeat;
    channel.takeSent();
    arrive(encode(TakeSeatWithId{bidder, "Dee", "7"}));
    EXPECT_TRUE(engine.hostAwaits().trump);
    EXPECT_NE(channel.takeSent().find(addressedTo(bidder, "T")), std::string::npos);
}

// A seat lost off its turn is only unlinked: every seat still at the table is told, and sees a
// computer player take the seat. Lost on its turn in play, the computer plays its card at once.
TEST_F(HostFixture, SeatLostOffItsTurnIsOnlyUnlinkedAndOnItsTurnPlayedAtOnce) {
    arrive(encode(TakeSeatWithId{1, "Ann", "8"}));
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    drive([&] { return engine.hostAwaits().cardFrom == 2; });
    channel.takeSent();
    const std::string before = snapshot();
    arrive("k1");
    EXPECT_FALSE(host.seatLinked(1));
    const auto& pool = NamePool::all();
    EXPECT_NE(std::find(pool.begin(), pool.end(), present(t()).lblPlayerName[1].caption),
              pool.end());
    EXPECT_EQ(channel.takeSent(), told("Ann has disconnected.", {0, 2}) + names(t(), {0, 2}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(engine.hostAwaits().cardFrom, 2);

    const int played = t().trickCardCount + 4 * t().tricksPlayed;
    arrive("k2");
    EXPECT_EQ(notices.back(), "Bob has disconnected.");
    // The messages outlive the loop: `card` points into them.
    const std::vector<Addressed> messages = sent();
    const CardPlayed* card = nullptr;
    for (const auto& m : messages)
        if (!card && m.seat == 0)
            card = std::get_if<CardPlayed>(&m.message);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->card / 5, 2);
    EXPECT_GT(t().trickCardCount + 4 * t().tricksPlayed +
                  (t().gamePhase != GamePhase::Play ? 20 : 0),
              played);
}

TEST_F(HostFixture, DiscardsCompleteOnlyWhenEveryLinkedSeatHasSentThem) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    drive([&] { return t().gamePhase == GamePhase::Discard && !engine.hostAwaits().trump; });
    channel.takeSent();
    arrive("r000");
    EXPECT_EQ(channel.takeSent(), "");
    EXPECT_EQ(t().gamePhase, GamePhase::Discard);
    arrive("r2041014"); // the seat's first and last pictures
    EXPECT_TRUE(log.empty());
    const auto messages = sent();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(encode(messages[0]), "0C040" + t().dealString);
    EXPECT_EQ(encode(messages[1]), "2C040" + t().dealString);
    EXPECT_EQ(t().gamePhase, GamePhase::Play);
}

TEST_F(HostFixture, TrickClosingWaitsForTheHostsOwnView) {
    struct View : online::OwnView {
        int tricks = 0;
        int tricksCounted() const override { return tricks; }
        int handsCounted() const override { return 1000; }
    } view;
    host.setOwnView(&view);
    drive([&] { return t().gamePhase == GamePhase::Play; });
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
    EXPECT_EQ(notices.back(), "Lost the connection to the Corvane Server.");
    EXPECT_TRUE(!host.hosting() && t().netRole == 0 && !t().online);
    EXPECT_TRUE(t().gamePhase == GamePhase::Idle && engine.flowsInProgress() == 0u);
}

// --- A seat that misbehaves: a second "s", a borrowed name, a chat flood, and a well-framed
// message with a field out of range are each ignored or limited, and the table goes on.
TEST_F(HostFixture, ASecondTakeSeatKeepsTheNameAndABorrowedNameIsMadeDistinct) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    channel.takeSent();
    arrive(encode(TakeSeatWithId{2, "Hosty", "9"}));
    EXPECT_EQ(present(t()).lblPlayerName[2].caption, "Bob");
    EXPECT_EQ(channel.takeSent(), "");

    arrive(encode(TakeSeatWithId{3, "Hosty", "8"}));
    EXPECT_EQ(present(t()).lblPlayerName[3].caption, "Hosty 2");
    arrive(encode(TakeSeatWithId{1, "Hosty", "7"}));
    EXPECT_EQ(present(t()).lblPlayerName[1].caption, "Hosty 3");
    EXPECT_EQ(t().localName(), "Hosty");
}

TEST_F(HostFixture, ChatFromOneSeatPassesABurstThenAFewLinesASecond) {
    host.setClock([this] { return clock.now(); });
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    channel.takeSent();
    const auto say = [&] {
        arrive(encode(ChatLine{2, "hi"}));
        std::string shown;
        for (const Addressed& a : sent())
            shown += std::to_string(a.seat) + std::get<ChatShow>(a.message).text + "|";
        return shown;
    };
    for (int i = 0; i < online::ChatLimit::Burst; ++i)
        EXPECT_EQ(say(), "0Bob: hi|2Bob: hi|") << "line " << i;
    const std::string told = std::string("2") + online::ChatLimit::DroppedMessage + "|";
    EXPECT_EQ(say(), told);
    EXPECT_EQ(say(), "");
    EXPECT_EQ(say(), "");
    // Another seat still speaks.
    arrive(encode(ChatLine{0, "go on"}));
    EXPECT_EQ(sent().size(), 2u);
    clock.advance(500);
    EXPECT_EQ(say(), "0Bob: hi|2Bob: hi|");
    EXPECT_EQ(say(), told);
}

TEST_F(HostFixture, AMessageWithAFieldOutOfRangeIsDroppedAndTheTableGoesOn) {
    arrive("i");
    ASSERT_EQ(t().gamePhase, GamePhase::Bidding);
    const std::string before = snapshot();
    log.clear();
    // A suit 5, then a chat line from seat 7 split across two arrivals.
    arrive("t5c7");
    arrive("02hi");
    EXPECT_TRUE(host.hosting());
    EXPECT_TRUE(channel.isOpen());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(log.size(), 2u) << ::testing::PrintToString(log);
    // What follows is read as before.
    channel.takeSent();
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    EXPECT_TRUE(host.seatLinked(2));
}

// "M" carries a two-digit length: a long line is cut to fit, where a character ends, and the
// speaker is told.
TEST_F(HostFixture, ChatIsCutToFitTheLengthField) {
    arrive(encode(TakeSeatWithId{2, "Bobbybobby", "9"}));
    std::string accented;
    for (int i = 0; i < 48; ++i)
        accented += "\xC3\xA9"; // é
    const std::string told = "2M33" + std::string(online::Host::ChatShortenedMessage);
    for (const auto& [said, shown] :
         {std::pair{std::string(99, 'x'), "M99Bobbybobby: " + std::string(87, 'x')},
          std::pair{accented, "M98Bobbybobby: " + accented.substr(0, 86)}}) {
        channel.takeSent();
        arrive(encode(ChatLine{2, said}));
        EXPECT_EQ(channel.takeSent(), "0" + shown + "2" + shown + told);
    }
}

// --- Refused moves: each leaves the table as it was. A move the host asked a seat for is asked
// again of that seat ("B" or "W" once more); anything else sends nothing. ---------------------

enum class Stage { Bidding, AuctionOver, Trump, Discard, Play, Idle };

// The move's bytes, where {a} is the seat asked (for a bid or a card), {o} the seat across from
// it, {t} the seat whose turn the auction is at, {b} the bidder, {p} the first picture of the
// seat asked, {n} that of the seat after it and {l} the last of the seat before it.
struct Refused {
    const char* name;
    Stage stage;
    std::string move;
    bool asksAgain = false;
    // What arrives first, with the clock held (a computer seat's move stays pending), and what
    // is then changed on the table.
    std::string first = {};
    void (*change)(HostFixture& f, int picture) = nullptr;
};

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

class StagedHost : public HostFixture {
public:
    // Seat 2 is a person, asked for its bid or its card; the auction gives a person the bid
    // when a stage needs trump.
    void reach(Stage stage) {
        arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
        switch (stage) {
        case Stage::Bidding:
            drive([&] { return engine.hostAwaits().bidFrom == 2; });
            break;
        case Stage::AuctionOver:
            // The persons pass and the clock steps: a computer seat has won the auction and
            // pauses before it names trump, so no seat has been asked for its discards.
            arrive("i");
            for (int guard = 0; guard < 100000 && t().gamePhase != GamePhase::Discard; ++guard)
                if (engine.hostAwaits().bidFrom >= 0)
                    channel.arrive("b" + std::to_string(engine.hostAwaits().bidFrom) + "Pa");
                else
                    clock.advance(1);
            break;
        case Stage::Trump: {
            // Seat 2 deals itself a Five: the dealer holds any 30, so a person names trump.
            t().dealerSeat = 2;
            auto& deck = t().deck;
            std::iter_swap(deck.begin() + 10,
                           std::find(deck.begin(), deck.end(), cards("5C")[0].deckIndex()));
            drive([&] { return engine.hostAwaits().trump; }, "30");
            break;
        }
        case Stage::Discard:
            drive(
                [&] { return t().gamePhase == GamePhase::Discard && !engine.hostAwaits().trump; });
            break;
        case Stage::Play:
            drive([&] { return engine.hostAwaits().cardFrom == 2; });
            break;
        case Stage::Idle:
            break;
        }
        channel.takeSent();
    }
};

class HostRefuses : public StagedHost, public ::testing::WithParamInterface<Refused> {
public:
    std::string expand(std::string bytes) {
        const int asked = std::max(engine.hostAwaits().bidFrom, engine.hostAwaits().cardFrom);
        const std::pair<const char*, std::string> tokens[] = {
            {"{a}", std::to_string(asked)},
            {"{o}", std::to_string((asked + 2) % 4)},
            {"{t}", std::to_string(t().bidTurnSeat)},
            {"{b}", std::to_string(t().bidderSeat)},
            {"{p}", twoDigits(5 * asked)},
            {"{n}", twoDigits(5 * ((asked + 1) % 4))},
            {"{l}", twoDigits((5 * asked + 19) % 20)}};
        for (const auto& [token, value] : tokens)
            for (auto at = bytes.find(token); at != std::string::npos; at = bytes.find(token))
                bytes.replace(at, 3, value);
        return bytes;
    }
};

TEST_P(HostRefuses, AndTheTableIsUnchanged) {
    const Refused& row = GetParam();
    reach(row.stage);
    ASSERT_EQ(engine.hostAwaits().trump, row.stage == Stage::Trump);
    channel.arrive(expand(row.first));
    if (row.change)
        row.change(*this, 5 * engine.hostAwaits().cardFrom);
    channel.takeSent();
    const std::string before = snapshot();
    const int refused = host.refusedMoves();
    const int bidFrom = engine.hostAwaits().bidFrom;
    const int cardFrom = engine.hostAwaits().cardFrom;
    channel.arrive(expand(row.move));
    EXPECT_EQ(snapshot(), before);
    std::string askedAgain;
    if (row.asksAgain && bidFrom >= 0)
        askedAgain = encode(Addressed{bidFrom, YourBid{t().dealerSeat, t().highBid}});
    else if (row.asksAgain)
        askedAgain = encode(Addressed{cardFrom, YourTurn{cardFrom}});
    EXPECT_EQ(channel.takeSent(), askedAgain);
    EXPECT_EQ(host.refusedMoves(), refused + 1);
}

void mark(HostFixture& f, int picture, TagState state) {
    f.t().picCard[static_cast<size_t>(picture)].state = state;
}

const Refused refusedMoves[] = {
    {"BidOutOfTurn", Stage::Bidding, "b{o}20"},
    {"BidFromAComputerSeatOnItsTurn", Stage::Bidding, "b{t}Pa", false, "b{a}Pa"},
    // The table's own state says no, though the seat was asked.
    {"BidWhileTheAuctionWaitsOnAnotherSeat", Stage::Bidding, "b{a}Pa", false, "",
     [](HostFixture& f, int) { f.t().bidTurnSeat = (f.t().bidTurnSeat + 1) % 4; }},
    {"BidOutsideTheAuction", Stage::Bidding, "b{a}Pa", false, "",
     [](HostFixture& f, int) { f.t().gamePhase = GamePhase::Discard; }},
    {"TrumpOutsideTheDiscard", Stage::Trump, "t1", false, "",
     [](HostFixture& f, int) { f.t().gamePhase = GamePhase::Play; }},
    {"CardWhileATrickCloses", Stage::Play, "p{p}", false, "",
     [](HostFixture& f, int) { f.t().trickCardCount = 4; }},
    {"CardOutsidePlay", Stage::Play, "p{p}", false, "",
     [](HostFixture& f, int) { f.t().gamePhase = GamePhase::DrawWait; }},
    {"TrumpDuringTheAuction", Stage::Bidding, "t2"},
    {"DiscardsDuringTheAuction", Stage::Bidding, "r000"},
    {"CardDuringTheAuction", Stage::Bidding, "p00"},
    {"DiscardsBeforeTheTrumpIsNamed", Stage::Trump, "r{b}00"},
    {"DiscardsBeforeAComputerBiddersTrump", Stage::AuctionOver, "r200"},
    {"SecondTrump", Stage::Discard, "t1"},
    {"DiscardsFromAComputerSeat", Stage::Discard, "r10205"},
    {"DiscardsNamingAnotherSeatsCard", Stage::Discard, "r00205"},
    {"DiscardsNamingTheSeatBeforesCard", Stage::Discard, "r20209"},
    {"DiscardsNamingTheKitty", Stage::Discard, "r00220"},
    {"DiscardsNamingACardTwice", Stage::Discard, "r2041010"},
    {"SecondDiscardsFromASeat", Stage::Discard, "r20212", false, "r2041011"},
    {"DealDuringAHand", Stage::Discard, "i"},
    {"SeatAPersonHolds", Stage::Discard, encode(TakeSeatWithId{2, "Eve", "77"})},
    {"CardFromTheNextSeatsHand", Stage::Play, "p{n}"},
    {"CardFromTheSeatBeforesHand", Stage::Play, "p{l}"},
    {"CardTheSeatThrewAway", Stage::Play, "p{p}", true, "",
     [](HostFixture& f, int picture) { mark(f, picture, TagState::Thrown); }},
    {"CardAlreadyPlayed", Stage::Play, "p{p}", true, "",
     [](HostFixture& f, int picture) { mark(f, picture, TagState::Played); }},
    {"CardWhileTheTableWaitsOnAnotherSeat", Stage::Play, "p{p}", false, "",
     [](HostFixture& f, int picture) { f.t().turnSeat = (picture / 5 + 1) % 4; }},
    // The turn is a seat's the host asked nobody for (a computer's): its card is not the person's.
    {"CardOfTheSeatWhoseTurnItIs", Stage::Play, "p{n}", false, "",
     [](HostFixture& f, int picture) { f.t().turnSeat = (picture / 5 + 1) % 4; }},
    {"SeatSomeoneWaitsFor", Stage::Play, encode(TakeSeatWithId{3, "Eve", "77"}), false,
     encode(TakeSeatWithId{3, "Cat", "8"})},
    {"CardOfTheKitty", Stage::Play, "p21"},
    {"DealDuringPlay", Stage::Play, "i"},
    {"DiscardsDuringPlay", Stage::Play, "r{a}00"},
    {"BidDuringPlay", Stage::Play, "b0Pa"},
    {"ChatFromAComputerSeat", Stage::Play, encode(ChatLine{1, "boo"})},
    {"CardBeforeAnyDeal", Stage::Idle, "p00"},
    {"SeatLostThatNobodyHeld", Stage::Idle, "k3"},
};

INSTANTIATE_TEST_SUITE_P(Moves, HostRefuses, ::testing::ValuesIn(refusedMoves),
                         [](const auto& info) { return std::string(info.param.name); });

// A person's bid is taken only at a level the bid dialog would offer the seat: above the high
// bid (the dealer may hold it), 25 and 30 only with a five; a pass always, also the dealer's
// when all passed.
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
    EXPECT_EQ(present(t()).lblBid[static_cast<size_t>(seat)].caption, !row.taken        ? ""
                                                                      : row.bid == "Pa" ? "Pass"
                                                                                        : row.bid);
    if (!row.taken) {
        EXPECT_EQ(channel.takeSent(), encode(Addressed{seat, YourBid{t().dealerSeat, row.high}}));
    }
}

// The levels themselves are the bid rule's (its own rows); these are the wire's odd numbers and
// the rule reached through the host.
const BidLevel bidLevels[] = {
    {0, true, false, "20", true},   {0, false, false, "25", false}, {0, true, false, "30", true},
    {0, true, false, "00", false},  {0, true, false, "15", false},  {0, true, false, "21", false},
    {0, true, false, "35", false},  {20, true, false, "20", false}, {20, true, true, "20", true},
    {25, true, true, "20", false},  {30, false, true, "30", false}, {0, false, true, "Pa", true},
    {30, false, false, "Pa", true},
};

INSTANTIATE_TEST_SUITE_P(Bids, HostBidLevels, ::testing::ValuesIn(bidLevels), [](const auto& info) {
    const BidLevel& r = info.param;
    return "Over" + std::to_string(r.high) + (r.dealer ? "Dealer" : "") + (r.five ? "" : "NoFive") +
           "Bids" + r.bid;
});

// With the rule to follow suit on, a card that does not follow is asked again, and the seat's
// next card, one that follows, is played. Seat 2, asked after a plain-suit lead, is given plain
// cards of another suit but for the last, of the suit led.
TEST_F(HostFixture, CardNotFollowingSuitIsAskedAgainAndTheNextCardIsPlayed) {
    t().mustFollowSuit = true;
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    drive([&] {
        return engine.hostAwaits().cardFrom == 2 && t().trickCardCount > 0 &&
               t().ledSuit() != t().trumpSuit && t().tricksPlayed < 4;
    });
    ASSERT_EQ(engine.hostAwaits().cardFrom, 2);
    const int led = t().ledSuit();
    int other = 0;
    while (other == led || other == t().trumpSuit)
        ++other;
    int wrong = -1, right = -1;
    for (int i = 10; i <= 14; ++i)
        if (t().CardState(i) != TagState::Played) {
            wrong = wrong < 0 ? i : wrong;
            right = i;
            t().picCard[static_cast<size_t>(i)].card = Card::of(i - 4, other);
        }
    ASSERT_NE(wrong, right);
    t().picCard[static_cast<size_t>(right)].card = Card::of(6, led);
    channel.takeSent();
    const std::string before = snapshot();
    arrive("p" + std::to_string(wrong));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(channel.takeSent(), encode(Addressed{2, YourTurn{2}}));
    arrive("p" + std::to_string(right));
    EXPECT_EQ(t().CardState(right), TagState::Played);
    EXPECT_EQ(channel.takeSent().substr(0, 4), "0F" + std::to_string(right));
}

} // namespace
} // namespace corvane::testing
