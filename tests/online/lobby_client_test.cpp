// The lobby client's lifecycle over in-memory channels and a virtual clock: from each state,
// each answer of the server, each time limit, the server closing, and the person's Cancel and
// New Game, with the state, the dialog and the table that follow.
#include "flow/engine.h"
#include "online/host.h"
#include "online/lobby_client.h"
#include "online/memory_channel.h"
#include "online/seat.h"
#include "protocol/encode.h"
#include "table/random.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;
using online::LobbyClient;
using State = LobbyClient::State;
using Port = LobbyClient::Port;

// Connections that the test answers: each open() waits until the test says whether it
// connected.
struct Connections final : LobbyClient::Connector {
    struct Opened {
        Port port;
        std::unique_ptr<online::MemoryChannel> channel;
        std::function<void(bool, const std::string&)> done;
        bool discarded = false;
    };
    online::Channel* open(Port port, std::function<void(bool, const std::string&)> done) override {
        opened.push_back({port, std::make_unique<online::MemoryChannel>(), std::move(done)});
        return opened.back().channel.get();
    }
    void discard(online::Channel* channel) override {
        for (Opened& o : opened)
            if (o.channel.get() == channel) {
                EXPECT_FALSE(o.discarded);
                EXPECT_FALSE(channel->isOpen());
                o.discarded = true;
            }
    }
    std::string localAddress(const online::Channel&) override { return "10.0.0.5"; }
    bool useTypedServer() override { return std::exchange(typedAnother, false); }

    Opened* last(Port port) {
        for (auto it = opened.rbegin(); it != opened.rend(); ++it)
            if (it->port == port)
                return &*it;
        return nullptr;
    }
    online::MemoryChannel& channel(Port port) { return *last(port)->channel; }
    void answer(Port port, bool connected, const std::string& why = {}) {
        auto done = std::exchange(last(port)->done, nullptr);
        ASSERT_TRUE(done);
        done(connected, why);
    }
    int live() const {
        return int(
            std::count_if(opened.begin(), opened.end(), [](auto& o) { return !o.discarded; }));
    }

    std::vector<Opened> opened;
    bool typedAnother = false;
};

struct Dialog final : LobbyClient::View {
    void openDialog() override {
        open = true;
        rows.clear();
    }
    void closeDialog() override { open = false; }
    void setBusy(bool b) override { busy = b; }
    void setStatus(const std::string& text) override { status = text; }
    void clearTables() override {
        rows.clear();
        selected = -1;
    }
    void addTable(const LobbyClient::ListedTable& table) override { rows.push_back(table.name); }
    void showSeats(int row, const std::array<std::string, 4>& occupants) override {
        seatsRow = row;
        seats = occupants;
    }
    int selectedRow() const override { return selected; }
    int selectedSeat() const override { return seat; }
    void selectRow(int row, int s) override {
        selected = row;
        seat = s;
    }
    void clearWhiteboard() override {}
    void addWhiteboardLine(const std::string&) override {}
    void showState(State) override {}
    void tableChanged() override {}

    bool open = false;
    bool busy = false;
    std::string status;
    std::vector<std::string> rows;
    int seatsRow = -1;
    int selected = -1;
    int seat = -1;
    std::array<std::string, 4> seats{};
};

const std::string Refused = "The server refused the connection.";
const std::string Lost = english(Said::ServerLost);
const std::string HostGone = english(Said::HostGone);
const std::string KeyRefused = english(Said::KeyRefused);
const std::string Unreached = english(Said::ServerUnreachable);

std::string row(const std::string& name, const std::string& id) {
    return encode(TableEntry{name, id, {"Hosty", "Computer", "Computer", "Computer"}});
}

struct Lobby {
    Lobby() : random(3), engine(game, random), client(engine, game, time, connections, dialog) {
        engine.startUp();
        client.setSeedSource([] { return 7; });
    }
    Table& t() { return engine.table(); }
    static Port port(const std::string& name) {
        return name == "list" ? Port::List : name == "host" ? Port::Host : Port::Player;
    }
    online::MemoryChannel& channel(const std::string& name) {
        return connections.channel(port(name));
    }
    online::MemoryChannel& list() { return channel("list"); }
    online::MemoryChannel& player() { return channel("player"); }
    bool messageShown() { return t().buttonMode == ButtonMode::Message; }

