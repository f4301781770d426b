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

#include <functional>
#include <gtest/gtest.h>
#include <memory>
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
        int n = 0;
        for (const Opened& o : opened)
            n += !o.discarded;
        return n;
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
    void selectRow(int row) override { selected = row; }
    void clearWhiteboard() override { whiteboard.clear(); }
    void addWhiteboardLine(const std::string& line) override { whiteboard.push_back(line); }
    void showState(State) override {}
    void tableChanged() override {}

    bool open = false;
    bool busy = false;
    std::string status;
    std::vector<std::string> rows;
    int seatsRow = -1;
    int selected = -1;
    std::array<std::string, 4> seats{};
    std::vector<std::string> whiteboard;
};

const std::string Refused = "The server refused the connection.";
const std::string Lost = online::Host::LostServerMessage;
const std::string HostGone = online::Seat::HostGoneMessage;
const std::string KeyRefused = LobbyClient::KeyRefusedMessage;
const std::string Unreached = LobbyClient::CouldNotConnect;

std::string row(const std::string& name, const std::string& id) {
    return encode(TableEntry{name, id, {"Hosty", "Computer", "Computer", "Computer"}});
}

struct Lobby {
    Lobby() : random(3), engine(game, random), client(engine, game, time, connections, dialog) {
        engine.startUp();
        client.setSeedSource([] { return 7; });
    }
    Table& t() { return engine.table(); }
    online::MemoryChannel& list() { return connections.channel(Port::List); }
    online::MemoryChannel& hostChannel() { return connections.channel(Port::Host); }
    online::MemoryChannel& player() { return connections.channel(Port::Player); }
    bool messageShown(const std::string& text) {
        return t().buttonMenu.visible && t().buttonMenu.modeX == ButtonMode::Message &&
               t().buttonMessage == text;
    }

    VirtualClock game;
    VirtualClock time; // the time limits'; moved on by the tests alone
    Random random;
    Engine engine;
    Connections connections;
    Dialog dialog;
    LobbyClient client;
};

const LobbyClient::Request Hosting{"Hosty", "sesame", "Evening"};
const LobbyClient::Request Joining{"Guesty", "sesame", {}, 0, 2};

// Where a case starts: the client led there through the answers a lobby gives.
enum class From {
    Standalone,
    ConnectingList,
    Lobby,
    HostConnecting,
    Creating, // "H" sent
    OwnSeatConnecting,
    Hosting,
    JoinConnecting,
    Joining, // "L" sent
    Seated,
};

void lead(Lobby& l, From to) {
    if (to == From::Standalone)
        return;
    l.client.playOnline();
    if (to == From::ConnectingList)
        return;
    l.connections.answer(Port::List, true);
    EXPECT_EQ(l.list().takeSent(), "Q");
    l.list().arrive(row("Evening", "1"));
    if (to == From::Lobby)
        return;
    if (to == From::JoinConnecting || to == From::Joining || to == From::Seated) {
        ASSERT_TRUE(l.client.join(Joining));
        if (to == From::JoinConnecting)
            return;
        l.connections.answer(Port::Player, true);
        EXPECT_EQ(l.player().takeSent(), encode(JoinTable{"sesame", 0, 2, "Guesty"}));
        if (to == From::Joining)
            return;
        l.player().arrive("Y");
        EXPECT_EQ(l.player().takeSent(), encode(TakeSeat{2, "Guesty"}));
        return;
    }
    ASSERT_TRUE(l.client.newTable(Hosting));
    if (to == From::HostConnecting)
        return;
    l.connections.answer(Port::Host, true);
    EXPECT_EQ(l.hostChannel().takeSent(),
              encode(CreateTable{"sesame", "Evening", "10.0.0.5", "Hosty"}));
    if (to == From::Creating)
        return;
    l.hostChannel().arrive("H");
    if (to == From::OwnSeatConnecting)
        return;
    l.connections.answer(Port::Player, true);
    EXPECT_EQ(l.player().takeSent(), encode(HostSeatOpen{}) + encode(TakeSeat{0, "Hosty"}));
}

