// The lobby client's lifecycle: the transition table, the table list, and every way back to
// the standalone table.
#include "online/lobby_client.h"

#include "online/lobby_client_parts.h"
#include "protocol/encode.h"
#include "protocol/seat_names.h"

#include <algorithm>

namespace corvane::online {

using namespace corvane::protocol;

std::optional<LobbyClient::State> LobbyClient::next(State from, Event event) {
    for (const Transition& t : Transitions)
        if (t.from == from && t.event == event)
            return t.to;
    return std::nullopt;
}

LobbyClient::LobbyClient(Engine& table, Scheduler& game, Scheduler& clock, Connector& connector,
                         View& view)
    : m_engine(table), m_game(game), m_connector(connector), m_view(view),
      m_listReader(std::make_unique<ListReader>(*this)), m_noTables(clock), m_keepFresh(clock),
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
    if (m_state == State::Lobby && !m_keepFresh.armed())
        m_keepFresh.start(RefreshEveryMs, [this] { refreshQuietly(); });
    m_view.showState(m_state);
}

void LobbyClient::say(const Saying& text) {
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
    m_standalone = {t.localName(), t.speedDelay, t.anyBidAllowed};
    t.anyBidAllowed = false; // online the five rule is always on
    t.online = true;
    // The button window's Deal would ask a host that is not there yet.
    t.buttonMode = ButtonMode::Hidden;
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
    m_listAnswer = ListAnswer::Awaited;
    m_list->send(encode(ListRequest{}));
    // No message ends the rows: they have come once they have stopped coming.
    m_noTables.start(NoTablesAfterMs, [this] {
        Entry entry(*this);
        rowsSettled();
    });
}

void LobbyClient::rowsSettled() {
    if (m_listAnswer != ListAnswer::Awaited)
        return answerEnded();
    // Nothing at all yet: a lobby with no table waiting says so with "U"; one that is silent
    // is given the time a server has to answer.
    m_noTables.start(AnswerTimeoutMs - NoTablesAfterMs, [this] {
        Entry entry(*this);
        listSilent();
    });
}

void LobbyClient::listEmpty() {
    if (m_listAnswer != ListAnswer::Awaited)
        return;
    m_listAnswer = ListAnswer::Empty;
    m_noTables.stop();
    answerEnded();
}

// The connection is up but the server has not answered "Q": whatever it is, it lists no tables.
// The rows shown stay, and the list is asked for again in a while.
void LobbyClient::listSilent() {
    if (m_state != State::Lobby || m_listAnswer != ListAnswer::Awaited)
        return;
    m_listAnswer = ListAnswer::None;
    m_freshAnswer = false;
    setStatus(SilentText);
    m_keepFresh.start(RefreshEveryMs, [this] { refreshQuietly(); });
}

// The rows of the last "Q" have come by now: a chosen table that is not among them has closed
// or filled, and the next reading is due in a while.
void LobbyClient::answerEnded() {
    if (m_state != State::Lobby)
        return;
    if (std::exchange(m_freshAnswer, false)) {
        rememberChoice();
        clearTables();
    }
    if (!m_chosenId.empty() &&
        std::none_of(m_rows.begin(), m_rows.end(),
                     [&](const ListedTable& t) { return t.id == m_chosenId; })) {
        m_chosenId.clear();
        m_view.selectRow(-1, -1);
        // What was said of its seat went with it.
        if (m_status == SeatTakenText)
            setStatus({});
    }
    if (m_rows.empty() && (m_status.empty() || m_status == SilentText))
        setStatus(NoTablesText);
    m_keepFresh.start(RefreshEveryMs, [this] { refreshQuietly(); });
}