    // Plays a script of words: a person's command (online, new, join, cancel, end, refresh, typed
    // for another server typed), a time limit run out (wait-answer, wait-list), and for a
    // connection (list, host, player): connected "+", refused "-", closed by the peer ".",
    // bytes arrived "<B" and bytes sent ">B" (checked, or only taken when B is empty). A B in
    // the bytes table below stands for its bytes.
    void play(const std::string& script) {
        static const std::map<std::string, std::string> bytes{
            {"table", row("Evening", "1")},
            {"L", encode(JoinTable{"sesame", 0, 2, "Guesty"})},
            {"S2", encode(TakeSeat{2, "Guesty"})},
            {"create", encode(CreateTable{"sesame", "Evening", "10.0.0.5", "Hosty"})},
            {"S0", encode(HostSeatOpen{}) + encode(TakeSeat{0, "Hosty"})},
            {"Bronach", encode(TakeSeatWithId{1, "Bronach", "7"})},
            {"lost1", encode(SeatLost{1})},
            {"garbage", "Z\x01 garbage"}};
        std::istringstream words(script);
        for (std::string w; words >> w;) {
            SCOPED_TRACE(w);
            const auto at = w.find_first_of("+-.<>");
            const std::string name = w.substr(0, at);
            if (w == "online")
                client.playOnline();
            else if (w == "new")
                ASSERT_TRUE(client.newTable({"Hosty", "sesame", "Evening"}));
            else if (w == "join")
                ASSERT_TRUE(client.join({"Guesty", "sesame", {}, 0, 2}));
            else if (w == "cancel")
                client.cancel();
            else if (w == "end")
                client.endOnline();
            else if (w == "refresh")
                client.refresh();
            else if (w == "typed")
                connections.typedAnother = true;
            else if (w == "wait-answer")
                time.advance(LobbyClient::AnswerTimeoutMs);
            else if (w == "wait-list")
                time.advance(LobbyClient::NoTablesAfterMs);
            else if (at == std::string::npos)
                FAIL() << "no word " << w;
            else if (w[at] == '+' || w[at] == '-')
                connections.answer(port(name), w[at] == '+', Refused);
            else if (w[at] == '.')
                channel(name).peerCloses();
            else {
                const std::string b = w.substr(at + 1);
                const std::string sent = bytes.count(b) ? bytes.at(b) : b;
                if (w[at] == '<')
                    channel(name).arrive(sent);
                else if (b.empty())
                    channel(name).takeSent();
                else
                    EXPECT_EQ(channel(name).takeSent(), sent);
            }
        }
    }

    VirtualClock game;
    VirtualClock time; // the time limits'; moved on by the tests alone
    Random random;
    Engine engine;
    Connections connections;
    Dialog dialog;
    LobbyClient client;
};

// Where a case starts: the client led there through the answers a lobby gives.
const std::string ConnectingList = "online";
const std::string AtLobby = ConnectingList + " list+ list>Q list<table";
const std::string HostConnecting = AtLobby + " new";
const std::string Creating = HostConnecting + " host+ host>create"; // "H" sent
const std::string OwnSeatConnecting = Creating + " host<H";
const std::string Hosting = OwnSeatConnecting + " player+ player>S0";
const std::string JoinConnecting = AtLobby + " join";
const std::string Joining = JoinConnecting + " player+ player>L"; // "L" sent
const std::string Seated = Joining + " player<Y player>S2";

struct Case {
    const char* name;
    std::string from, act;
    State state;
    std::string message = ""; // the message the table shows ("": none, "-": not looked at)
    std::string status = "-"; // the dialog's status line afterwards ("-": not looked at)
    bool dialogOpen = false;
    int liveConnections = 0;
    void (*check)(Lobby&) = nullptr;
};

