// ui/record: the windows that show the record of play, and the keeping of it from the table.
// The record's windows on the Game menu: "Hand History" and "Statistics", each made when it is
// opened and gone when it is closed, one of each at a time.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;

namespace corvane::ui {

class GameRecord;
class HandHistoryWindow;
class RecordKeeping;
class StatisticsWindow;
class TableWindow;

class RecordWindows final : public QObject {
    Q_OBJECT
public:
    RecordWindows(TableWindow& window, GameRecord& record, RecordKeeping& keeping);

    HandHistoryWindow* openHistory();
    StatisticsWindow* openStatistics();
    // Game, Save Game Record: asks where, then writes the game so far.
    void saveGameRecord();
    bool saveGameRecordTo(const QString& file);
    QAction* saveAction() const { return m_save; }
    HandHistoryWindow* history() const;
    StatisticsWindow* statistics() const;

private:
    TableWindow& m_window;
    GameRecord& m_record;
    RecordKeeping& m_keeping;
    QPointer<HandHistoryWindow> m_history;
    QPointer<StatisticsWindow> m_statistics;
    QAction* m_save = nullptr;
};

} // namespace corvane::ui
