// The menu items and the windows they open.
#include "ui/record/record_windows.h"

#include "ui/record/game_record.h"
#include "ui/record/hand_history_window.h"
#include "ui/record/record_dialogs.h"
#include "ui/record/record_keeping.h"
#include "ui/record/record_menu.h"
#include "ui/record/statistics_window.h"
#include "ui/table/dialog_placement.h"
#include "ui/table/table_window.h"

#include <QAction>

namespace corvane::ui {

RecordWindows::RecordWindows(TableWindow& window, GameRecord& record, RecordKeeping& keeping)
    : m_window(window), m_record(record), m_keeping(keeping) {
    QAction* history = addRecordItem(window, "mnuHandHistory", tr("Hand &History"));
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(history, &QAction::triggered, this, &RecordWindows::openHistory);
    QAction* statistics = addRecordItem(window, "mnuStatistics", tr("&Statistics"));
    connect(statistics, &QAction::triggered, this, &RecordWindows::openStatistics);
    m_save = addRecordItem(window, "mnuSaveGameRecord", tr("Save Game &Record..."));
    connect(m_save, &QAction::triggered, this, &RecordWindows::saveGameRecord);
    // At another's table the game's deal is not this program's to write.
    connect(&record, &GameRecord::changed, this,
            [this] { m_save->setEnabled(m_record.trace() != nullptr); });
}

HandHistoryWindow* RecordWindows::history() const {
    return m_history;
}

StatisticsWindow* RecordWindows::statistics() const {
    return m_statistics;
}

HandHistoryWindow* RecordWindows::openHistory() {
    if (!m_history) {
        m_history = new HandHistoryWindow(m_record, &m_window);
        m_history->setAttribute(Qt::WA_DeleteOnClose);
        keepOnScreen(m_history);
    }
    m_history->show();
    keepOnScreen(m_history); // centred over a table near the screen's edge, it may stand off it
    m_history->raise();
    return m_history;
}

StatisticsWindow* RecordWindows::openStatistics() {
    if (!m_statistics) {
        m_statistics = new StatisticsWindow(m_keeping.writer(), m_keeping.path(),
                                            m_keeping.enabled(), &m_window);
        m_statistics->setAttribute(Qt::WA_DeleteOnClose);
        keepOnScreen(m_statistics);
    }
    m_statistics->show();
    keepOnScreen(m_statistics);
    m_statistics->raise();
    return m_statistics;
}

bool RecordWindows::saveGameRecordTo(const QString& file) {
    const GameTrace* trace = m_record.trace();
    // At a hosted table the host's person is one player among others: no hand is written
    // before it is over.
    const auto lines = m_record.source() == GameRecord::Source::Hosting
                           ? GameTrace::Lines::FinishedHands
                           : GameTrace::Lines::All;
    return trace && trace->save(file, lines, m_keeping.gameNumber());
}

void RecordWindows::saveGameRecord() {
    if (!m_record.trace())
        return;
    askWhereToSave(&m_window, tr("Save Game Record"), QStringLiteral("corvane-game.jsonl"),
                   tr("Game records (*.jsonl)"), [this](const QString& file) {
                       if (!saveGameRecordTo(file))
                           tellNotWritten(&m_window, file);
                   });
}

} // namespace corvane::ui