constexpr bool Open = true;
constexpr bool Closed = false;
const std::string Connecting = LobbyClient::ConnectingText;

const Case cases[] = {
    // Opening the list.
    {"play online", "", "online", State::ConnectingList, "", Connecting, Open, 1},
    {"list connects", ConnectingList, "list+", State::Lobby, "", "", Open, 1},
    {"list refused", ConnectingList, "list-", State::Lobby, "", Refused, Open},
    {"cancel while connecting", ConnectingList, "cancel", State::Standalone},
    {"new game while connecting", ConnectingList, "end", State::Standalone},
    // Reading the list.
    {"refresh asks again", AtLobby, "list> refresh list>Q", State::Lobby, "", "", Open, 1},
    {"refresh after the lobby closed the list", AtLobby, "list. refresh", State::ConnectingList, "",
     Connecting, Open, 1},
    {"refresh with another server typed", AtLobby, "typed refresh", State::ConnectingList, "",
     Connecting, Open, 1},
    {"another server typed while one is connected to", ConnectingList, "typed refresh",
     State::ConnectingList, "", Connecting, Open, 1,
     [](Lobby& l) { EXPECT_EQ(l.connections.opened.size(), 2u); }},
    {"garbage on the list", AtLobby, "list<garbage", State::Lobby, "", LobbyClient::BrokenListText,
     Open},
    {"more rows than asked for", AtLobby, "", State::Lobby, "", LobbyClient::BrokenListText, Open,
     0,
     [](Lobby& l) {
         for (int i = 2; i < 24; ++i)
             l.list().arrive(row("T", std::to_string(i)));
         EXPECT_EQ(l.dialog.rows.size(), 21u);
     }},
    {"no tables waiting", AtLobby, "refresh list>Q list<U", State::Lobby, "",
     LobbyClient::NoTablesText, Open, 1},
    {"a server that does not answer the list", AtLobby, "refresh wait-answer", State::Lobby, "",
     LobbyClient::SilentText, Open, 1},
    {"a key refused on the list", AtLobby, "list<N", State::Lobby, KeyRefused, "", Open, 1},
    {"cancel in the lobby", AtLobby, "cancel", State::Standalone},
    {"new game in the lobby", AtLobby, "end", State::Standalone},
    // Opening a table.
    {"new table", AtLobby, "new", State::Creating, "", Connecting, Open, 1},
    {"host port refused", HostConnecting, "host-", State::Standalone, Unreached},
    {"cancel while the host channel connects", HostConnecting, "cancel", State::Standalone},
    {"key refused to the host", Creating, "host<N", State::ConnectingList, KeyRefused, KeyRefused,
     Open, 1},
    {"no answer to H", Creating, "wait-answer", State::ConnectingList, "", LobbyClient::SilentText,
     Open, 1},
    {"host channel closed before H, then the time-out", Creating, "host. wait-answer",
     State::ConnectingList, "", LobbyClient::SilentText, Open, 1},
    {"cancel while waiting for H", Creating, "cancel", State::Standalone},
    {"new game while waiting for H", Creating, "end", State::Standalone},
    {"own seat refused", OwnSeatConnecting, "player-", State::Standalone, Unreached},
    {"host channel lost before the own seat", OwnSeatConnecting, "host.", State::Standalone, Lost},
    {"own seat opened", OwnSeatConnecting, "player+", State::Hosting, "", "-", Closed, 2},
    // Hosting.
    {"server lost while hosting", Hosting, "host.", State::Standalone, Lost},
    {"own seat lost while hosting", Hosting, "player.", State::Standalone, HostGone},
    {"new game while hosting", Hosting, "end", State::Standalone},
    // A seat lost at a hosted table is told in the chat history, which the host's own seat gets
    // like every other; the host's button window is left free.
    {"a seat lost while hosting takes no message", Hosting, "host<Bronach host<lost1",
     State::Hosting, "", "-", Closed, 2},
    // Joining.
    {"join", AtLobby, "join", State::Joining, "", Connecting, Open, 2},
    {"player port refused", JoinConnecting, "player-", State::Lobby, "", Refused, Open, 1},
    {"cancel while the player channel connects", JoinConnecting, "cancel", State::Standalone},
    {"join accepted", Joining, "player<Y", State::Seated, "", "-", Closed, 1},
    {"seat taken meanwhile", Joining, "", State::Lobby, "", LobbyClient::SeatTakenText, Open, 1,
     [](Lobby& l) {
         l.player().arrive(encode(SeatName{0, "Hosty"}) + encode(SeatName{1, "`Tommy"}) +
                           encode(SeatName{2, "Quick"}));
         EXPECT_EQ(l.client.state(), State::Joining);
         l.player().arrive(encode(SeatName{3, "`Ann"}));
         EXPECT_EQ(l.dialog.seatsRow, 0);
         EXPECT_EQ(l.dialog.seats,
                   (std::array<std::string, 4>{"Hosty", "Computer", "Quick", "Computer"}));
     }},
    {"table gone before Y", Joining, "list> player. list>Q", State::Lobby, "",
     LobbyClient::TableGoneText, Open, 1, [](Lobby& l) { EXPECT_TRUE(l.dialog.rows.empty()); }},
    {"table gone with the list closed", Joining, "list. player.", State::ConnectingList, "",
     LobbyClient::TableGoneText, Open, 1},
    {"key refused to the joiner", Joining, "player<N", State::ConnectingList, KeyRefused,
     KeyRefused, Open, 1},
    {"key refused in two arrivals", Joining, "player< player<N", State::ConnectingList, KeyRefused,
     KeyRefused, Open, 1},
    {"no answer to L", Joining, "wait-answer", State::Lobby, "", LobbyClient::SilentText, Open, 1},
    {"cancel while waiting for Y", Joining, "cancel", State::Standalone},
    {"new game while waiting for Y", Joining, "end", State::Standalone},
    // Seated.
    {"host gone", Seated, "player<K", State::Standalone, HostGone},
    {"player channel lost", Seated, "player.", State::Standalone, HostGone},
    {"a misdeal once seated is no refusal", Seated, "player<N", State::Seated, "-", "-", Closed, 1},
    {"new game while seated", Seated, "end", State::Standalone},
};

