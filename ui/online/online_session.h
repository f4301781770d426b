// ui/online: online play in the window: the lobby dialog and the connections under it.
// Online play from the table window: the lobby client adapted to Qt. It opens its connections as
// sockets, keeps its time limits on a clock of real time, and shows what it says in the lobby
// dialog and the table window; it decides nothing itself.
#pragma once

#include "online/lobby_client.h"
#include "ui/online/lobby_dialog.h"
#include "ui/online/server_address.h"
#include "ui/program/preferences.h"
#include "ui/program/qt_scheduler.h"

#include <QObject>
#include <QPointer>

namespace corvane {
class Engine;
class Scheduler;
} // namespace corvane

namespace corvane::ui {

class TableWindow;

class OnlineSession final : public QObject,
                            private online::LobbyClient::Connector,
                            private online::LobbyClient::View {
    Q_OBJECT
public:
    using State = online::LobbyClient::State;
    using Client = online::LobbyClient;

    // `engine` is the table the window shows; a hosted game runs on an engine of its own on the
    // same scheduler, and the window shows the host's own seat like any other.
    OnlineSession(Engine& engine, Scheduler& scheduler, TableWindow& window, ServerAddress server,
                  QObject* parent = nullptr);
    ~OnlineSession() override;

    // "&Play Online...": connects to the table list, then opens the lobby dialog.
    void playOnline() { m_client.playOnline(); }
    // A new game: every connection closes and the table is standalone again.
    void endOnline() { m_client.endOnline(); }

    State state() const { return m_client.state(); }
    LobbyDialog* lobbyDialog() const { return m_dialog; }
    online::Host* host() const { return m_client.host(); }
    Engine* hostEngine() const { return m_client.hostEngine(); }
    online::Seat* seat() const { return m_client.seat(); }
    const ServerAddress& server() const { return m_server; }
    // What the lobby dialog opens with: the name and key the player used last time.
    void setLobbyFields(const LobbyPreferences& fields) { m_lobbyFields = fields; }
    const LobbyPreferences& lobbyFields() const { return m_lobbyFields; }

    static constexpr const char* ConnectingText = Client::ConnectingText;
    static constexpr const char* SeatTakenText = Client::SeatTakenText;
    static constexpr const char* TableGoneText = Client::TableGoneText;
    static constexpr const char* NoTablesText = Client::NoTablesText;
    static constexpr const char* BrokenListText = Client::BrokenListText;
    static constexpr int AnswerTimeoutMs = Client::AnswerTimeoutMs;
    static constexpr int NoTablesAfterMs = Client::NoTablesAfterMs;

signals:
    void stateChanged(corvane::ui::OnlineSession::State state);
    // The player has gone ahead with New Table or Join: the fields to keep for the next time
    // (the key only when "Remember key" is ticked).
    void lobbyFieldsChosen(const corvane::ui::LobbyPreferences& fields);

private:
    void newTable();
    void join();
    void sendChat();
    void keepLobbyFields();
    void updateConnectAction();

    // Connector
    online::Channel* open(Client::Port port,
                          std::function<void(bool, const std::string&)> done) override;
    void discard(online::Channel* channel) override;
    std::string localAddress(const online::Channel& channel) override;
    bool useTypedServer() override;

    // View
    void openDialog() override;
    void closeDialog() override;
    void setBusy(bool busy) override;
    void setStatus(const std::string& text) override;
    void clearTables() override;
    void addTable(const Client::ListedTable& table) override;
    void showSeats(int row, const std::array<std::string, 4>& occupants) override;
    int selectedRow() const override;
    int selectedSeat() const override;
    void selectRow(int row, int seat) override;
    void clearWhiteboard() override;
    void addWhiteboardLine(const std::string& line) override;
    void showState(State state) override;
    void tableChanged() override;

    Engine& m_engine;
    TableWindow& m_window;
    ServerAddress m_server;
    LobbyPreferences m_lobbyFields;
    QPointer<LobbyDialog> m_dialog;
    // The server's time limits are real seconds, whatever pace the game's clock keeps.
    QtScheduler m_realTime;
    Client m_client;
};

} // namespace corvane::ui
