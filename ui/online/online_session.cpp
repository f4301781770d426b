// The lobby client's connections as sockets and its view as the lobby dialog and the table
// window.
#include "ui/online/online_session.h"

#include "flow/engine.h"
#include "ui/online/lobby_words.h"
#include "ui/online/socket_channel.h"
#include "ui/program/game_program.h"
#include "ui/table/table_view.h"
#include "ui/table/table_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace corvane::ui {

OnlineSession::OnlineSession(Engine& engine, Scheduler& scheduler, TableWindow& window,
                             ServerAddress server, QObject* parent)
    : QObject(parent), m_engine(engine), m_window(window), m_server(std::move(server)),
      m_client(engine, scheduler, m_realTime, *this, *this) {
    m_client.setSeedSource(clockSeed);
    m_client.setLog([](const std::string& line) { qInfo("%s", line.c_str()); });
    connect(&m_window, &TableWindow::playOnlineRequested, this, &OnlineSession::playOnline);
    connect(m_window.action(QStringLiteral("mnuNew")), &QAction::triggered, this,
            &OnlineSession::endOnline);
    connect(m_window.view()->chat(), &QLineEdit::returnPressed, this, &OnlineSession::sendChat);
    // "&Play Online..." is offered between hands only.
    QAction* connectAction = m_window.action(QStringLiteral("mnuConnect"));
    if (auto* menu = qobject_cast<QMenu*>(connectAction->parent()))
        connect(menu, &QMenu::aboutToShow, this, &OnlineSession::updateConnectAction);
}

OnlineSession::~OnlineSession() = default;

void OnlineSession::updateConnectAction() {
    m_window.action(QStringLiteral("mnuConnect"))->setEnabled(m_client.mayPlayOnline());
}

void OnlineSession::newTable() {
    if (m_dialog &&
        m_client.newTable({m_dialog->userName().toStdString(), m_dialog->key().toStdString(),
                           m_dialog->tableName().toStdString()}))
        keepLobbyFields();
}

void OnlineSession::join() {
    if (m_dialog && m_client.join({m_dialog->userName().toStdString(),
                                   m_dialog->key().toStdString(),
                                   {},
                                   m_dialog->selectedRow(),
                                   m_dialog->selectedSeat()}))
        keepLobbyFields();
}

// The fields as the player went ahead with them, kept for the next time. An unticked "Remember
// key" forgets a key kept before.
void OnlineSession::keepLobbyFields() {
    const bool rememberKey = m_dialog->rememberKey();
    m_lobbyFields = {m_dialog->userName(), m_server.text(), rememberKey,
                     rememberKey ? m_dialog->key() : QString()};
    emit lobbyFieldsChosen(m_lobbyFields);
}

void OnlineSession::sendChat() {
    QLineEdit* line = m_window.view()->chat();
    m_client.sendChat(line->text().toStdString());
    line->clear();
}

// --- The connections ---------------------------------------------------------------------------

online::Channel* OnlineSession::open(Client::Port port,
                                     std::function<void(bool, const std::string&)> done) {
    auto* channel = new SocketChannel(this);
    connect(channel, &SocketChannel::activity, &m_window, &TableWindow::refresh);
    const quint16 number = port == Client::Port::List   ? m_server.listPort
                           : port == Client::Port::Host ? m_server.hostPort
                                                        : m_server.playerPort;
    channel->open(m_server.host, number, [channel, done = std::move(done)](bool connected) {
        done(connected, channel->failure().toStdString());
    });
    return channel;
}

void OnlineSession::discard(online::Channel* channel) {
    auto* socket = static_cast<SocketChannel*>(channel);
    socket->disconnect(&m_window);
    socket->close();
    socket->deleteLater(); // it may be the one whose signal is being handled
}

std::string OnlineSession::localAddress(const online::Channel& channel) {
    return static_cast<const SocketChannel&>(channel).localAddress().toStdString();
}

// The Server field may name another lobby: the next connection goes there.
bool OnlineSession::useTypedServer() {
    ServerAddress typed;
    if (!m_dialog || !ServerAddress::parse(m_dialog->server(), typed) ||
        typed.text() == m_server.text())
        return false;
    m_server = typed;
    return true;
}

// --- The dialog and the window -----------------------------------------------------------------

void OnlineSession::openDialog() {
    m_window.view()->chat()->setFocus();
    m_dialog = new LobbyDialog(m_server.text(), &m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->fill(m_lobbyFields.userName, m_lobbyFields.key, m_lobbyFields.rememberKey);
    connect(m_dialog, &LobbyDialog::refreshRequested, this, [this] { m_client.refresh(); });
    connect(m_dialog, &LobbyDialog::cancelRequested, this, [this] { m_client.cancel(); });
    connect(m_dialog, &LobbyDialog::newTableRequested, this, &OnlineSession::newTable);
    connect(m_dialog, &LobbyDialog::joinRequested, this, &OnlineSession::join);
    // Above the button window: a message meanwhile (a refused key) leaves its buttons uncovered.
    m_window.showAboveSmallWindows(m_dialog);
}

void OnlineSession::closeDialog() {
    if (!m_dialog)
        return;
    m_dialog->disconnect(this);
    m_dialog->accept();
    m_dialog->deleteLater();
    m_dialog = nullptr;
}

void OnlineSession::setBusy(bool busy) {
    if (m_dialog)
        m_dialog->setBusy(busy);
}

void OnlineSession::setStatus(const std::string& text) {
    if (m_dialog)
        m_dialog->setStatus(LobbyWords::status(text));
}

void OnlineSession::clearTables() {
    if (m_dialog)
        m_dialog->clearTables();
}

void OnlineSession::addTable(const Client::ListedTable& table) {
    if (m_dialog)
        m_dialog->addTable(table.name, table.occupants);
}

void OnlineSession::showSeats(int row, const std::array<std::string, 4>& occupants) {
    if (m_dialog)
        m_dialog->showSeats(row, occupants);
}

int OnlineSession::selectedRow() const {
    return m_dialog ? m_dialog->selectedRow() : -1;
}

int OnlineSession::selectedSeat() const {
    return m_dialog ? m_dialog->selectedSeat() : -1;
}

void OnlineSession::selectRow(int row, int seat) {
    if (m_dialog)
        m_dialog->selectRow(row, seat);
}

void OnlineSession::clearWhiteboard() {
    m_window.view()->whiteboard()->clear();
}

void OnlineSession::addWhiteboardLine(const std::string& line) {
    m_window.view()->whiteboard()->appendPlainText(LobbyWords::chatLine(line));
}

void OnlineSession::showState(State state) {
    updateConnectAction();
    m_window.setWindowTitle(state == State::Hosting ? tr("Corvane (Hosting)")
                                                    : QStringLiteral("Corvane"));
    if (state == State::Standalone)
        m_window.unsetCursor();
    emit stateChanged(state);
}

void OnlineSession::tableChanged() {
    m_window.refresh();
}

} // namespace corvane::ui