class Transitions : public ::testing::TestWithParam<Case> {};

TEST_P(Transitions, LeadWhereTheTableSays) {
    const Case& c = GetParam();
    Lobby l;
    l.play(c.from);
    ASSERT_FALSE(::testing::Test::HasFailure());
    l.play(c.act);
    if (c.check)
        c.check(l);
    EXPECT_EQ(l.client.state(), c.state);
    if (c.status != "-") {
        EXPECT_EQ(l.dialog.status, c.status);
    }
    EXPECT_EQ(l.dialog.open, c.dialogOpen);
    // The pointer is busy while the dialog waits on a connection, and only then.
    EXPECT_TRUE(!c.dialogOpen || l.dialog.busy == (c.state != State::Lobby));
    if (c.message != "-") {
        EXPECT_EQ(l.messageShown() ? english(l.t().message) : "", c.message);
    }
    EXPECT_EQ(l.connections.live(), c.liveConnections);
    EXPECT_EQ(l.t().online, c.state != State::Standalone);
    if (c.state == State::Standalone) {
        EXPECT_EQ(l.t().localSeat, 0);
        EXPECT_EQ(l.client.host(), nullptr);
        EXPECT_EQ(l.client.seat(), nullptr);
    }
    // Nothing armed before is left to act later.
    l.time.advance(LobbyClient::AnswerTimeoutMs * 2);
    EXPECT_EQ(l.client.state(), c.state);
}

