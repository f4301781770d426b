// Playing without the mouse. Left and Right (or 1-5) pick a card of the player's hand, and Left and
// Right also the kitty's when the player may throw kitty cards away, shown by a focus mark on it;
// Enter or Space plays the picked card, or marks it for the discard, through the same path as a
// click. D deals and A auto-discards; in the bid dialog P passes and 2, 5 and 3 bid 20, 25 and 30;
// in the trump dialog S, D, C and H name the suit. Each key presses the button it stands for, so it
// is refused or taken exactly as that button's click would be; that key is the letter underlined on
// the button.
//
// On a message, Enter, Space or Escape goes on, wherever the focus is.
//
// The picked card holds the keyboard's focus, so that a screen reader reads it; when it leaves
// the hand the pick moves to its neighbour, and with no card left to pick the table holds it.
//
// Keys typed into a text field stay there, and Enter or Space on a focused button presses that
// button, as everywhere on the desktop.
#pragma once

#include "cards/card.h"

#include <QObject>

class QKeyEvent;

namespace corvane {
struct Table;
}

namespace corvane::ui {

class TableWindow;

class KeyboardPlay final : public QObject {
    Q_OBJECT
public:
    explicit KeyboardPlay(TableWindow& window);

    // The picked card of the hand (picture 0-4), or -1.
    int picked() const { return m_picked; }
    // Moves the pick on when its card has left the hand.
    void showTable(const Table& table);
    // The table window takes the focus back (its small windows have gone): onto the pick, or
    // the table.
    void takeFocus();

signals:
    // Enter or Space on a picked card.
    void cardChosen(int picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QObject* receiver, const QKeyEvent& key);
    bool pressButtonFor(int key);
    bool goOnFromMessage();
    void pick(int picture);
    void dropPick();
    void step(int direction);
    bool selectable(int picture) const;

    TableWindow& m_window;
    int m_picked = -1;
    Card m_pickedCard; // the card the pick was made on
};

} // namespace corvane::ui
