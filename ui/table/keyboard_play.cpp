#include "ui/table/keyboard_play.h"

#include "table/table.h"
#include "ui/table/bid_dialog.h"
#include "ui/table/button_window.h"
#include "ui/table/card_view.h"
#include "ui/table/table_view.h"
#include "ui/table/table_window.h"
#include "ui/table/trump_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <initializer_list>
#include <vector>

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

// The key a button's underlined letter stands for, or 0.
int mnemonicKey(const QPushButton* b) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(b->text());
    return mnemonic.isEmpty() ? 0 : mnemonic[0].key();
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
    case Qt::Key_Escape:
        return goOnFromMessage();
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
        if (qobject_cast<QAbstractButton*>(receiver))
            return false;
        if (goOnFromMessage())
            return true;
        if (m_picked < 0)
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
    // The key of a button is the letter underlined on it: one place says both.
    const auto pressIn = [key](std::initializer_list<QPushButton*> buttons) {
        for (QPushButton* b : buttons)
            if (mnemonicKey(b) == key)
                return press(b);
        return false;
    };
    TrumpDialog* trump = m_window.trumpDialog();
    if (trump->isVisible())
        return pressIn({trump->button(Spades), trump->button(Diamonds), trump->button(Clubs),
                        trump->button(Hearts)});
    BidDialog* bid = m_window.bidDialog();
    if (bid->isVisible())
        return pressIn({bid->button(0), bid->button(1), bid->button(2), bid->button(3)});
    ButtonWindow* buttons = m_window.buttonWindow();
    return pressIn({buttons->button(0), buttons->button(1)});
}

bool KeyboardPlay::goOnFromMessage() {
    ButtonWindow* buttons = m_window.buttonWindow();
    if (!buttons->isVisible() || buttons->message().isEmpty())
        return false;
    return press(buttons->button(1));
}

bool KeyboardPlay::selectable(int picture) const {
    const Engine& engine = m_window.engine();
    const CardPicture& p = engine.table().picCard[static_cast<size_t>(picture)];
    if (picture >= KittyFirst && picture < PictureCount)
        return p.visible && engine.discardMarkable(picture);
    if (picture < 0 || picture >= HandSize)
        return false;
    // Thrown is a card marked for the discard, still in the hand until the draw.
    return p.visible && p.state != TagState::Played;
}

void KeyboardPlay::pick(int picture) {
    if (!selectable(picture))
        return;
    m_picked = picture;
    m_pickedCard = m_window.engine().table().cardAt(picture);
    m_window.view()->setKeyboardCard(picture);
    // A key pressed in a small window (the discard's buttons) brings the table forward.
    if (!m_window.isActiveWindow())
        m_window.activateWindow();
    m_window.view()->picture(picture)->setFocus(Qt::OtherFocusReason);
}

void KeyboardPlay::dropPick() {
    const bool focused = m_picked >= 0 && m_window.view()->picture(m_picked)->hasFocus();
    m_picked = -1;
    m_window.view()->setKeyboardCard(-1);
    if (focused)
        m_window.view()->setFocus(Qt::OtherFocusReason);
}

void KeyboardPlay::takeFocus() {
    if (!m_window.isActiveWindow())
        m_window.activateWindow();
    if (m_picked >= 0)
        m_window.view()->picture(m_picked)->setFocus(Qt::OtherFocusReason);
    else
        m_window.view()->setFocus(Qt::OtherFocusReason);
}

void KeyboardPlay::step(int direction) {
    // Left to right as the cards lie: the kitty at the bottom left, then the hand.
    std::vector<int> order;
    for (int i = KittyFirst; i < PictureCount; ++i)
        order.push_back(i);
    const auto handStart = static_cast<int>(order.size());
    for (int i = 0; i < HandSize; ++i)
        order.push_back(i);
    const int n = static_cast<int>(order.size());
    // From no pick, Right starts at the hand's first card and Left at its last.
    int at = direction > 0 ? handStart - 1 : handStart + HandSize;
    if (const auto it = std::find(order.begin(), order.end(), m_picked); it != order.end())
        at = static_cast<int>(it - order.begin());
    for (int i = 1; i <= n; ++i) {
        const int next = order[static_cast<size_t>(((at + direction * i) % n + n) % n)];
        if (selectable(next)) {
            pick(next);
            return;
        }
    }
}

void KeyboardPlay::showTable(const Table& table) {
    // The pick belongs to one card: a new hand dealt onto the same picture takes the ring away;
    // a card played passes it to the next card of the hand.
    if (m_picked < 0)
        return;
    if (table.cardAt(m_picked) != m_pickedCard) {
        dropPick();
        return;
    }
    if (selectable(m_picked))
        return;
    const bool focused = m_window.view()->picture(m_picked)->hasFocus();
    const int from = m_picked;
    for (int i = 1; i < HandSize; ++i) {
        const int next = (from + i) % HandSize;
        if (from < HandSize && selectable(next)) {
            m_picked = next;
            m_pickedCard = table.cardAt(next);
            m_window.view()->setKeyboardCard(next);
            if (focused)
                m_window.view()->picture(next)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    dropPick();
}

} // namespace corvane::ui