INSTANTIATE_TEST_SUITE_P(Lobby, Transitions, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// While the dialog waits for the server, its status line says so.
TEST(LobbyStatus, SaysWhatItWaitsFor) {
    for (const std::string& from : {Creating, Joining}) {
        Lobby l;
        l.play(from);
        EXPECT_EQ(l.dialog.status, LobbyClient::WaitingText) << from;
    }
}

// A second join after a refusal uses a new channel, and the first is gone.
TEST(LobbyJoin, ChoosingAgainAfterATakenSeat) {
    Lobby l;
    l.play(Joining);
    for (int seat = 0; seat < 4; ++seat)
        l.player().arrive(encode(SeatName{seat, seat == 3 ? "`Ann" : "P"}));
    ASSERT_EQ(l.client.state(), State::Lobby);
    ASSERT_TRUE(l.client.join({"Guesty", "sesame", {}, 0, 3}));
    l.play("player+");
    EXPECT_EQ(l.player().takeSent(), encode(JoinTable{"sesame", 0, 3, "Guesty"}));
    l.play("player<Y");
    EXPECT_EQ(l.client.state(), State::Seated);
    EXPECT_EQ(l.t().localSeat, 3);
    EXPECT_EQ(l.t().localName(), "Guesty");
    EXPECT_EQ(l.connections.live(), 1);
}

// The list is read again while the dialog is open: new tables appear, the chosen one stays
// chosen wherever it now is with its seat while that is free, and one that has closed is chosen
// no more.
TEST(LobbyList, KeptFreshWhileTheDialogIsOpen) {
    Lobby l;
    l.play(AtLobby + " list<" + row("Harbour", "2"));
    l.dialog.selected = 1;
    l.dialog.seat = 2;
    l.play("wait-list list>");
    l.time.advance(LobbyClient::RefreshEveryMs);
    l.play("list>Q");
    EXPECT_EQ(l.dialog.rows.size(), 2u); // shown until the answer comes
    l.play("list<" + row("Harbour", "2") + row("Saturday", "3"));
    EXPECT_EQ(l.dialog.rows, (std::vector<std::string>{"Harbour", "Saturday"}));
    EXPECT_EQ(l.dialog.selected, 0);
    EXPECT_EQ(l.dialog.seat, 2);
    l.time.advance(LobbyClient::NoTablesAfterMs + LobbyClient::RefreshEveryMs);
    l.play("list<" + encode(TableEntry{"Harbour", "2", {"Hosty", "Computer", "Bot", "Computer"}}));
    EXPECT_EQ(l.dialog.selected, 0);
    EXPECT_EQ(l.dialog.seat, -1);
    EXPECT_EQ(l.dialog.status, LobbyClient::SeatTakenText);
    l.time.advance(LobbyClient::NoTablesAfterMs + LobbyClient::RefreshEveryMs);
    l.play("list<" + row("Saturday", "3") + " wait-list");
    EXPECT_EQ(l.dialog.rows, (std::vector<std::string>{"Saturday"}));
    EXPECT_EQ(l.dialog.selected, -1);
    EXPECT_EQ(l.dialog.status, "");
    // The lobby closes a connection that only lists: the next reading opens another, quietly.
    l.play("list.");
    l.time.advance(LobbyClient::RefreshEveryMs);
    EXPECT_EQ(l.client.state(), State::Lobby);
    EXPECT_FALSE(l.dialog.busy);
    l.play("list+ list>Q list<U");
    EXPECT_EQ(l.dialog.status, LobbyClient::NoTablesText);
    EXPECT_EQ(l.connections.live(), 1);
}

// A refused key leaves the table that was chosen chosen once the list is back.
TEST(LobbyJoin, RefusedKeyKeepsTheChosenTable) {
    Lobby l;
    l.play(AtLobby + " list<" + row("Harbour", "2"));
    l.dialog.selected = 1;
    ASSERT_TRUE(l.client.join({"Guesty", "wrong", {}, 1, 2}));
    l.play("player+ player<N list+ list<" + row("Evening", "1") + row("Harbour", "2"));
    EXPECT_EQ(l.dialog.selected, 1);
    EXPECT_EQ(l.dialog.status, KeyRefused);
}

} // namespace
} // namespace corvane::testing
