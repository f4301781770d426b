// record: the record of play across runs, below the window (Qt Core and Qt SQL, no widgets).
// The record of play kept across runs: every finished hand and game in an SQLite file through
// Qt SQL. The schema carries its version and is brought forward on opening; each hand is one
// transaction, so a program killed mid-write loses at most the hand being written; two programs
// share the file through SQLite's locking with a busy time-out. A file that cannot be read is
// put aside (never deleted) and a new one started; a file that cannot be written stops the
// recording for the run. Either way the store says so once and the game plays on.
#pragma once

#include "flow/game_history.h"

#include <QSqlError>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace corvane::ui {

// One game as the record keeps it.
struct RecordedGameInfo {
    QString mode;  // "standalone", "hosting" or "seated"
    QString level; // the computer players' level: "Standard" or "Expert"
    std::array<QString, 4> names;
    std::array<QString, 4> kinds; // "person" or "computer"
    QString started;              // the first deal's time (ISO, UTC); empty: the first hand's end
};

class RecordStore {
public:
    enum class State { Closed, Open, Failed };

    struct Options {
        QString path;
        int busyTimeoutMs = 5000;
        int maxPages = 0; // a cap on the file's size in pages; 0 for none
    };

    static constexpr int SchemaVersion = 3;
    static constexpr const char* FileName = "record.sqlite";
    // The file in the platform's data folder (QStandardPaths::AppDataLocation).
    static QString defaultPath();

    explicit RecordStore(Options options);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Opens the file, making it or bringing its schema forward. False (and one message) when
    // it cannot be used.
    bool open();
    State state() const { return m_state; }
    const QString& path() const { return m_options.path; }
    // The one message of a failure, for the player.
    void setTroubleHandler(std::function<void(const QString&)> handler) {
        m_onTrouble = std::move(handler);
    }

    // A scored hand of the game under way; the first hand of a game opens its row. A hand that
    // meets a lock held past the time-out is kept and written with the next one.
    void recordHand(const RecordedGameInfo& game, const RecordedHand& hand);
    // The game under way was won by `winner` (partnership 0 is the player's).
    void recordGameWon(int winner, std::array<int, 2> scores);
    // The next hand starts a new game.
    void startNewGame() { m_gameOpening = true; }

    // Removes every game and hand.
    bool clear();
    int handCount();
    int gameCount();
    // The number the file gives the game in play: the game last written when the game in play
    // `continues` it, else the number its first hand will get. 0 while the file is not open.
    qint64 gameNumber(bool continues);
    int pendingHands() const { return static_cast<int>(m_pending.size()); }
    // Tries once more the writes a lock held back, as the record closes.
    bool retryPending() { return writePending(); }
    // The connection's name, for the queries of the statistics.
    QString connectionName() const { return m_connection; }

    static constexpr const char* DamagedMessage =
        "The game record could not be read. It was put aside as %1 and a new one begun.";
    static constexpr const char* UnwritableMessage =
        "The game record %1 cannot be written (%2). Games are not being recorded.";

private:
    // A write not yet made: a hand (the first of its game opens the game's row), or a game won.
    struct Pending {
        RecordedGameInfo game;
        RecordedHand hand;
        bool newGame = false;
        std::optional<int> winner;
        std::array<int, 2> scores{};
    };
    bool openFile();
    bool prepareSchema();
    bool migrate(int from);
    bool writePending();
    bool write(const Pending& pending, QSqlError& error);
    // Moves the file (and its journal) aside; returns where it went.
    QString putAside();
    bool beginAgain();
    void trouble(const QString& text);
    void closeConnection();

    Options m_options;
    QString m_connection;
    State m_state = State::Closed;
    std::optional<qint64> m_gameId;
    bool m_gameOpening = true; // the next hand begins a game
    QString m_error;           // why the file could not be opened, for the message
    bool m_damaged = false;    // ... because it is no sound database
    std::vector<Pending> m_pending;
    std::function<void(const QString&)> m_onTrouble;
};

} // namespace corvane::ui
