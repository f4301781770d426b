// Online play from the table window: the table-list connection and the lobby dialog, creating a
// table and hosting it (the host over its host channel, seated at its own table over a player
// channel), joining a listed table, the chat line, and the way back to standalone play.
#pragma once

#include "ui/lobby_dialog.h"
#include "ui/preferences.h"
#include "ui/server_address.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <set>
#include <string>

namespace corvane {
class Engine;
class Random;
class Scheduler;
namespace online {
class Host;
class Seat;
} // namespace online
} // namespace corvane

namespace corvane::ui {

class SocketChannel;
class TableWindow;

class OnlineSession final : public QObject {
    Q_OBJECT
public:
    enum class State { Standalone, ConnectingList, Lobby, Creating, Hosting, Joining, Seated };

    // `engine` is the table the window shows; a hosted game runs on an engine of its own on the
    // same scheduler, and the window shows the host's own seat like any other.
    OnlineSession(Engine& engine, Scheduler& scheduler, TableWindow& window, ServerAddress server,
                  QObject* parent = nullptr);
    ~OnlineSession() override;

    // "&Play Online...": connects to the table list, then opens the lobby dialog.
    void playOnline();
    // A new game: every connection closes and the table is standalone again.
    void endOnline();

    State state() const { return m_state; }
    LobbyDialog* lobbyDialog() const { return m_dialog; }
    online::Host* host() const { return m_host.get(); }
    Engine* hostEngine() const { return m_hostEngine.get(); }
    online::Seat* seat() const { return m_seat.get(); }
    const ServerAddress& server() const { return m_server; }
    // What the lobby dialog opens with: the name and key the player used last time.
    void setLobbyFields(const LobbyPreferences& fields) { m_lobbyFields = fields; }
    const LobbyPreferences& lobbyFields() const { return m_lobbyFields; }

    static constexpr const char* CouldNotConnect = "Could not connect to Corvane Server.";
    static constexpr const char* KeyRefusedMessage = "The Corvane Server refused that key.";
    // The lobby dialog's status line.
    static constexpr const char* ConnectingText = "Connecting...";
    static constexpr const char* SeatTakenText = "That seat has just been taken. Choose another.";
    static constexpr const char* TableGoneText = "That table has just closed. Choose another.";
    static constexpr const char* NoTablesText = "No tables are waiting for players.";
    // How long the server may take to answer "H" or "L", and to send the first table rows.
    static constexpr int AnswerTimeoutMs = 10000;
    static constexpr int NoTablesAfterMs = 2000;
    static constexpr const char* BrokenListText =
        "The server sent something this program cannot read.";

signals:
    void stateChanged(State state);
    // The player has gone ahead with New Table or Join: the fields to keep for the next time
    // (the key only when "Remember key" is ticked).
    void lobbyFieldsChosen(const corvane::ui::LobbyPreferences& fields);

private:
    class ListReader;
    class JoinGate;
    void setState(State state);
    void updateConnectAction();
    void say(const std::string& text);
    void openLobby();
    void connectList();
    void askForList();
    void onListBroken(const std::string& why);
    void leaveOnline();
    void restoreStandalone();
    void dropPlayerChannel();
    void backToChoosing(const QString& why);
    void onJoinRefused();
    void onJoinClosed();
    void onNoAnswer();
    void onListedTable(const std::string& name, const std::string& id,
                       const std::array<std::string, 4>& occupants);
    void onKeyRefused();
    void refresh();
    void cancel();
    void newTable();
    void join();
    void onTableCreated();
    void sitAtOwnTable(bool connected);
    void onSeatChanged();
    void backToLobby(); // a refused key: the dialog stays open for another try
    void onHostGone();
    void onHostLost();
    void sendChat();
    void showWhiteboard();
    void closeDialog();
    void closeList();
    void dropConnections(); // destroys the channels and their users once the current event is over
    bool useServerField();
    void keepLobbyFields();

    Engine& m_engine;
    Scheduler& m_scheduler;
    TableWindow& m_window;
    ServerAddress m_server;
    State m_state = State::Standalone;
    QPointer<LobbyDialog> m_dialog;
    std::unique_ptr<ListReader> m_listReader;
    SocketChannel* m_list = nullptr;
    SocketChannel* m_hostChannel = nullptr;
    SocketChannel* m_playerChannel = nullptr;
    std::unique_ptr<Random> m_hostRandom;
    std::unique_ptr<Engine> m_hostEngine;
    std::unique_ptr<online::Host> m_host;
    std::unique_ptr<online::Seat> m_seat;
    std::unique_ptr<JoinGate> m_joinGate;
    QString m_userName;
    LobbyPreferences m_lobbyFields;
    std::size_t m_whiteboardShown = 0;
    // The tables listed since the list was last emptied: two answers in flight (a Refresh while
    // the last list still arrives) must not list a table twice.
    std::set<std::string> m_listedIds;
    // The row of the table being joined, for the seat names of a refusal.
    int m_joinRow = -1;
    // Started when "H" or "L" is sent; a server that stays silent returns the dialog to choosing.
    QTimer m_answerTimer;
    // What online play changes on the standalone table, put back when it ends.
    struct Standalone {
        std::string name;
        int speedDelay = 300;
        bool anyBidAllowed = true;
    } m_standalone;
};

} // namespace corvane::ui
