// The record's windows on the Game menu, each made when it is opened and gone when it is closed,
// one of each at a time.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;

namespace corvane::ui {

class GameRecord;
class HandHistoryWindow;
class RecordKeeping;
class TableWindow;

class RecordWindows final : public QObject {
    Q_OBJECT
public:
    RecordWindows(TableWindow& window, GameRecord& record, RecordKeeping& keeping);

    HandHistoryWindow* openHistory();
    HandHistoryWindow* history() const;

private:
    TableWindow& m_window;
    GameRecord& m_record;
    RecordKeeping& m_keeping;
    QPointer<HandHistoryWindow> m_history;
};

} // namespace corvane::ui
