// The way from a standalone table to a seat at an online one, and back: the table list with
// its row budget, opening a table and hosting it (the host on its host channel, seated at its
// own table on a player channel), joining a listed table behind the join gate, the server's
// answers and their time limits, and every way out to the standalone table. It is written
// against channels, a scheduler and two small interfaces (the connections, the lobby dialog),
// so the program adapts it to sockets and widgets and the tests to memory and a virtual clock.
#pragma once

#include "flow/scheduler.h"
#include "online/channel.h"
#include "online/time_limit.h"
#include "table/saying.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {
class Engine;
class Random;
} // namespace corvane

namespace corvane::online {

class Host;
class Seat;

class LobbyClient {
public:
    // What the client is doing; the lobby dialog is open from ConnectingList to Joining.
    enum class State { Standalone, ConnectingList, Lobby, Creating, Hosting, Joining, Seated };

    // What moves it from one state to the next.
    enum class Event {
        PlayOnline,    // the menu command, between hands
        ListOpened,    // the table-list connection is up: "Q" goes out
        ListFailed,    // it could not be made; the dialog says why
        Refresh,       // "Q" again on the open list connection
        Reconnect,     // Refresh with the list connection gone or another server typed, also
                       // while the last server typed is still being connected to
        NewTable,      // "H" goes out once the host channel is up
        Join,          // "L" goes out once the player channel is up
        CouldNotReach, // the host channel or the host's own seat could not be connected
        JoinNotReached,
        Hosted,    // "H" answered and the host's own seat opened
        Seated,    // "Y": the chosen seat is taken
        SeatTaken, // four "P" without "Y": someone else was quicker
        TableGone, // the player channel closed before "Y"
        KeyRefused,
        NoAnswer, // nothing within AnswerTimeoutMs of "H" or "L"
        Cancel,
        HostGone,   // "K" or the loss of the player channel, once seated
        ServerLost, // the host channel closed while hosting
        NewGame,
    };

    struct Transition {
        State from;
        Event event;
        State to;
    };
    // Every move the client makes; an event not listed for the current state is ignored.
    // ListFailed leaves the dialog open with the reason; KeyRefused, NoAnswer after "H", and
    // TableGone with the list closed, read the list again (through ConnectingList).
    static constexpr std::array Transitions{
        Transition{State::Standalone, Event::PlayOnline, State::ConnectingList},
        Transition{State::ConnectingList, Event::ListOpened, State::Lobby},
        Transition{State::ConnectingList, Event::ListFailed, State::Lobby},
        Transition{State::ConnectingList, Event::Reconnect, State::ConnectingList},
        Transition{State::ConnectingList, Event::Cancel, State::Standalone},
        Transition{State::ConnectingList, Event::NewGame, State::Standalone},
        Transition{State::Lobby, Event::Refresh, State::Lobby},
        Transition{State::Lobby, Event::Reconnect, State::ConnectingList},
        Transition{State::Lobby, Event::NewTable, State::Creating},
        Transition{State::Lobby, Event::Join, State::Joining},
        Transition{State::Lobby, Event::Cancel, State::Standalone},
        Transition{State::Lobby, Event::NewGame, State::Standalone},
        Transition{State::Creating, Event::Hosted, State::Hosting},
        Transition{State::Creating, Event::CouldNotReach, State::Standalone},
        Transition{State::Creating, Event::KeyRefused, State::Lobby},
        Transition{State::Creating, Event::NoAnswer, State::Lobby},
        Transition{State::Creating, Event::ServerLost, State::Standalone},
        Transition{State::Creating, Event::Cancel, State::Standalone},
        Transition{State::Creating, Event::NewGame, State::Standalone},
        Transition{State::Hosting, Event::ServerLost, State::Standalone},
        Transition{State::Hosting, Event::HostGone, State::Standalone},
        Transition{State::Hosting, Event::NewGame, State::Standalone},
        Transition{State::Joining, Event::Seated, State::Seated},
        Transition{State::Joining, Event::JoinNotReached, State::Lobby},
        Transition{State::Joining, Event::SeatTaken, State::Lobby},
        Transition{State::Joining, Event::TableGone, State::Lobby},
        Transition{State::Joining, Event::KeyRefused, State::Lobby},
        Transition{State::Joining, Event::NoAnswer, State::Lobby},
        Transition{State::Joining, Event::Cancel, State::Standalone},
        Transition{State::Joining, Event::NewGame, State::Standalone},
        Transition{State::Seated, Event::HostGone, State::Standalone},
        Transition{State::Seated, Event::NewGame, State::Standalone},
    };
    // The state `event` leads to from `from`, or nothing when it is ignored there.
    static std::optional<State> next(State from, Event event);

