// The game's record as the program keeps it: the history of the standalone table, of a table
// this program hosts (from the host's engine) or of a seat at another's table (from the seat's
// messages), whichever is being played, with a signal as it changes and as hands are scored.
#pragma once

#include "flow/history_recorder.h"
#include "record/game_trace.h"

#include <QObject>
#include <memory>
#include <vector>

namespace corvane {
class Engine;
namespace online {
class SeatHistory;
}
} // namespace corvane

namespace corvane::ui {

class OnlineSession;

class GameRecord final : public QObject {
    Q_OBJECT
public:
    // What the record follows now.
    enum class Source { Standalone, Hosting, Seated };

    // `seed` is the program's, for the game record file.
    GameRecord(Engine& engine, OnlineSession& online, std::uint64_t seed = 0,
               QObject* parent = nullptr);
    ~GameRecord() override;

    Source source() const { return m_source; }
    const GameHistory& history() const;
    // Whether the table plays online (hosted or seated) for what the record says of a game.
    bool online() const { return m_source != Source::Standalone; }
    // The table whose game is recorded, when this program runs it (standalone or hosting).
    const Table* tableInPlay() const;
    // The card back the person chose, for the record's pictures of cards not seen.
    int backDesign() const;
    // The game so far as trace lines, when this program runs it; null at another's table.
    const GameTrace* trace() const;

signals:
    void changed();
    void handScored(const corvane::GameHistory& game, const corvane::RecordedHand& hand);
    void gameWon(const corvane::GameHistory& game);

private:
    void follow();
    HistoryKeeper::Listener listener(Source source);

    Engine& m_engine;
    OnlineSession& m_online;
    Source m_source = Source::Standalone;
    HistoryRecorder m_standalone;
    GameTrace m_standaloneTrace;
    std::vector<std::unique_ptr<GameTrace>> m_hostedTraces;
    // A host's engine may outlive the hosting by a moment (it is deleted once its event is
    // over), so each recorder it was given stays until the program ends.
    std::vector<std::unique_ptr<HistoryRecorder>> m_hosted;
    std::unique_ptr<online::SeatHistory> m_seated;
};

} // namespace corvane::ui
