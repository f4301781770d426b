#include "ui/keyboard_play.h"

#include "table/table.h"
#include "ui/bid_dialog.h"
#include "ui/button_window.h"
#include "ui/table_view.h"
#include "ui/table_window.h"
#include "ui/trump_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvane::ui {

namespace {

constexpr int HandSize = 5;

// Presses `b` as a click would, when a person could click it.
bool press(QPushButton* b) {
    if (b == nullptr || !b->isVisible() || !b->isEnabled())
        return false;
    b->click();
    return true;
}

bool typesText(QObject* receiver) {
    return qobject_cast<QLineEdit*>(receiver) || qobject_cast<QPlainTextEdit*>(receiver) ||
           (receiver && qobject_cast<QPlainTextEdit*>(receiver->parent()));
}

} // namespace

KeyboardPlay::KeyboardPlay(TableWindow& window) : QObject(&window), m_window(window) {
    qApp->installEventFilter(this);
}

bool KeyboardPlay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr)
        return false;
    // Only keys for the table window and its small windows, not for another top-level window.
    QWidget* top = widget->window();
    if (top != &m_window && top->parentWidget() != &m_window)
        return false;
    if (top->isModal())
        return false;
    return handleKey(watched, *static_cast<QKeyEvent*>(event));
}

bool KeyboardPlay::handleKey(QObject* receiver, const QKeyEvent& key) {
    if (typesText(receiver))
        return false;
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
        step(-1);
        return true;
    case Qt::Key_Right:
        step(+1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A focused button takes its own Enter and Space.
        if (qobject_cast<QAbstractButton*>(receiver) || m_picked < 0)
            return false;
        if (selectable(m_picked))
            emit cardChosen(m_picked);
        return true;
    default:
        break;
    }
    if (pressButtonFor(key.key()))
        return true;
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_5) {
        pick(key.key() - Qt::Key_1);
        return true;
    }
    return false;
}

bool KeyboardPlay::pressButtonFor(int key) {
    TrumpDialog* trump = m_window.trumpDialog();
    if (trump->isVisible()) {
        switch (key) {
        case Qt::Key_S:
            return press(trump->button(Spades));
        case Qt::Key_D:
            return press(trump->button(Diamonds));
        case Qt::Key_C:
            return press(trump->button(Clubs));
        case Qt::Key_H:
            return press(trump->button(Hearts));
        default:
            return false;
        }
    }
    BidDialog* bid = m_window.bidDialog();
    if (bid->isVisible()) {
        switch (key) {
        case Qt::Key_P:
            return press(bid->button(0));
        case Qt::Key_2:
            return press(bid->button(1));
        case Qt::Key_5:
            return press(bid->button(2));
        case Qt::Key_3:
            return press(bid->button(3));
        default:
            return false;
        }
    }
    ButtonWindow* buttons = m_window.buttonWindow();
    if (key == Qt::Key_D)
        return press(buttons->button(1));
    if (key == Qt::Key_A)
        return press(buttons->button(0));
    return false;
}

bool KeyboardPlay::selectable(int picture) const {
    if (picture < 0 || picture >= HandSize)
        return false;
    const CardPicture& p = m_window.engine().table().picCard[static_cast<size_t>(picture)];
    // Thrown is a card marked for the discard, still in the hand until the draw.
    return p.visible && p.state != TagState::Played;
}

void KeyboardPlay::pick(int picture) {
    if (!selectable(picture))
        return;
    m_picked = picture;
    m_window.view()->setKeyboardCard(picture);
}

void KeyboardPlay::step(int direction) {
    const int start = m_picked < 0 ? (direction > 0 ? -1 : HandSize) : m_picked;
    for (int i = 1; i <= HandSize; ++i) {
        const int next = ((start + direction * i) % HandSize + HandSize) % HandSize;
        if (selectable(next)) {
            pick(next);
            return;
        }
    }
}

void KeyboardPlay::showTable(const Table&) {
    if (m_picked >= 0 && !selectable(m_picked)) {
        m_picked = -1;
        m_window.view()->setKeyboardCard(-1);
    }
}

} // namespace corvane::ui