    // The lobby's three ports.
    enum class Port { List, Host, Player };

    // Opens and frees the connections. A channel handed out stays the connector's; after
    // discard() it is closed, calls nothing, and is freed once nothing of it is running.
    class Connector {
    public:
        virtual ~Connector() = default;
        // Opens a new connection. `done` is called once, never from within open(): true when
        // connected, or false with the reason in the person's words. It is not called after
        // discard().
        virtual Channel* open(Port port, std::function<void(bool, const std::string&)> done) = 0;
        virtual void discard(Channel* channel) = 0;
        // This machine's address on that connection, as "H" carries it.
        virtual std::string localAddress(const Channel& channel) = 0;
        // Takes up the server the person has typed in the dialog; true when it is another one.
        virtual bool useTypedServer() = 0;
    };

    // One table of the list as the server sent it.
    struct ListedTable {
        std::string name;
        std::string id;
        std::array<std::string, 4> occupants;
    };

    // The lobby dialog and the table window, as the client drives them.
    class View {
    public:
        virtual ~View() = default;
        virtual void openDialog() = 0;
        virtual void closeDialog() = 0;
        virtual void setBusy(bool busy) = 0;
        virtual void setStatus(const std::string& text) = 0;
        virtual void clearTables() = 0;
        virtual void addTable(const ListedTable& table) = 0;
        // A join refused for a taken seat: that row's seats as the server has just told them.
        virtual void showSeats(int row, const std::array<std::string, 4>& occupants) = 0;
        // The row and the seat the person has chosen (-1: none), and choosing them again once
        // the list has been read anew: row -1 when the chosen table is no longer listed, so
        // none is; seat -1 for the lowest free seat, as a click on the row chooses.
        virtual int selectedRow() const = 0;
        virtual int selectedSeat() const = 0;
        virtual void selectRow(int row, int seat) = 0;
        virtual void clearWhiteboard() = 0;
        virtual void addWhiteboardLine(const std::string& line) = 0;
        // The state changed, or the table did: the window shows it.
        virtual void showState(State state) = 0;
        virtual void tableChanged() = 0;
    };

    // What the person typed for a new table or a join.
    struct Request {
        std::string userName;
        std::string key;
        std::string tableName; // New Table only
        int row = -1;          // Join only
        int seat = -1;
    };

    // `table` is the engine the window shows; a hosted game runs on an engine of its own on
    // `game`, the table's scheduler. The time limits run on `clock`, which keeps real time in the
    // program even when the game's pauses are scaled.
    LobbyClient(Engine& table, Scheduler& game, Scheduler& clock, Connector& connector, View& view);
    ~LobbyClient();
    LobbyClient(const LobbyClient&) = delete;
    LobbyClient& operator=(const LobbyClient&) = delete;

    // The seed of each hosted game's shuffle.
    void setSeedSource(std::function<std::uint64_t()> seed) { m_seed = std::move(seed); }
    void setLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

    // What the person does.
    void playOnline();
    void refresh();
    void cancel();
    // True when the request went ahead (the fields are then worth keeping).
    bool newTable(const Request& request);
    bool join(const Request& request);
    void sendChat(const std::string& text);
    // "&New Game" has put a standalone game on the table: every connection closes.
    void endOnline();

    State state() const { return m_state; }
    // Whether Play Online may start now: standalone, between hands.
    bool mayPlayOnline() const;
    Host* host() const { return m_host.get(); }
    Engine* hostEngine() const { return m_hostEngine.get(); }
    Seat* seat() const { return m_seat.get(); }
    const std::string& status() const { return m_status; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }

