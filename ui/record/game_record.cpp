// Follows the online session to the history that matches what the table plays.
// The protocol's field names include Qt's "slots" keyword: its headers come before any of Qt's.
// clang-format off
#include "online/seat.h"
#include "online/seat_history.h"
#include "ui/record/game_record.h"
// clang-format on

#include "flow/engine.h"
#include "ui/online/online_session.h"

namespace corvane::ui {

GameRecord::GameRecord(Engine& engine, OnlineSession& online, std::uint64_t seed, QObject* parent)
    : QObject(parent), m_engine(engine), m_online(online), m_standalone(engine.table()),
      m_standaloneTrace(seed) {
    engine.addObserver(&m_standaloneTrace);
    m_standalone.addListener(listener(Source::Standalone));
    engine.addObserver(&m_standalone);
    connect(&online, &OnlineSession::stateChanged, this, &GameRecord::follow);
}

GameRecord::~GameRecord() = default;

HistoryKeeper::Listener GameRecord::listener(Source source) {
    // Only the history in use speaks: the window's own engine also hears a seated table's moves.
    return {[this, source] {
                if (m_source == source)
                    emit changed();
            },
            [this, source](const GameHistory& game, const RecordedHand& hand) {
                if (m_source == source)
                    emit handScored(game, hand);
            },
            [this, source](const GameHistory& game) {
                if (m_source == source)
                    emit gameWon(game);
            }};
}

const GameHistory& GameRecord::history() const {
    switch (m_source) {
    case Source::Hosting:
        if (!m_hosted.empty())
            return m_hosted.back()->history();
        break;
    case Source::Seated:
        if (m_seated)
            return m_seated->history();
        break;
    case Source::Standalone:
        break;
    }
    return m_standalone.history();
}

int GameRecord::backDesign() const {
    // The person's own table holds the options in every way of playing.
    return m_engine.table().backDesign;
}

const Table* GameRecord::tableInPlay() const {
    switch (m_source) {
    case Source::Standalone:
        return &m_engine.table();
    case Source::Hosting:
        return m_online.hostEngine() ? &m_online.hostEngine()->table() : nullptr;
    case Source::Seated:
        break;
    }
    return nullptr;
}

const GameTrace* GameRecord::trace() const {
    switch (m_source) {
    case Source::Standalone:
        return &m_standaloneTrace;
    case Source::Hosting:
        return m_hostedTraces.empty() ? nullptr : m_hostedTraces.back().get();
    case Source::Seated:
        break;
    }
    return nullptr;
}

void GameRecord::follow() {
    using State = OnlineSession::State;
    const State state = m_online.state();
    // Each table created or joined starts a history of its own; the engine or seat is new then,
    // whatever address it happens to have.
    if (state == State::Creating && m_online.hostEngine()) {
        Engine* host = m_online.hostEngine();
        auto recorder = std::make_unique<HistoryRecorder>(host->table());
        recorder->addListener(listener(Source::Hosting));
        host->addObserver(recorder.get());
        m_hosted.push_back(std::move(recorder));
        auto trace = std::make_unique<GameTrace>(0);
        host->addObserver(trace.get());
        m_hostedTraces.push_back(std::move(trace));
    } else if (state == State::Joining && m_online.seat()) {
        m_seated = std::make_unique<online::SeatHistory>(m_engine.table());
        m_seated->addListener(listener(Source::Seated));
        online::SeatHistory* history = m_seated.get();
        m_online.seat()->setMessageHandler(
            [history](const protocol::PlayerDownMessage& m) { history->take(m); });
    }
    Source source = Source::Standalone;
    if (state == State::Creating || state == State::Hosting)
        source = Source::Hosting;
    else if (state == State::Joining || state == State::Seated)
        source = Source::Seated;
    if (source != m_source) {
        m_source = source;
        emit changed();
    }
}

} // namespace corvane::ui