struct Case {
    const char* name;
    From from;
    std::function<void(Lobby&)> act;
    State state;
    std::string status; // the dialog's status line afterwards ("-": not looked at)
    bool dialogOpen;
    std::string message; // the message the table shows ("": none, "-": not looked at)
    int liveConnections;
};

constexpr bool Open = true;
constexpr bool Closed = false;

const std::vector<Case>& cases() {
    static const std::vector<Case> all{
        // Opening the list.
        {"play online", From::Standalone,
         [](Lobby& l) {
             l.client.playOnline();
             EXPECT_TRUE(l.dialog.busy);
             EXPECT_TRUE(l.t().online);
         },
         State::ConnectingList, LobbyClient::ConnectingText, Open, "", 1},
        {"list connects", From::ConnectingList,
         [](Lobby& l) { l.connections.answer(Port::List, true); }, State::Lobby, "", Open, "", 1},
        {"list refused", From::ConnectingList,
         [](Lobby& l) { l.connections.answer(Port::List, false, Refused); }, State::Lobby, Refused,
         Open, "", 0},
        {"cancel while connecting", From::ConnectingList, [](Lobby& l) { l.client.cancel(); },
         State::Standalone, "-", Closed, "", 0},
        {"new game while connecting", From::ConnectingList, [](Lobby& l) { l.client.endOnline(); },
         State::Standalone, "-", Closed, "", 0},
        // Reading the list.
        {"refresh asks again", From::Lobby,
         [](Lobby& l) {
             l.list().takeSent();
             l.client.refresh();
             EXPECT_EQ(l.list().takeSent(), "Q");
         },
         State::Lobby, "", Open, "", 1},
        {"refresh after the lobby closed the list", From::Lobby,
         [](Lobby& l) {
             l.list().peerCloses();
             l.client.refresh();
         },
         State::ConnectingList, LobbyClient::ConnectingText, Open, "", 1},
        {"refresh with another server typed", From::Lobby,
         [](Lobby& l) {
             l.connections.typedAnother = true;
             l.client.refresh();
         },
         State::ConnectingList, LobbyClient::ConnectingText, Open, "", 1},
        {"garbage on the list", From::Lobby, [](Lobby& l) { l.list().arrive("Z\x01 garbage"); },
         State::Lobby, LobbyClient::BrokenListText, Open, "", 0},
        {"more rows than asked for", From::Lobby,
         [](Lobby& l) {
             for (int i = 2; i < 24; ++i)
                 l.list().arrive(row("T", std::to_string(i)));
             EXPECT_EQ(l.dialog.rows.size(), 21u);
         },
         State::Lobby, LobbyClient::BrokenListText, Open, "", 0},
        {"no tables waiting", From::Lobby,
         [](Lobby& l) {
             l.client.refresh();
             l.time.advance(LobbyClient::NoTablesAfterMs);
         },
         State::Lobby, LobbyClient::NoTablesText, Open, "", 1},
        {"a key refused on the list", From::Lobby, [](Lobby& l) { l.list().arrive("N"); },
         State::Lobby, "", Open, KeyRefused, 1},
        {"cancel in the lobby", From::Lobby, [](Lobby& l) { l.client.cancel(); }, State::Standalone,
         "-", Closed, "", 0},
        {"new game in the lobby", From::Lobby, [](Lobby& l) { l.client.endOnline(); },
         State::Standalone, "-", Closed, "", 0},
        // Opening a table.
        {"new table", From::Lobby,
         [](Lobby& l) {
             ASSERT_TRUE(l.client.newTable(Hosting));
             EXPECT_TRUE(l.dialog.busy);
         },
         State::Creating, LobbyClient::ConnectingText, Open, "", 1},
        {"host port refused", From::HostConnecting,
         [](Lobby& l) { l.connections.answer(Port::Host, false, Refused); }, State::Standalone, "-",
         Closed, Unreached, 0},
        {"cancel while the host channel connects", From::HostConnecting,
         [](Lobby& l) { l.client.cancel(); }, State::Standalone, "-", Closed, "", 0},
        {"key refused to the host", From::Creating, [](Lobby& l) { l.hostChannel().arrive("N"); },
         State::ConnectingList, KeyRefused, Open, KeyRefused, 1},
        {"no answer to H", From::Creating,
         [](Lobby& l) { l.time.advance(LobbyClient::AnswerTimeoutMs); }, State::ConnectingList,
         LobbyClient::SilentText, Open, "", 1},
        {"host channel closed before H, then the time-out", From::Creating,
         [](Lobby& l) {
             l.hostChannel().peerCloses();
             l.time.advance(LobbyClient::AnswerTimeoutMs);
         },
         State::ConnectingList, LobbyClient::SilentText, Open, "", 1},
        {"cancel while waiting for H", From::Creating, [](Lobby& l) { l.client.cancel(); },
         State::Standalone, "-", Closed, "", 0},
        {"new game while waiting for H", From::Creating, [](Lobby& l) { l.client.endOnline(); },
         State::Standalone, "-", Closed, "", 0},
        {"own seat refused", From::OwnSeatConnecting,
         [](Lobby& l) { l.connections.answer(Port::Player, false, Refused); }, State::Standalone,
         "-", Closed, Unreached, 0},
        {"host channel lost before the own seat", From::OwnSeatConnecting,
         [](Lobby& l) { l.hostChannel().peerCloses(); }, State::Standalone, "-", Closed, Lost, 0},
        {"own seat opened", From::OwnSeatConnecting,
         [](Lobby& l) { l.connections.answer(Port::Player, true); }, State::Hosting, "-", Closed,
         "", 2},
        // Hosting.
        {"server lost while hosting", From::Hosting, [](Lobby& l) { l.hostChannel().peerCloses(); },
         State::Standalone, "-", Closed, Lost, 0},
        {"own seat lost while hosting", From::Hosting, [](Lobby& l) { l.player().peerCloses(); },
         State::Standalone, "-", Closed, HostGone, 0},
        {"new game while hosting", From::Hosting, [](Lobby& l) { l.client.endOnline(); },
         State::Standalone, "-", Closed, "", 0},
        // Joining.
        {"join", From::Lobby,
         [](Lobby& l) {
             ASSERT_TRUE(l.client.join(Joining));
             EXPECT_TRUE(l.dialog.busy);
         },
         State::Joining, LobbyClient::ConnectingText, Open, "", 2},
        {"player port refused", From::JoinConnecting,
         [](Lobby& l) { l.connections.answer(Port::Player, false, Refused); }, State::Lobby,
         Refused, Open, "", 1},
        {"cancel while the player channel connects", From::JoinConnecting,
         [](Lobby& l) { l.client.cancel(); }, State::Standalone, "-", Closed, "", 0},
        {"join accepted", From::Joining, [](Lobby& l) { l.player().arrive("Y"); }, State::Seated,
         "-", Closed, "", 1},
        {"seat taken meanwhile", From::Joining,
         [](Lobby& l) {
             l.player().arrive(encode(SeatName{0, "Hosty"}) + encode(SeatName{1, "`Tommy"}) +
                               encode(SeatName{2, "Quick"}));
             EXPECT_EQ(l.client.state(), State::Joining);
             l.player().arrive(encode(SeatName{3, "`Ann"}));
             EXPECT_EQ(l.dialog.seatsRow, 0);
             EXPECT_EQ(l.dialog.seats,
                       (std::array<std::string, 4>{"Hosty", "Computer", "Quick", "Computer"}));
         },
         State::Lobby, LobbyClient::SeatTakenText, Open, "", 1},
        {"table gone before Y", From::Joining,
         [](Lobby& l) {
             l.list().takeSent();
             l.player().peerCloses();
             EXPECT_EQ(l.list().takeSent(), "Q"); // the list is read again
             EXPECT_TRUE(l.dialog.rows.empty());
         },
         State::Lobby, LobbyClient::TableGoneText, Open, "", 1},
        {"table gone with the list closed", From::Joining,
         [](Lobby& l) {
             l.list().peerCloses();
             l.player().peerCloses();
         },
         State::ConnectingList, LobbyClient::TableGoneText, Open, "", 1},
        {"key refused to the joiner", From::Joining, [](Lobby& l) { l.player().arrive("N"); },
         State::ConnectingList, KeyRefused, Open, KeyRefused, 1},
        {"key refused in two arrivals", From::Joining,
         [](Lobby& l) {
             l.player().arrive("");
             l.player().arrive("N");
         },
         State::ConnectingList, KeyRefused, Open, KeyRefused, 1},
        {"no answer to L", From::Joining,
         [](Lobby& l) { l.time.advance(LobbyClient::AnswerTimeoutMs); }, State::Lobby,
         LobbyClient::SilentText, Open, "", 1},
        {"cancel while waiting for Y", From::Joining, [](Lobby& l) { l.client.cancel(); },
         State::Standalone, "-", Closed, "", 0},
        {"new game while waiting for Y", From::Joining, [](Lobby& l) { l.client.endOnline(); },
         State::Standalone, "-", Closed, "", 0},
        // Seated.
        {"host gone", From::Seated, [](Lobby& l) { l.player().arrive("K"); }, State::Standalone,
         "-", Closed, HostGone, 0},
        {"player channel lost", From::Seated, [](Lobby& l) { l.player().peerCloses(); },
         State::Standalone, "-", Closed, HostGone, 0},
        {"a misdeal once seated is no refusal", From::Seated,
         [](Lobby& l) { l.player().arrive("N"); }, State::Seated, "-", Closed, "-", 1},
        {"new game while seated", From::Seated, [](Lobby& l) { l.client.endOnline(); },
         State::Standalone, "-", Closed, "", 0},
    };
    return all;
}

