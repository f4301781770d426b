// Opens and closes the last trick on the menu, the L key and the trick marks.
#include "ui/table/last_trick.h"

#include "ui/record/game_record.h"
#include "ui/record/record_menu.h"
#include "ui/table/last_trick_view.h"
#include "ui/table/table_view.h"
#include "ui/table/table_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace corvane::ui {

LastTrick::LastTrick(TableWindow& window, GameRecord& record)
    : m_window(window), m_record(record), m_view(new LastTrickView(window.view())),
      m_action(addRecordItem(window, "mnuLastTrick", tr("&Last Trick"))) {
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_action->setShortcutContext(Qt::ApplicationShortcut);
    m_action->setEnabled(false);
    connect(m_action, &QAction::triggered, this, [this] { show(Showing::UntilClick); });
    connect(&record, &GameRecord::changed, this, &LastTrick::recordChanged);
    for (int i = 0; i < 2; ++i)
        window.view()->tricks(i)->installEventFilter(this);
    qApp->installEventFilter(this);
}

int LastTrick::cardsPlayed() const {
    const RecordedHand* h = m_record.history().current();
    if (!h)
        return 0;
    int cards = 100 * h->number;
    for (const RecordedTrick& t : h->tricks)
        cards += static_cast<int>(t.order.size());
    return cards;
}

const RecordedTrick* LastTrick::lastTrick() const {
    // A won game stays in the record until the next deal, but the table already plays the next.
    const GameHistory& game = m_record.history();
    const RecordedHand* h = game.winner ? nullptr : game.current();
    return h ? h->lastCompleteTrick() : nullptr;
}

bool LastTrick::show(Showing how) {
    const RecordedTrick* trick = lastTrick();
    if (!trick)
        return false;
    m_view->showTrick(*trick);
    m_showing = how;
    m_cardsWhenShown = cardsPlayed();
    return true;
}

void LastTrick::close() {
    m_showing = Showing::Nothing;
    m_view->hide();
}

void LastTrick::recordChanged() {
    m_action->setEnabled(lastTrick() != nullptr);
    if (m_showing != Showing::Nothing && cardsPlayed() != m_cardsWhenShown)
        close();
}

bool LastTrick::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (m_showing == Showing::UntilClick && type == QEvent::MouseButtonPress) {
        // The click that closes the trick does nothing else: it was aimed at what lay beneath.
        close();
        return true;
    }
    if (m_showing == Showing::UntilClick && type == QEvent::KeyPress) {
        // A key is not aimed at the trick: it closes it and does its own work too.
        close();
        return false;
    }
    const bool onMarks =
        watched == m_window.view()->tricks(0) || watched == m_window.view()->tricks(1);
    if (onMarks && type == QEvent::MouseButtonPress && m_showing == Showing::Nothing)
        return show(Showing::WhileHeld);
    if (onMarks && type == QEvent::MouseButtonRelease && m_showing == Showing::WhileHeld) {
        close();
        return true;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_L || key->modifiers() != Qt::NoModifier || key->isAutoRepeat())
        return false;
    // Typing in the chat line is typing.
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus))
        return false;
    // Keys meant for another window (the history, a dialog) are theirs.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    if (type == QEvent::KeyPress && m_showing == Showing::Nothing)
        return show(Showing::WhileHeld);
    if (type == QEvent::KeyRelease && m_showing == Showing::WhileHeld) {
        close();
        return true;
    }
    return false;
}

} // namespace corvane::ui
