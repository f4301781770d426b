// The little card table drawn inside the lobby dialog's "Card Table" frame: green baize in a
// wooden rail, seen from above, with a squared pack in the middle. The seat buttons sit on it.
#pragma once

#include <QWidget>

namespace corvane::ui {

class LobbyCardTable : public QWidget {
public:
    explicit LobbyCardTable(QWidget* parent = nullptr);

    // The colour of the occupants' names on the baize, and of a seat a person holds.
    static QColor seatText();
    static QColor heldSeatText();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane::ui
