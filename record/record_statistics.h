// The figures of the record file: games played and won, the win rate by computer level and by
// partner, bids made and set by the bid and by the bidder's seat, the average points a hand,
// the longest winning run, and the win rate after each game. Read with a handful of queries,
// through a connection of the reading thread's own (the writes have theirs on the writer's).
#pragma once

#include <QString>
#include <array>
#include <map>
#include <vector>

namespace corvane::ui {

struct RecordStatistics {
    struct Tally {
        int played = 0;
        int won = 0;
        double rate() const { return played > 0 ? double(won) / played : 0.0; }
        bool operator==(const Tally&) const = default;
    };
    struct Bids {
        int made = 0;
        int set = 0;
        bool operator==(const Bids&) const = default;
    };

    Tally games;
    std::map<QString, Tally> byLevel;
    std::map<QString, Tally> byPartner;
    std::map<int, Bids> byBid;    // 20, 25, 30
    std::array<Bids, 4> bySeat{}; // the bidder's seat, 0 the player
    int hands = 0;
    double averageOurs = 0; // the points our side took a hand
    double averageTheirs = 0;
    int longestWinningRun = 0;
    std::vector<double> winRateAfterGame; // the win rate so far after each finished game

    // Reads the figures through the named connection; an empty record gives zeros.
    static RecordStatistics read(const QString& connection);
};

// Every recorded hand with its game as comma-separated values, a header line first.
bool exportRecordCsv(const QString& connection, const QString& file);

// A read-only connection on the record file for the thread that makes it; never makes the file.
class RecordReader {
public:
    explicit RecordReader(const QString& path);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    bool isOpen() const;
    const QString& connectionName() const { return m_connection; }

private:
    QString m_connection;
};

} // namespace corvane::ui