class Transitions : public ::testing::TestWithParam<Case> {};

TEST_P(Transitions, LeadWhereTheTableSays) {
    const Case& c = GetParam();
    Lobby l;
    lead(l, c.from);
    ASSERT_FALSE(::testing::Test::HasFailure());
    c.act(l);
    EXPECT_EQ(l.client.state(), c.state);
    if (c.status != "-") {
        EXPECT_EQ(l.dialog.status, c.status);
    }
    EXPECT_EQ(l.dialog.open, c.dialogOpen);
    EXPECT_FALSE(l.dialog.busy && c.state == State::Lobby);
    if (c.message == "-") {
    } else if (c.message.empty()) {
        EXPECT_FALSE(l.t().buttonMenu.visible && l.t().buttonMenu.modeX == ButtonMode::Message)
            << l.t().buttonMessage;
    } else {
        EXPECT_TRUE(l.messageShown(c.message)) << l.t().buttonMessage;
    }
    EXPECT_EQ(l.connections.live(), c.liveConnections);
    if (c.state == State::Standalone) {
        EXPECT_FALSE(l.t().online);
        EXPECT_EQ(l.t().localSeat, 0);
        EXPECT_EQ(l.client.host(), nullptr);
        EXPECT_EQ(l.client.seat(), nullptr);
    }
    // Nothing armed before is left to act later.
    l.time.advance(LobbyClient::AnswerTimeoutMs * 2);
    EXPECT_EQ(l.client.state(), c.state);
}