    // The list holds 21 tables; the rows are numbered 0-20 on the wire.
    static constexpr int MaxTables = 21;
    // The lobby dialog's status line.
    static constexpr const char* ConnectingText = "Connecting...";
    static constexpr const char* WaitingText = "Waiting for the server to answer...";
    static constexpr const char* SeatTakenText = "That seat has just been taken. Choose another.";
    static constexpr const char* TableGoneText = "That table has just closed. Choose another.";
    static constexpr const char* NoTablesText = "No tables are waiting for players.";
    static constexpr const char* SilentText = "The server did not answer.";
    static constexpr const char* BrokenListText =
        "The server sent something this program cannot read.";
    // How long the server may take to answer "H", "L" or "Q" (a lobby with no table waiting
    // answers "Q" with "U"), and by when the rows of a list have come.
    static constexpr int AnswerTimeoutMs = 10000;
    static constexpr int NoTablesAfterMs = 2000;
    // While the dialog is open the list is read again this often, well within the lobby's list
    // rate (a burst of 20, then 10 a second). The lobby closes a connection that only lists
    // after 30 seconds; the next reading opens a new one.
    static constexpr int RefreshEveryMs = 5000;

private:
    class Entry;
    struct Retired;
    class Forward;
    class ListReader;
    class JoinGate;

    bool allows(Event event) const;
    void move(Event event);
    void say(const Saying& text);
    void setStatus(const std::string& text);
    void clearTables();

    void connectList(Event event);
    void askForList();
    void readTheList();
    void readTheListAgain();
    void listedTable(const ListedTable& table);
    void listEmpty();
    void rowsSettled();
    void listSilent();
    void listBroken(const std::string& why);
    void listKeyRefused();
    void answerEnded();
    void refreshQuietly();
    void rememberChoice();
    void chooseAgain(const ListedTable& table);
    void closeList();

    void tableCreated();
    void sitAtOwnTable(bool connected);
    void seatChanged();
    void joinRefusedSeatTaken();
    void joinClosed();
    void keyRefused();
    void noAnswer();
    void hostGone();
    void serverLost();
    void backToChoosing(Event event, const std::string& why);

    void leave(Event event);
    void restoreStandalone();
    void showWhiteboard();
    void dropConnections();
    void dropPlayerChannel();
    void buryRetired();

    Engine& m_engine;
    Scheduler& m_game;
    Connector& m_connector;
    View& m_view;
    State m_state = State::Standalone;
    std::function<std::uint64_t()> m_seed;
    std::function<void(const std::string&)> m_log;
    std::string m_status;

    // The table list: its connection, its reader, the rows listed since it was last emptied
    // (two answers in flight must not list a table twice).
    Channel* m_list = nullptr;
    std::unique_ptr<ListReader> m_listReader;
    std::vector<ListedTable> m_rows;
    std::set<std::string> m_listedIds;
    TimeLimit m_noTables;
    TimeLimit m_keepFresh;
    // What has come of the last "Q": nothing yet, rows, or "U" for none.
    enum class ListAnswer { None, Awaited, Rows, Empty } m_listAnswer = ListAnswer::None;
    // A reading of the list by itself: its first row replaces the rows shown, so the list does
    // not go blank while the answer is on its way.
    bool m_freshAnswer = false;
    // The table and seat the person had chosen, to choose them again in the new list.
    std::string m_chosenId;
    int m_chosenSeat = -1;

    // Hosting: the host's channel, engine and host; its own seat on a player channel.
    Channel* m_hostChannel = nullptr;
    std::unique_ptr<Forward> m_hostForward;
    std::unique_ptr<Random> m_hostRandom;
    std::unique_ptr<Engine> m_hostEngine;
    std::unique_ptr<Host> m_host;
    // Joining or seated (the host's own seat too).
    Channel* m_playerChannel = nullptr;
    std::unique_ptr<JoinGate> m_joinGate;
    std::unique_ptr<Seat> m_seat;
    std::string m_userName;
    int m_joinRow = -1;
    std::size_t m_whiteboardShown = 0;
    TimeLimit m_answer;

    // What online play changes on the standalone table, put back when it ends.
    struct Standalone {
        std::string name;
        int speedDelay = 300;
        bool anyBidAllowed = true;
    } m_standalone;

    // What teardown has taken off the table but what may still be running below the current
    // call: freed when the outermost call into the client returns.
    int m_depth = 0;
    std::vector<std::unique_ptr<Retired>> m_retired;
};

} // namespace corvane::online
