// The lobby client's lifecycle: the table list, opening and hosting a table, joining one, and
// every way back to the standalone table, each a move of the transition table.
#include "online/lobby_client.h"

#include "flow/engine.h"
#include "online/host.h"
#include "online/seat.h"
#include "protocol/encode.h"
#include "table/random.h"

#include <algorithm>

namespace corvane::online {

using namespace corvane::protocol;

// Every call into the client from outside (the person, a connection, a time limit) passes
// through one of these. What teardown retired during the call may still be running below it (a
// seat's handler is called from inside the seat); it is freed when the outermost call returns,
// and before the next one begins.
class LobbyClient::Entry {
public:
    explicit Entry(LobbyClient& client) : m_client(client) {
        if (m_client.m_depth++ == 0)
            m_client.buryRetired();
    }
    ~Entry() {
        if (--m_client.m_depth == 0)
            m_client.buryRetired();
    }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

private:
    LobbyClient& m_client;
};

// Taken off the table by teardown: the users before the channels they use, the host before its
// engine.
struct LobbyClient::Retired {
    explicit Retired(Connector& connector) : connector(connector) {}
    ~Retired() {
        host.reset();
        seat.reset();
        engine.reset();
        random.reset();
        for (Channel* channel : channels)
            connector.discard(channel);
    }
    Connector& connector;
    std::unique_ptr<Host> host;
    std::unique_ptr<Seat> seat;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Random> random;
    std::vector<Channel*> channels;
};

// The host channel's receiver: the host, entered through the client.
class LobbyClient::Forward final : public Channel::Receiver {
public:
    explicit Forward(LobbyClient& client) : m_client(client) {}
    void to(Channel::Receiver* receiver) { m_to = receiver; }
    void received(std::string_view bytes) override {
        Entry entry(m_client);
        if (m_to)
            m_to->received(bytes);
    }
    void closed() override {
        Entry entry(m_client);
        if (m_to)
            m_to->closed();
    }

private:
    LobbyClient& m_client;
    Channel::Receiver* m_to = nullptr;
};

// The table list's answers: one table per "G", or a refused key. A lobby answers each "Q" with
// at most 21 rows; anything it cannot read, or rows beyond what was asked for, is a broken
// server: the connection is closed once, with a message.
class LobbyClient::ListReader final : public Channel::Receiver {
public:
    explicit ListReader(LobbyClient& client) : m_client(client) {}
    // A new connection: nothing of the last one is left in the decoder.
    void reset() {
        m_decoder = {};
        m_rowsAllowed = 0;
    }
    void asked() { m_rowsAllowed += MaxTables; }
    void received(std::string_view bytes) override {
        Entry entry(m_client);
        m_decoder.feed(bytes);
        while (auto decoded = m_decoder.next()) {
            if (auto* table = std::get_if<TableEntry>(&decoded->message)) {
                if (--m_rowsAllowed < 0)
                    return m_client.listBroken("more tables than the lobby may list");
                m_client.listedTable({table->name, table->id, table->occupants});
            } else if (std::holds_alternative<KeyRefused>(decoded->message)) {
                m_client.listKeyRefused();
            }
        }
        if (m_decoder.failed())
            m_client.listBroken(m_decoder.error());
    }
    void closed() override {}

private:
    LobbyClient& m_client;
    HostDownDecoder m_decoder;
    int m_rowsAllowed = 0;
};

// A player channel's receiver. While a join waits for its answer, a first message "N" is the
// server refusing the key (once the seat is taken the same letter is a misdeal), and the
// channel closing is the table that has just ended (the person never sat down, so no host was
// lost). Everything else goes to the seat, which reads "Y" or the seat list of a refusal.
class LobbyClient::JoinGate final : public Channel::Receiver {
public:
    explicit JoinGate(LobbyClient& client) : m_client(client) {}
    // `passed`: the host's own seat, which has no answer to wait for.
    void guard(Seat* seat, bool passed) {
        m_seat = seat;
        m_passed = passed;
        m_decoder = {};
        m_held.clear();
    }
    void received(std::string_view bytes) override {
        Entry entry(m_client);
        if (!m_seat)
            return;
        if (m_passed)
            return m_seat->received(bytes);
        m_held.append(bytes);
        m_decoder.feed(bytes);
        const auto first = m_decoder.next();
        if (!first && !m_decoder.failed())
            return; // the first message is not whole yet
        if (first && std::holds_alternative<Misdeal>(first->message))
            return m_client.keyRefused();
        m_passed = true;
        const std::string held = std::exchange(m_held, {});
        m_seat->received(held);
    }
    void closed() override {
        Entry entry(m_client);
        if (!m_seat)
            return;
        if (m_seat->seated())
            m_seat->closed();
        else
            m_client.joinClosed();
    }

private:
    LobbyClient& m_client;
    Seat* m_seat = nullptr;
    bool m_passed = false;
    PlayerDownDecoder m_decoder;
    std::string m_held;
};

std::optional<LobbyClient::State> LobbyClient::next(State from, Event event) {
    for (const Transition& t : Transitions)
        if (t.from == from && t.event == event)
            return t.to;
    return std::nullopt;
}

LobbyClient::LobbyClient(Engine& table, Scheduler& game, Scheduler& clock, Connector& connector,
                         View& view)
    : m_engine(table), m_game(game), m_connector(connector), m_view(view),
      m_listReader(std::make_unique<ListReader>(*this)), m_noTables(clock),
      m_hostForward(std::make_unique<Forward>(*this)),
      m_joinGate(std::make_unique<JoinGate>(*this)), m_answer(clock) {}

LobbyClient::~LobbyClient() {
    dropConnections();
    buryRetired();
}

bool LobbyClient::mayPlayOnline() const {
    return allows(Event::PlayOnline) && m_engine.betweenHands();
}

bool LobbyClient::allows(Event event) const {
    return next(m_state, event).has_value();
}

void LobbyClient::move(Event event) {
    const auto to = next(m_state, event);
    if (!to || *to == m_state)
        return;
    m_state = *to;
    m_view.showState(m_state);
}

void LobbyClient::say(const std::string& text) {
    m_engine.start(m_engine.MessageButton(text));
    m_view.tableChanged();
}

void LobbyClient::setStatus(const std::string& text) {
    m_status = text;
    m_view.setStatus(text);
}

void LobbyClient::clearTables() {
    m_rows.clear();
    m_view.clearTables();
}

// --- The table list -----------------------------------------------------------------------------

void LobbyClient::playOnline() {
    Entry entry(*this);
    // Between hands only: a hand in progress would be left half played.
    if (!mayPlayOnline())
        return;
    dropConnections();
    Table& t = m_engine.table();
    m_standalone = {t.lblPlayerName[0].caption, t.speedDelay, t.anyBidAllowed};
    t.anyBidAllowed = false; // online the five rule is always on
    t.online = true;
    // The button window's Deal would ask a host that is not there yet.
    t.buttonMenu.visible = false;
    m_whiteboardShown = 0;
    m_view.clearWhiteboard();
    m_view.tableChanged();
    m_rows.clear();
    m_status.clear();
    m_view.openDialog();
    connectList(Event::PlayOnline);
}

// Opens the table-list connection to the server the dialog names and asks for the list. The
// dialog says what is happening; Cancel ends it at any moment.
void LobbyClient::connectList(Event event) {
    closeList();
    m_connector.useTypedServer();
    m_listedIds.clear();
    m_listReader->reset();
    move(event);
    m_view.setBusy(true);
    setStatus(ConnectingText);
    m_list = m_connector.open(Port::List, [this](bool connected, const std::string& why) {
        Entry entry(*this);
        if (m_state != State::ConnectingList)
            return;
        move(connected ? Event::ListOpened : Event::ListFailed);
        m_view.setBusy(false);
        if (!connected) {
            setStatus(why);
            closeList();
            return;
        }
        if (m_status == ConnectingText)
            setStatus({});
        askForList();
    });
    m_list->setReceiver(m_listReader.get());
}

void LobbyClient::askForList() {
    m_listReader->asked();
    m_list->send(encode(ListRequest{}));
    // A lobby with no table waiting sends nothing at all: say so, once the rows would have come.
    m_noTables.start(NoTablesAfterMs, [this] {
        Entry entry(*this);
        if (m_state == State::Lobby && m_rows.empty() && m_status.empty())
            setStatus(NoTablesText);
    });
}

void LobbyClient::listedTable(const ListedTable& table) {
    if (!m_listedIds.insert(table.id).second)
        return;
    if (m_rows.size() < static_cast<std::size_t>(MaxTables)) {
        m_rows.push_back(table);
        m_view.addTable(table);
    }
    if (m_status == NoTablesText)
        setStatus({});
}

void LobbyClient::listBroken(const std::string& why) {
    if (m_log)
        m_log("table list: " + why + "; connection closed");
    closeList();
    setStatus(BrokenListText);
}

void LobbyClient::listKeyRefused() {
    m_view.setBusy(false);
    say(KeyRefusedMessage);
}

void LobbyClient::refresh() {
    Entry entry(*this);
    if (!allows(Event::Refresh))
        return;
    m_rows.clear(); // the dialog has emptied its list
    readTheList();
}

void LobbyClient::readTheList() {
    m_listedIds.clear();
    if (m_connector.useTypedServer() || !m_list || !m_list->isOpen()) {
        connectList(Event::Reconnect);
        return;
    }
    askForList();
}

void LobbyClient::readTheListAgain() {
    clearTables();
    if (m_state == State::Lobby)
        readTheList();
}

void LobbyClient::closeList() {
    if (!m_list)
        return;
    m_noTables.stop();
    auto retired = std::make_unique<Retired>(m_connector);
    retired->channels.push_back(std::exchange(m_list, nullptr));
    retired->channels.back()->setReceiver(nullptr);
    retired->channels.back()->close();
    m_retired.push_back(std::move(retired));
}

void LobbyClient::cancel() {
    Entry entry(*this);
    if (allows(Event::Cancel))
        leave(Event::Cancel);
}

// --- Hosting ----------------------------------------------------------------------------------

bool LobbyClient::newTable(const Request& request) {
    Entry entry(*this);
    if (m_state != State::Lobby)
        return false;
    m_connector.useTypedServer();
    m_view.setBusy(true);
    m_userName = request.userName;
    // The table list and the host channel share one connection in turn.
    closeList();
    const CreateTable create{request.key, request.tableName, {}, request.userName};
    m_hostChannel =
        m_connector.open(Port::Host, [this, create](bool connected, const std::string&) {
            Entry entry(*this);
            if (!connected) {
                leave(Event::CouldNotReach);
                say(CouldNotConnect);
                return;
            }
            CreateTable sent = create;
            sent.address = m_connector.localAddress(*m_hostChannel);
            m_hostChannel->send(encode(sent));
            m_answer.start(AnswerTimeoutMs, [this] { noAnswer(); });
        });
    // The game runs on an engine of its own, with the person's pace and rules; the window shows
    // the host's own seat, fed by the same messages as every other seat.
    m_hostRandom = std::make_unique<Random>(m_seed ? m_seed() : 1);
    m_hostEngine = std::make_unique<Engine>(m_game, *m_hostRandom);
    m_hostEngine->startUp();
    m_hostEngine->table().speedDelay = m_engine.table().speedDelay;
    m_hostEngine->table().mustFollowSuit = m_engine.table().mustFollowSuit;
    m_host = std::make_unique<Host>(*m_hostEngine, *m_hostChannel);
    m_host->setCreatedHandler([this] { tableCreated(); });
    m_host->setRefusedHandler([this] { keyRefused(); });
    m_host->setNoticeHandler([this](const std::string& text) {
        if (text != Host::LostServerMessage) // said once the table is standalone again
            say(text);
    });
    m_host->setLostHandler([this] { serverLost(); });
    m_host->setLog([this](const std::string& line) {
        if (m_log)
            m_log("host: " + line);
    });
    m_hostForward->to(m_host.get());
    m_hostChannel->setReceiver(m_hostForward.get());
    move(Event::NewTable);
    return true;
}

// The server answered "H": the host sits at its own table as an ordinary player, on a player
// channel of its own.
void LobbyClient::tableCreated() {
    m_answer.stop();
    m_playerChannel = m_connector.open(Port::Player, [this](bool connected, const std::string&) {
        Entry entry(*this);
        sitAtOwnTable(connected);
    });
    m_seat = std::make_unique<Seat>(m_engine, *m_playerChannel);
    m_seat->setHostsOwnSeat(true);
    m_seat->setChangedHandler([this] {
        if (m_host)
            m_host->ownViewChanged();
        seatChanged();
    });
    m_seat->setHostGoneHandler([this] { hostGone(); });
    m_host->setOwnView(m_seat.get());
    m_joinGate->guard(m_seat.get(), true);
    m_playerChannel->setReceiver(m_joinGate.get());
}

void LobbyClient::sitAtOwnTable(bool connected) {
    if (!connected) {
        leave(Event::CouldNotReach);
        say(CouldNotConnect);
        return;
    }
    m_playerChannel->send(encode(HostSeatOpen{}));
    m_engine.table().lblPlayerName[0].caption = m_userName;
    m_seat->GrabASeat(0);
    m_view.closeDialog();
    // Seated: "&Deal" asks the host for the first hand.
    m_engine.SetupButtons(0);
    move(Event::Hosted);
    m_view.tableChanged();
}

// --- Joining ------------------------------------------------------------------------------------

bool LobbyClient::join(const Request& request) {
    Entry entry(*this);
    if (m_state != State::Lobby || request.row < 0 || request.seat < 0)
        return false;
    m_connector.useTypedServer();
    m_view.setBusy(true);
    m_userName = request.userName;
    const JoinTable sent{request.key, request.row, request.seat, request.userName};
    dropPlayerChannel();
    m_playerChannel =
        m_connector.open(Port::Player, [this, sent](bool connected, const std::string& why) {
            Entry entry(*this);
            if (!connected) {
                // The dialog stays open for another try.
                backToChoosing(Event::JoinNotReached, why);
                return;
            }
            m_playerChannel->send(encode(sent));
            m_answer.start(AnswerTimeoutMs, [this] { noAnswer(); });
        });
    m_seat = std::make_unique<Seat>(m_engine, *m_playerChannel);
    m_seat->goOnline();
    m_seat->joinAs(request.seat, request.userName);
    m_seat->setChangedHandler([this] { seatChanged(); });
    m_seat->setHostGoneHandler([this] { hostGone(); });
    m_seat->setLog([this](const std::string& line) {
        if (m_log)
            m_log("seat: " + line);
    });
    m_seat->setJoinRefusedHandler([this] { joinRefusedSeatTaken(); });
    m_joinRow = request.row;
    m_joinGate->guard(m_seat.get(), false);
    m_playerChannel->setReceiver(m_joinGate.get());
    move(Event::Join);
    setStatus(ConnectingText);
    return true;
}

void LobbyClient::backToChoosing(Event event, const std::string& why) {
    if (!allows(event))
        return;
    m_answer.stop();
    dropPlayerChannel();
    move(event);
    m_view.setBusy(false);
    setStatus(why);
}

// The four seat names came without "Y": the seat was taken meanwhile. The row shows the seats
// as they are now, a computer's seat free again.
void LobbyClient::joinRefusedSeatTaken() {
    if (m_state != State::Joining || !m_seat)
        return;
    std::array<std::string, 4> occupants = m_seat->seatButtons();
    for (std::string& name : occupants)
        if (!name.empty() && name.front() == FreeSeatMark)
            name = "Computer";
    backToChoosing(Event::SeatTaken, SeatTakenText);
    if (m_joinRow >= 0 && m_joinRow < rowCount())
        m_rows[static_cast<std::size_t>(m_joinRow)].occupants = occupants;
    m_view.showSeats(m_joinRow, occupants);
}

void LobbyClient::joinClosed() {
    if (m_state != State::Joining)
        return;
    backToChoosing(Event::TableGone, TableGoneText);
    readTheListAgain();
    setStatus(TableGoneText);
}

// "N": the server refused the key. The table list shared its connection with the host channel,
// or was dropped with the join: it is opened again.
void LobbyClient::keyRefused() {
    if (!allows(Event::KeyRefused))
        return;
    m_answer.stop();
    dropConnections();
    move(Event::KeyRefused);
    m_view.setBusy(false);
    say(KeyRefusedMessage);
    readTheListAgain();
}

// A server that took the connection but does not answer "H" or "L": back to choosing.
void LobbyClient::noAnswer() {
    Entry entry(*this);
    if (m_state == State::Joining) {
        backToChoosing(Event::NoAnswer, SilentText);
    } else if (m_state == State::Creating) {
        dropConnections();
        move(Event::NoAnswer);
        m_view.setBusy(false);
        readTheListAgain();
        setStatus(SilentText);
    }
}

void LobbyClient::seatChanged() {
    showWhiteboard();
    if (m_state == State::Joining && m_seat && m_seat->seated()) {
        m_answer.stop();
        m_view.closeDialog();
        // The list is no longer being read: the lobby reads later joins from this address in
        // the lists of those still choosing.
        closeList();
        const Table& t = m_engine.table();
        if (t.gamePhase == PhaseIdle && t.dealString.empty())
            m_engine.SetupButtons(0);
        move(Event::Seated);
    }
}

// --- Chat ------------------------------------------------------------------------------------

void LobbyClient::sendChat(const std::string& text) {
    Entry entry(*this);
    if (m_seat && m_seat->seated() && !text.empty())
        m_seat->sendChat(text);
    showWhiteboard();
}

void LobbyClient::showWhiteboard() {
    if (!m_seat)
        return;
    const auto& lines = m_seat->whiteboard();
    for (; m_whiteboardShown < lines.size(); ++m_whiteboardShown)
        m_view.addWhiteboardLine(lines[m_whiteboardShown]);
}

// --- Ending ----------------------------------------------------------------------------------

// Every way out of online play before a seat is taken: the dialog and the connections go and the
// table is the standalone table it was.
void LobbyClient::leave(Event event) {
    if (!allows(event))
        return;
    m_view.closeDialog();
    dropConnections();
    restoreStandalone();
    m_engine.stopTimeout();
    if (m_engine.table().gamePhase == PhaseIdle)
        m_engine.SetupButtons(0);
    move(event);
    m_view.tableChanged();
}

// The seat has already put a standalone game on the table and said why.
void LobbyClient::hostGone() {
    if (!allows(Event::HostGone))
        return;
    dropConnections();
    restoreStandalone();
    move(Event::HostGone);
    m_view.tableChanged();
}

// The host channel closed: the host has ended its table.
void LobbyClient::serverLost() {
    if (!allows(Event::ServerLost))
        return;
    m_view.closeDialog();
    dropConnections();
    move(Event::ServerLost);
    m_engine.newGame();
    restoreStandalone();
    say(Host::LostServerMessage);
}

void LobbyClient::endOnline() {
    Entry entry(*this);
    // "&New Game" has put a standalone game on the table already.
    if (!allows(Event::NewGame))
        return;
    m_view.closeDialog();
    dropConnections();
    restoreStandalone();
    move(Event::NewGame);
    m_view.tableChanged();
}

// The person's own name and settings, as they were before Play Online.
void LobbyClient::restoreStandalone() {
    Table& t = m_engine.table();
    t.online = false;
    t.netRole = 0;
    t.localSeat = 0;
    t.lblPlayerName[0].caption = m_standalone.name;
    t.speedDelay = m_standalone.speedDelay;
    t.anyBidAllowed = m_standalone.anyBidAllowed;
}

// The one teardown: every connection closes at once and calls nothing more; the host, the seat
// and the host's engine are retired with their channels.
void LobbyClient::dropConnections() {
    m_answer.stop();
    closeList();
    auto retired = std::make_unique<Retired>(m_connector);
    if (m_host) {
        m_host->setCreatedHandler(nullptr);
        m_host->setRefusedHandler(nullptr);
        m_host->setNoticeHandler(nullptr);
        m_host->setLostHandler(nullptr);
        m_host->setOwnView(nullptr);
    }
    m_hostForward->to(nullptr);
    retired->host = std::move(m_host);
    retired->engine = std::move(m_hostEngine);
    retired->random = std::move(m_hostRandom);
    if (m_hostChannel) {
        m_hostChannel->setReceiver(nullptr);
        m_hostChannel->close();
        retired->channels.push_back(std::exchange(m_hostChannel, nullptr));
    }
    m_retired.push_back(std::move(retired));
    dropPlayerChannel();
}

void LobbyClient::dropPlayerChannel() {
    auto retired = std::make_unique<Retired>(m_connector);
    if (m_seat) {
        m_seat->setChangedHandler(nullptr);
        m_seat->setHostGoneHandler(nullptr);
        m_seat->setJoinRefusedHandler(nullptr);
    }
    m_joinGate->guard(nullptr, false);
    retired->seat = std::move(m_seat);
    if (m_playerChannel) {
        m_playerChannel->setReceiver(nullptr);
        m_playerChannel->close();
        retired->channels.push_back(std::exchange(m_playerChannel, nullptr));
    }
    m_retired.push_back(std::move(retired));
}

void LobbyClient::buryRetired() {
    // Freeing may not call back, but take the list first all the same.
    auto retired = std::move(m_retired);
    retired.clear();
}

} // namespace corvane::online