INSTANTIATE_TEST_SUITE_P(Lobby, Transitions, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// While the dialog waits for the server, its status line says so.
TEST(LobbyStatus, SaysWhatItWaitsFor) {
    for (From from : {From::Creating, From::Joining}) {
        Lobby l;
        lead(l, from);
        EXPECT_EQ(l.dialog.status, LobbyClient::WaitingText) << int(from);
    }
}

// A second join after a refusal uses a new channel, and the first is gone.
TEST(LobbyJoin, ChoosingAgainAfterATakenSeat) {
    Lobby l;
    lead(l, From::Joining);
    for (int seat = 0; seat < 4; ++seat)
        l.player().arrive(encode(SeatName{seat, seat == 3 ? "`Ann" : "P"}));
    ASSERT_EQ(l.client.state(), State::Lobby);
    ASSERT_TRUE(l.client.join({"Guesty", "sesame", {}, 0, 3}));
    l.connections.answer(Port::Player, true);
    EXPECT_EQ(l.player().takeSent(), encode(JoinTable{"sesame", 0, 3, "Guesty"}));
    l.player().arrive("Y");
    EXPECT_EQ(l.client.state(), State::Seated);
    EXPECT_EQ(l.t().localSeat, 3);
    EXPECT_EQ(l.t().lblPlayerName[0].caption, "Guesty");
    EXPECT_EQ(l.connections.live(), 1);
}

// The list is read again while the dialog is open: new tables appear, the chosen one stays
// chosen wherever it now is, and one that has closed is chosen no more.
TEST(LobbyList, KeptFreshWhileTheDialogIsOpen) {
    Lobby l;
    lead(l, From::Lobby);
    l.list().arrive(row("Harbour", "2"));
    l.dialog.selected = 1;
    l.time.advance(LobbyClient::NoTablesAfterMs);
    l.list().takeSent();
    l.time.advance(LobbyClient::RefreshEveryMs);
    EXPECT_EQ(l.list().takeSent(), "Q");
    EXPECT_EQ(l.dialog.rows.size(), 2u); // shown until the answer comes
    l.list().arrive(row("Harbour", "2") + row("Saturday", "3"));
    EXPECT_EQ(l.dialog.rows, (std::vector<std::string>{"Harbour", "Saturday"}));
    EXPECT_EQ(l.dialog.selected, 0);
    l.time.advance(LobbyClient::NoTablesAfterMs + LobbyClient::RefreshEveryMs);
    l.list().arrive(row("Saturday", "3"));
    l.time.advance(LobbyClient::NoTablesAfterMs);
    EXPECT_EQ(l.dialog.rows, (std::vector<std::string>{"Saturday"}));
    EXPECT_EQ(l.dialog.selected, -1);
    EXPECT_EQ(l.dialog.status, "");
    // The lobby closes a connection that only lists: the next reading opens another, quietly.
    l.list().peerCloses();
    l.time.advance(LobbyClient::RefreshEveryMs);
    EXPECT_EQ(l.client.state(), State::Lobby);
    EXPECT_FALSE(l.dialog.busy);
    l.connections.answer(Port::List, true);
    EXPECT_EQ(l.list().takeSent(), "Q");
    l.time.advance(LobbyClient::NoTablesAfterMs);
    EXPECT_EQ(l.dialog.status, LobbyClient::NoTablesText);
    EXPECT_EQ(l.connections.live(), 1);
}

// A refused key leaves the table that was chosen chosen once the list is back.
TEST(LobbyJoin, RefusedKeyKeepsTheChosenTable) {
    Lobby l;
    lead(l, From::Lobby);
    l.list().arrive(row("Harbour", "2"));
    l.dialog.selected = 1;
    ASSERT_TRUE(l.client.join({"Guesty", "wrong", {}, 1, 2}));
    l.connections.answer(Port::Player, true);
    l.player().arrive("N");
    l.connections.answer(Port::List, true);
    l.list().arrive(row("Evening", "1") + row("Harbour", "2"));
    EXPECT_EQ(l.dialog.selected, 1);
    EXPECT_EQ(l.dialog.status, KeyRefused);
}

// A seat lost at a hosted table is told in the chat history, which the host's own seat gets
// like every other; the host's button window is left free.
TEST(LobbyHost, ASeatLostTakesNoMessage) {
    Lobby l;
    lead(l, From::Hosting);
    l.hostChannel().arrive(encode(TakeSeatWithId{1, "Bronach", "7"}));
    l.hostChannel().arrive(encode(SeatLost{1}));
    EXPECT_FALSE(l.t().buttonMenu.visible && l.t().buttonMenu.modeX == ButtonMode::Message)
        << l.t().buttonMessage;
}

} // namespace
} // namespace corvane::testing