// The list read again without a word in the dialog: on the open connection, or on a new one
// once the lobby has closed it.
void LobbyClient::refreshQuietly() {
    Entry entry(*this);
    if (m_state != State::Lobby)
        return;
    if (m_list && m_list->isOpen()) {
        // An answer still awaited is not asked for again: its time limit says when it is late.
        if (m_listAnswer == ListAnswer::Awaited)
            return;
        m_freshAnswer = true;
        askForList();
        return;
    }
    closeList();
    m_listReader->reset();
    m_list = m_connector.open(Port::List, [this](bool connected, const std::string& why) {
        Entry entry(*this);
        if (m_state != State::Lobby)
            return;
        if (!connected) {
            closeList();
            setStatus(why);
            m_keepFresh.start(RefreshEveryMs, [this] { refreshQuietly(); });
            return;
        }
        m_freshAnswer = true;
        askForList();
    });
    m_list->setReceiver(m_listReader.get());
}

void LobbyClient::rememberChoice() {
    const int row = m_view.selectedRow();
    const bool chosen = row >= 0 && row < rowCount();
    m_chosenId = chosen ? m_rows[static_cast<std::size_t>(row)].id : std::string();
    m_chosenSeat = chosen ? m_view.selectedSeat() : -1;
}

void LobbyClient::listedTable(const ListedTable& table) {
    m_listAnswer = ListAnswer::Rows;
    if (std::exchange(m_freshAnswer, false)) {
        rememberChoice();
        clearTables();
        m_listedIds.clear();
    }
    if (!m_listedIds.insert(table.id).second)
        return;
    if (m_rows.size() < static_cast<std::size_t>(MaxTables)) {
        m_rows.push_back(table);
        m_view.addTable(table);
        if (table.id == m_chosenId)
            chooseAgain(table);
    }
    if (m_status == NoTablesText || m_status == SilentText)
        setStatus({});
}

// The chosen table listed anew: the seat chosen stays chosen while it is free. One someone has
// taken meanwhile is said, as a refused join says it, and the lowest free seat is offered.
void LobbyClient::chooseAgain(const ListedTable& table) {
    int seat = m_chosenSeat;
    if (seat >= 0 && seat < 4 &&
        !protocol::listsFreeSeat(table.occupants[static_cast<std::size_t>(seat)])) {
        seat = -1;
        m_chosenSeat = -1;
        setStatus(SeatTakenText);
    }
    m_view.selectRow(rowCount() - 1, seat);
}

void LobbyClient::listBroken(const std::string& why) {
    if (m_log)
        m_log("table list: " + why + "; connection closed");
    closeList();
    setStatus(BrokenListText);
}

void LobbyClient::listKeyRefused() {
    m_view.setBusy(false);
    say(Said::KeyRefused);
}

void LobbyClient::refresh() {
    Entry entry(*this);
    // A server that has not answered yet is given up for another one typed meanwhile.
    if (m_state == State::ConnectingList) {
        if (m_connector.useTypedServer())
            connectList(Event::Reconnect);
        return;
    }
    if (!allows(Event::Refresh))
        return;
    clearTables();
    m_chosenId.clear();
    m_freshAnswer = false;
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
    rememberChoice();
    clearTables();
    if (m_state == State::Lobby)
        readTheList();
}

void LobbyClient::closeList() {
    if (!m_list)
        return;
    m_noTables.stop();
    m_listAnswer = ListAnswer::None;
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
    if (m_engine.table().gamePhase == GamePhase::Idle)
        m_engine.SetupButtons(ButtonMode::Deal);
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
    say(Said::ServerLost);
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
    t.localName() = m_standalone.name;
    t.speedDelay = m_standalone.speedDelay;
    t.anyBidAllowed = m_standalone.anyBidAllowed;
}

// The one teardown: every connection closes at once and calls nothing more; the host, the seat
// and the host's engine are retired with their channels.
void LobbyClient::dropConnections() {
    m_answer.stop();
    m_keepFresh.stop();
    m_freshAnswer = false;
    m_listAnswer = ListAnswer::None;
    closeList();
    auto retired = std::make_unique<Retired>(m_connector);
    if (m_host) {
        m_host->setCreatedHandler(nullptr);
        m_host->setRefusedHandler(nullptr);
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
