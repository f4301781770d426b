// The protocol's field names include Qt's "slots" keyword: its headers come before any of Qt's.
// clang-format off
#include "online/host.h"
#include "protocol/decoder.h"
#include "protocol/encode.h"
#include "online/seat.h"
#include "ui/online_session.h"
// clang-format on

#include "flow/engine.h"
#include "table/random.h"
#include "ui/dialog_placement.h"
#include "ui/game_program.h"
#include "ui/lobby_dialog.h"
#include "ui/socket_channel.h"
#include "ui/table_view.h"
#include "ui/table_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

namespace corvane::ui {

// The table list's answers: one table per "G", or a refused key. A lobby answers each "Q" with
// at most 21 rows; anything it cannot read, or rows beyond what was asked for, is a broken
// server: the connection is closed once, with a message.
class OnlineSession::ListReader final : public online::Channel::Receiver {
public:
    explicit ListReader(OnlineSession& session) : m_session(session) {}
    // A new connection: nothing of the last one is left in the decoder.
    void reset() {
        m_decoder = {};
        m_rowsAllowed = 0;
    }
    void asked() { m_rowsAllowed += LobbyDialog::MaxTables; }
    void received(std::string_view bytes) override {
        m_decoder.feed(bytes);
        while (auto decoded = m_decoder.next()) {
            if (const auto* entry = std::get_if<protocol::TableEntry>(&decoded->message)) {
                if (--m_rowsAllowed < 0)
                    return m_session.onListBroken("more tables than the lobby may list");
                m_session.onListedTable(entry->name, entry->id, entry->occupants);
            } else if (std::holds_alternative<protocol::KeyRefused>(decoded->message)) {
                m_session.onKeyRefused();
            }
        }
        if (m_decoder.failed())
            m_session.onListBroken(m_decoder.error());
    }
    void closed() override {}

private:
    OnlineSession& m_session;
    protocol::HostDownDecoder m_decoder;
    int m_rowsAllowed = 0;
};

// While a join waits for its answer, a lone "N" is the server refusing the key (on a seated
// player's channel the same letter is a misdeal, which cannot come before the seat is taken).
class OnlineSession::JoinGate final : public online::Channel::Receiver {
public:
    JoinGate(OnlineSession& session, online::Seat& seat) : m_session(session), m_seat(seat) {}
    void received(std::string_view bytes) override {
        if (!m_passed && !bytes.empty() && bytes.front() == 'N') {
            QTimer::singleShot(0, &m_session, [s = &m_session] { s->backToLobby(); });
            return;
        }
        m_passed = true;
        m_seat.received(bytes);
    }
    void closed() override {
        // Before the seat is taken a closed channel is a refusal (the table has just ended),
        // not the loss of a host: the person never sat down.
        if (!m_seat.seated()) {
            QTimer::singleShot(0, &m_session, [s = &m_session] { s->onJoinClosed(); });
            return;
        }
        m_seat.closed();
    }

private:
    OnlineSession& m_session;
    online::Seat& m_seat;
    bool m_passed = false;
};

OnlineSession::OnlineSession(Engine& engine, Scheduler& scheduler, TableWindow& window,
                             ServerAddress server, QObject* parent)
    : QObject(parent), m_engine(engine), m_scheduler(scheduler), m_window(window),
      m_server(std::move(server)), m_listReader(std::make_unique<ListReader>(*this)) {
    connect(&m_window, &TableWindow::playOnlineRequested, this, &OnlineSession::playOnline);
    connect(m_window.action(QStringLiteral("mnuNew")), &QAction::triggered, this,
            &OnlineSession::endOnline);
    connect(m_window.view()->chat(), &QLineEdit::returnPressed, this, &OnlineSession::sendChat);
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, &OnlineSession::onNoAnswer);
    // "&Play Online..." is offered between hands only.
    QAction* connectAction = m_window.action(QStringLiteral("mnuConnect"));
    if (auto* menu = qobject_cast<QMenu*>(connectAction->parent()))
        connect(menu, &QMenu::aboutToShow, this, &OnlineSession::updateConnectAction);
}

void OnlineSession::updateConnectAction() {
    m_window.action(QStringLiteral("mnuConnect"))
        ->setEnabled(m_state == State::Standalone && m_engine.betweenHands());
}

OnlineSession::~OnlineSession() {
    m_host.reset();
    m_hostEngine.reset();
    m_seat.reset();
}

