// The lobby client's ways to a seat: opening a table and hosting it, joining a listed one with
// the server's answers, and the chat line once seated.
#include "online/lobby_client.h"
#include "online/lobby_client_parts.h"
#include "protocol/encode.h"
#include "protocol/seat_names.h"

namespace corvane::online {

using namespace corvane::protocol;

// --- Hosting ----------------------------------------------------------------------------------

bool LobbyClient::newTable(const Request& request) {
    Entry entry(*this);
    if (m_state != State::Lobby)
        return false;
    m_connector.useTypedServer();
    m_view.setBusy(true);
    setStatus(ConnectingText);
    m_userName = request.userName;
    // The table list and the host channel share one connection in turn.
    closeList();
    const CreateTable create{request.key, request.tableName, {}, request.userName};
    m_hostChannel =
        m_connector.open(Port::Host, [this, create](bool connected, const std::string&) {
            Entry entry(*this);
            if (!connected) {
                leave(Event::CouldNotReach);
                say(Said::ServerUnreachable);
                return;
            }
            CreateTable sent = create;
            sent.address = m_connector.localAddress(*m_hostChannel);
            m_hostChannel->send(encode(sent));
            setStatus(WaitingText);
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
    // What the host notices, a seat lost, reaches the chat history of every seat, its own
    // included, and takes no message of the table's; the loss of the server is said once the
    // table is standalone again.
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
        say(Said::ServerUnreachable);
        return;
    }
    m_playerChannel->send(encode(HostSeatOpen{}));
    m_engine.table().localName() = m_userName;
    m_seat->GrabASeat(0);
    m_view.closeDialog();
    // Seated: "&Deal" asks the host for the first hand.
    m_engine.SetupButtons(ButtonMode::Deal);
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
            setStatus(WaitingText);
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
    m_chosenId =
        request.row < rowCount() ? m_rows[static_cast<std::size_t>(request.row)].id : std::string();
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
        if (protocol::marksFreeSeat(name))
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
    say(Said::KeyRefused);
    readTheListAgain();
    setStatus(english(Said::KeyRefused));
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
        if (t.gamePhase == GamePhase::Idle && t.dealString.empty())
            m_engine.SetupButtons(ButtonMode::Deal);
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

} // namespace corvane::online
