// The last trick gathered, shown again over the table: its four cards where they lay, in the
// order they were played, the winner's card ringed. It only draws; the play goes on beneath it
// untouched, and it takes no click.
#pragma once

#include "flow/game_history.h"

#include <QWidget>

namespace corvane::ui {

class TableView;

class LastTrickView final : public QWidget {
    Q_OBJECT
public:
    explicit LastTrickView(TableView* table);

    // Shows `trick` until hidden; nothing when there is no trick.
    void showTrick(const RecordedTrick& trick);
    const RecordedTrick& trick() const { return m_trick; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TableView* m_table;
    RecordedTrick m_trick;
};

} // namespace corvane::ui