void OnlineSession::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    updateConnectAction();
    m_window.setWindowTitle(state == State::Hosting ? QStringLiteral("Corvane (Hosting)")
                                                    : QStringLiteral("Corvane"));
    emit stateChanged(state);
}

void OnlineSession::say(const std::string& text) {
    m_engine.start(m_engine.MessageButton(text));
    m_window.refresh();
}

// --- The table list and the lobby dialog -------------------------------------------------------

void OnlineSession::playOnline() {
    // Between hands only: a hand in progress would be left half played.
    if (m_state != State::Standalone || !m_engine.betweenHands())
        return;
    dropConnections();
    const Table& t = m_engine.table();
    m_standalone = {t.lblPlayerName[0].caption, t.speedDelay, t.anyBidAllowed};
    openLobby();
    connectList();
}

void OnlineSession::openLobby() {
    Table& t = m_engine.table();
    t.anyBidAllowed = false; // online the five rule is always on
    t.online = true;
    // The button window's Deal would ask a host that is not there yet.
    t.buttonMenu.visible = false;
    m_whiteboardShown = 0;
    m_window.view()->whiteboard()->clear();
    m_window.refresh();
    m_window.view()->chat()->setFocus();

    m_listedIds.clear();
    m_dialog = new LobbyDialog(m_server.text(), &m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->fill(m_lobbyFields.userName, m_lobbyFields.key, m_lobbyFields.rememberKey);
    connect(m_dialog, &LobbyDialog::refreshRequested, this, &OnlineSession::refresh);
    connect(m_dialog, &LobbyDialog::cancelRequested, this, &OnlineSession::cancel);
    connect(m_dialog, &LobbyDialog::newTableRequested, this, &OnlineSession::newTable);
    connect(m_dialog, &LobbyDialog::joinRequested, this, &OnlineSession::join);
    m_window.placeDialog(m_dialog); // before showing, so that it does not jump once framed
    m_dialog->show();
}

// Opens the table-list connection to the server the dialog names and asks for the list. The
// dialog says what is happening; Cancel ends it at any moment.
void OnlineSession::connectList() {
    closeList();
    useServerField();
    m_listedIds.clear();
    m_list = new SocketChannel(this);
    m_listReader->reset();
    m_list->setReceiver(m_listReader.get());
    setState(State::ConnectingList);
    m_dialog->setBusy(true);
    m_dialog->setStatus(QString::fromUtf8(ConnectingText));
    m_list->open(m_server.host, m_server.listPort, [this](bool connected) {
        if (m_state != State::ConnectingList)
            return;
        setState(State::Lobby);
        m_dialog->setBusy(false);
        if (!connected) {
            m_dialog->setStatus(m_list->failure());
            closeList();
            return;
        }
        if (m_dialog->status() == QString::fromUtf8(ConnectingText))
            m_dialog->setStatus(QString());
        askForList();
    });
}

void OnlineSession::askForList() {
    m_listReader->asked();
    m_list->send(protocol::encode(protocol::ListRequest{}));
    // A lobby with no table waiting sends nothing at all: say so, once the rows would have come.
    QTimer::singleShot(NoTablesAfterMs, m_list, [this] {
        if (m_dialog && m_state == State::Lobby && m_dialog->rowCount() == 0 &&
            m_dialog->status().isEmpty())
            m_dialog->setStatus(QString::fromUtf8(NoTablesText));
    });
}

void OnlineSession::onListedTable(const std::string& name, const std::string& id,
                                  const std::array<std::string, 4>& occupants) {
    if (m_dialog && m_listedIds.insert(id).second) {
        m_dialog->addTable(name, occupants);
        if (m_dialog->status() == QString::fromUtf8(NoTablesText))
            m_dialog->setStatus(QString());
    }
}

void OnlineSession::onListBroken(const std::string& why) {
    qWarning("table list: %s; connection closed", why.c_str());
    closeList();
    if (m_dialog)
        m_dialog->setStatus(QString::fromUtf8(BrokenListText));
}

void OnlineSession::onKeyRefused() {
    if (m_dialog)
        m_dialog->setBusy(false);
    say(KeyRefusedMessage);
}

// The fields as the player went ahead with them, kept for the next time. An unticked "Remember
// key" forgets a key kept before.
void OnlineSession::keepLobbyFields() {
    const bool rememberKey = m_dialog->rememberKey();
    m_lobbyFields = {m_dialog->userName(), m_server.text(), rememberKey,
                     rememberKey ? m_dialog->key() : QString()};
    emit lobbyFieldsChosen(m_lobbyFields);
}

// The Server field may name another lobby: the next connection goes there.
bool OnlineSession::useServerField() {
    if (!m_dialog)
        return false;
    ServerAddress typed;
    if (!ServerAddress::parse(m_dialog->server(), typed) || typed.text() == m_server.text())
        return false;
    m_server = typed;
    return true;
}

void OnlineSession::refresh() {
    if (m_state != State::Lobby)
        return;
    m_listedIds.clear(); // the dialog has emptied its list
    if (useServerField() || !m_list || !m_list->isOpen()) {
        connectList();
        return;
    }
    askForList();
}

void OnlineSession::closeList() {
    if (!m_list)
        return;
    m_list->setReceiver(nullptr);
    m_list->close();
    m_list->deleteLater();
    m_list = nullptr;
}

void OnlineSession::cancel() {
    switch (m_state) {
    case State::ConnectingList:
    case State::Lobby:
    case State::Creating:
    case State::Joining:
        leaveOnline();
        break;
    default:
        break;
    }
}

// Every way out of online play before a seat is taken: the dialog and the connections go and the
// table is the standalone table it was.
void OnlineSession::leaveOnline() {
    closeDialog();
    dropConnections();
    m_window.unsetCursor();
    restoreStandalone();
    m_engine.stopTimeout();
    if (m_engine.table().gamePhase == PhaseIdle)
        m_engine.SetupButtons(0);
    setState(State::Standalone);
    m_window.refresh();
}

// The person's own name and settings, as they were before Play Online.
void OnlineSession::restoreStandalone() {
    Table& t = m_engine.table();
    t.online = false;
    t.netRole = 0;
    t.localSeat = 0;
    t.lblPlayerName[0].caption = m_standalone.name;
    t.speedDelay = m_standalone.speedDelay;
    t.anyBidAllowed = m_standalone.anyBidAllowed;
}

void OnlineSession::closeDialog() {
    if (!m_dialog)
        return;
    m_dialog->disconnect(this);
    m_dialog->accept();
    m_dialog->deleteLater();
    m_dialog = nullptr;
}

// --- Hosting ----------------------------------------------------------------------------------

void OnlineSession::newTable() {
    if (m_state != State::Lobby || !m_dialog)
        return;
    useServerField();
    m_dialog->setBusy(true);
    m_userName = m_dialog->userName();
    keepLobbyFields();
    const std::string key = m_dialog->key().toStdString();
    const std::string tableName = m_dialog->tableName().toStdString();
    // The table list and the host channel share one connection in turn.
    closeList();
    m_hostChannel = new SocketChannel(this);
    connect(m_hostChannel, &SocketChannel::activity, &m_window, &TableWindow::refresh);
    // The game runs on an engine of its own, with the person's pace and rules; the window shows
    // the host's own seat, fed by the same messages as every other seat.
    m_hostRandom = std::make_unique<Random>(clockSeed());
    m_hostEngine = std::make_unique<Engine>(m_scheduler, *m_hostRandom);
    m_hostEngine->startUp();
    m_hostEngine->table().speedDelay = m_engine.table().speedDelay;
    m_hostEngine->table().mustFollowSuit = m_engine.table().mustFollowSuit;
    m_host = std::make_unique<online::Host>(*m_hostEngine, *m_hostChannel);
    m_host->setCreatedHandler([this] { onTableCreated(); });
    m_host->setRefusedHandler([this] { QTimer::singleShot(0, this, &OnlineSession::backToLobby); });
    m_host->setNoticeHandler([this](const std::string& text) {
        if (text != online::Host::LostServerMessage) // said once the table is standalone again
            say(text);
    });
    m_host->setLostHandler([this] { onHostLost(); });
    m_host->setLog([](const std::string& line) { qInfo("host: %s", line.c_str()); });
    setState(State::Creating);
    m_hostChannel->open(m_server.host, m_server.hostPort, [this, key, tableName](bool connected) {
        if (!connected) {
            leaveOnline();
            say(CouldNotConnect);
            return;
        }
        const std::string address = m_hostChannel->socket().localAddress().toString().toStdString();
        m_hostChannel->send(protocol::encode(
            protocol::CreateTable{key, tableName, address, m_userName.toStdString()}));
        m_answerTimer.start(AnswerTimeoutMs);
    });
}

// A server that took the connection but does not answer "H" or "L": back to choosing.
void OnlineSession::onNoAnswer() {
    if (m_state == State::Joining) {
        backToChoosing(QString::fromUtf8(SocketChannel::SilentText));
    } else if (m_state == State::Creating) {
        dropConnections();
        setState(State::Lobby);
        if (m_dialog) {
            m_dialog->setBusy(false);
            m_dialog->clearTables();
            refresh();
            m_dialog->setStatus(QString::fromUtf8(SocketChannel::SilentText));
        }
    }
}

void OnlineSession::onTableCreated() {
    m_answerTimer.stop();
    // The host sits at its own table as an ordinary player, on a player channel of its own.
    m_playerChannel = new SocketChannel(this);
    connect(m_playerChannel, &SocketChannel::activity, &m_window, &TableWindow::refresh);
    m_seat = std::make_unique<online::Seat>(m_engine, *m_playerChannel);
    m_seat->setHostsOwnSeat(true);
    m_seat->setChangedHandler([this] {
        if (m_host)
            m_host->ownViewChanged();
        onSeatChanged();
    });
    m_seat->setHostGoneHandler([this] { onHostGone(); });
    m_host->setOwnView(m_seat.get());
    m_playerChannel->open(m_server.host, m_server.playerPort,
                          [this](bool connected) { sitAtOwnTable(connected); });
}

void OnlineSession::sitAtOwnTable(bool connected) {
    if (!connected) {
        leaveOnline();
        say(CouldNotConnect);
        return;
    }
    m_playerChannel->send(protocol::encode(protocol::HostSeatOpen{}));
    m_engine.table().lblPlayerName[0].caption = m_userName.toStdString();
    m_seat->GrabASeat(0);
    closeDialog();
    // Seated: "&Deal" asks the host for the first hand.
    m_engine.SetupButtons(0);
    setState(State::Hosting);
    m_window.refresh();
}

// --- Joining ------------------------------------------------------------------------------------

void OnlineSession::join() {
    if (m_state != State::Lobby || !m_dialog || m_dialog->selectedRow() < 0 ||
        m_dialog->selectedSeat() < 0)
        return;
    useServerField();
    m_dialog->setBusy(true);
    m_userName = m_dialog->userName();
    keepLobbyFields();
    const protocol::JoinTable request{m_dialog->key().toStdString(), m_dialog->selectedRow(),
                                      m_dialog->selectedSeat(), m_userName.toStdString()};
    if (m_playerChannel) {
        m_playerChannel->setReceiver(nullptr);
        m_joinGate.reset();
        m_seat.reset();
        m_playerChannel->close();
        m_playerChannel->deleteLater();
    }
    m_playerChannel = new SocketChannel(this);
    connect(m_playerChannel, &SocketChannel::activity, &m_window, &TableWindow::refresh);
    m_seat = std::make_unique<online::Seat>(m_engine, *m_playerChannel);
    m_seat->goOnline();
    m_seat->joinAs(request.seat, request.userName);
    m_seat->setChangedHandler([this] { onSeatChanged(); });
    m_seat->setHostGoneHandler([this] { onHostGone(); });
    m_seat->setLog([](const std::string& line) { qInfo("seat: %s", line.c_str()); });
    m_seat->setJoinRefusedHandler(
        [this] { QTimer::singleShot(0, this, &OnlineSession::onJoinRefused); });
    m_joinRow = request.row;
    m_joinGate = std::make_unique<JoinGate>(*this, *m_seat);
    m_playerChannel->setReceiver(m_joinGate.get());
    setState(State::Joining);
    m_dialog->setStatus(QString::fromUtf8(ConnectingText));
    m_playerChannel->open(m_server.host, m_server.playerPort, [this, request](bool connected) {
        if (!connected) {
            // The dialog stays open for another try.
            backToChoosing(m_playerChannel->failure());
            return;
        }
        m_playerChannel->send(protocol::encode(request));
        m_answerTimer.start(AnswerTimeoutMs);
    });
}

void OnlineSession::dropPlayerChannel() {
    if (!m_playerChannel)
        return;
    m_playerChannel->setReceiver(nullptr);
    m_playerChannel->disconnect(&m_window);
    m_playerChannel->close();
    m_playerChannel->deleteLater();
    m_playerChannel = nullptr;
    m_joinGate.reset();
    m_seat.reset();
}

void OnlineSession::backToChoosing(const QString& why) {
    if (m_state != State::Joining)
        return;
    m_answerTimer.stop();
    dropPlayerChannel();
    setState(State::Lobby);
    if (m_dialog) {
        m_dialog->setBusy(false);
        m_dialog->setStatus(why);
    }
}

void OnlineSession::onJoinRefused() {
    if (m_state != State::Joining || !m_seat)
        return;
    const std::array<std::string, 4> names = m_seat->seatButtons();
    backToChoosing(QString::fromUtf8(SeatTakenText));
    if (m_dialog)
        m_dialog->showSeats(m_joinRow, names);
}

void OnlineSession::onJoinClosed() {
    if (m_state != State::Joining)
        return;
    backToChoosing(QString::fromUtf8(TableGoneText));
    if (m_dialog) {
        m_dialog->clearTables();
        refresh();
        m_dialog->setStatus(QString::fromUtf8(TableGoneText));
    }
}

void OnlineSession::backToLobby() {
    if (m_state != State::Creating && m_state != State::Joining)
        return;
    m_answerTimer.stop();
    dropConnections();
    setState(State::Lobby);
    if (m_dialog)
        m_dialog->setBusy(false);
    say(KeyRefusedMessage);
    // The table list shared its connection with the host channel: open it again.
    if (m_dialog) {
        m_dialog->clearTables();
        refresh();
    }
}

void OnlineSession::onSeatChanged() {
    showWhiteboard();
    if (m_state == State::Joining && m_seat && m_seat->seated()) {
        m_answerTimer.stop();
        closeDialog();
        // The list is no longer being read: the lobby reads later joins from this address in
        // the lists of those still choosing.
        closeList();
        if (m_engine.table().gamePhase == PhaseIdle && m_engine.table().dealString.empty())
            m_engine.SetupButtons(0);
        setState(State::Seated);
    }
}

// --- Chat -----------------------------------------------------------------------------------

void OnlineSession::sendChat() {
    QLineEdit* line = m_window.view()->chat();
    if (m_seat && m_seat->seated() && !line->text().isEmpty())
        m_seat->sendChat(line->text().toStdString());
    line->clear();
    showWhiteboard();
}

void OnlineSession::showWhiteboard() {
    if (!m_seat)
        return;
    const auto& lines = m_seat->whiteboard();
    QPlainTextEdit* board = m_window.view()->whiteboard();
    for (; m_whiteboardShown < lines.size(); ++m_whiteboardShown)
        board->appendPlainText(QString::fromStdString(lines[m_whiteboardShown]));
}

// --- Ending ----------------------------------------------------------------------------------

void OnlineSession::onHostGone() {
    // The seat has already put a standalone game on the table and said why.
    dropConnections();
    restoreStandalone();
    setState(State::Standalone);
    m_window.refresh();
}

void OnlineSession::onHostLost() {
    dropConnections();
    setState(State::Standalone);
    m_engine.newGame();
    restoreStandalone();
    say(online::Host::LostServerMessage);
}

void OnlineSession::endOnline() {
    // "&New Game" has put a standalone game on the table already.
    if (m_state == State::Standalone)
        return;
    closeDialog();
    dropConnections();
    m_window.unsetCursor();
    restoreStandalone();
    setState(State::Standalone);
    m_window.refresh();
}
void OnlineSession::dropConnections() {
    m_answerTimer.stop();
    // The host and the seat may be in the middle of a call that ended the table: they, the
    // host's engine and the channels go once this event is over, and nothing reaches them before.
    for (SocketChannel* channel : {m_list, m_hostChannel, m_playerChannel}) {
        if (!channel)
            continue;
        channel->disconnect(&m_window);
        channel->close();
    }
    if (m_list)
        m_list->setReceiver(nullptr);
    auto host = std::make_shared<std::unique_ptr<online::Host>>(std::move(m_host));
    auto seat = std::make_shared<std::unique_ptr<online::Seat>>(std::move(m_seat));
    auto gate = std::make_shared<std::unique_ptr<JoinGate>>(std::move(m_joinGate));
    auto engine = std::make_shared<std::unique_ptr<Engine>>(std::move(m_hostEngine));
    auto random = std::make_shared<std::unique_ptr<Random>>(std::move(m_hostRandom));
    QList<QPointer<SocketChannel>> channels{m_list, m_hostChannel, m_playerChannel};
    for (SocketChannel* channel : {m_hostChannel, m_playerChannel})
        if (channel)
            channel->setReceiver(nullptr);
    QTimer::singleShot(0, this, [host, seat, gate, engine, random, channels] {
        host->reset(); // before its engine and its channel
        seat->reset();
        gate->reset();
        engine->reset();
        random->reset();
        for (const QPointer<SocketChannel>& channel : channels)
            if (channel)
                channel->deleteLater();
    });
    m_list = m_hostChannel = m_playerChannel = nullptr;
}

} // namespace corvane::ui
