#include "ui/table/table_window.h"

#include "table/presenter.h"
#include "ui/cards/card_renderer.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/table/bid_dialog.h"
#include "ui/table/button_window.h"
#include "ui/table/dialog_placement.h"
#include "ui/table/keyboard_play.h"
#include "ui/table/table_view.h"
#include "ui/table/trump_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QWindow>

namespace corvane::ui {

TableWindow::TableWindow(Engine& engine, QtScheduler& scheduler, QWidget* parent)
    : QMainWindow(parent), m_engine(engine), m_scheduler(scheduler), m_view(new TableView(this)),
      m_buttons(new ButtonWindow(this)), m_bid(new BidDialog(this)), m_trump(new TrumpDialog(this)),
      m_keys(new KeyboardPlay(*this)) {
    setWindowTitle(QStringLiteral("Corvane")); // untranslated: the program's name
    setWindowIcon(cardRenderer().windowIcon());
    setCentralWidget(m_view);
    buildMenus();

    m_scheduler.setAnimator(m_view);
    connect(&m_scheduler, &QtScheduler::stepped, this, &TableWindow::refresh);
    m_view->setRefusalTest(
        [this](int picture) { return m_engine.pointerRefusal(picture) != Refusal::None; });
    connect(m_view, &TableView::cardClicked, this,
            [this](int picture) { input([&] { m_engine.clickCard(picture); }); });
    connect(m_view, &TableView::doubleClicked, this, &TableWindow::onDoubleClick);
    connect(m_view, &TableView::zoomed, this, &TableWindow::followZoom);
    // A small window first placed before its frame (or the table's) was known goes to its exact
    // place once it is: at start-up the table is shown and framed along with the button window.
    for (ToolWindow* w : {static_cast<ToolWindow*>(m_buttons), static_cast<ToolWindow*>(m_bid),
                          static_cast<ToolWindow*>(m_trump)})
        connect(w, &ToolWindow::framed, this, [this, w] { placeDialog(w); });
    connect(m_keys, &KeyboardPlay::cardChosen, this,
            [this](int picture) { input([&] { m_engine.clickCard(picture); }); });
    connect(m_buttons, &ButtonWindow::buttonClicked, this,
            [this](int index) { input([&] { m_engine.clickButton(index); }); });
    connect(m_bid, &BidDialog::bidClicked, this,
            [this](int index) { input([&] { m_engine.clickBid(index); }); });
    connect(m_trump, &TrumpDialog::suitClicked, this,
            [this](int suit) { input([&] { m_engine.clickTrump(suit); }); });
}

TableWindow::~TableWindow() {
    m_scheduler.setAnimator(nullptr);
}

void TableWindow::refresh() {
    const Table& t = m_engine.table();
    m_view->showTable(t);
    m_keys->showTable(t);
    showDialogs();
    updateMenus();
}

void TableWindow::showDialogs() {
    const Picture t = present(m_engine.table());
    // A small window mapped before the window manager has the table on the screen is not kept
    // above it (openbox lets the table's first raise cover it for good): the first comes once
    // the table is exposed.
    const bool tableShown = windowHandle() && windowHandle()->isExposed();
    if (!tableShown && !m_buttons->isVisible() && !m_bid->isVisible() && !m_trump->isVisible())
        return;
    // A small window is placed before it is shown: a window moved once shown but not yet framed
    // lands as if it had no frame, and jumps when it is shown again.
    const bool buttonsWereVisible = m_buttons->isVisible();
    const bool asking = buttonsWereVisible || m_bid->isVisible() || m_trump->isVisible();
    const int buttonMode = m_buttons->property("mode").toInt();
    if (t.buttonMenu.visible && !buttonsWereVisible)
        placeDialog(m_buttons);
    m_buttons->showState(t);
    // Every mode change places the window again: a message and the buttons take the same place.
    if (m_buttons->isVisible() && buttonsWereVisible &&
        buttonMode != static_cast<int>(t.buttonMenu.modeX))
        placeDialog(m_buttons);
    m_buttons->setProperty("mode", static_cast<int>(t.buttonMenu.modeX));

    if (t.bidDialog.visible && !m_bid->isVisible())
        placeDialog(m_bid);
    m_bid->showState(t);
    if (t.trumpDialogVisible && !m_trump->isVisible())
        placeDialog(m_trump);
    m_trump->showState(t.trumpDialogVisible);
    // The small window that had the focus went: it comes back to the table, not nowhere.
    const QWidget* active = QApplication::activeWindow();
    if (asking && !m_buttons->isVisible() && !m_bid->isVisible() && !m_trump->isVisible() &&
        (active == nullptr || active == m_buttons || active == m_bid || active == m_trump ||
         active == this))
        m_keys->takeFocus();
}

void TableWindow::updateMenus() {
    const bool idle = m_engine.playersMenuEnabled();
    if (m_newPartner) {
        m_newPartner->setEnabled(idle);
        m_newOpponents->setEnabled(idle);
    }
}

void TableWindow::onDoubleClick() {
    // Only a fresh table: nothing scored, no trick on the table, no hand in progress.
    const Table& t = m_engine.table();
    // A deal still landing is a hand in progress.
    if (t.score[0] == 0 && t.score[1] == 0 && t.tricksPlayed == 0 && t.trickCardCount == 0 &&
        !m_engine.handUnderWay())
        emit playOnlineRequested();
}

void TableWindow::placeDialog(QWidget* dialog) const {
    PlaceDialog(dialog, this, m_view->scale().zoom);
}

void TableWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QWindow* w = windowHandle()) {
        w->removeEventFilter(this);
        w->installEventFilter(this);
    }
}

void TableWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placeVisibleDialogs();
}

void TableWindow::followZoom(double zoom) {
    for (ToolWindow* w : {static_cast<ToolWindow*>(m_buttons), static_cast<ToolWindow*>(m_bid),
                          static_cast<ToolWindow*>(m_trump)})
        w->setZoom(zoom);
    showDialogs(); // the button window's buttons are laid out for the mode shown
    placeVisibleDialogs();
}

void TableWindow::placeVisibleDialogs() {
    for (QWidget* dialog : {static_cast<QWidget*>(m_buttons), static_cast<QWidget*>(m_bid),
                            static_cast<QWidget*>(m_trump)})
        if (dialog->isVisible())
            placeDialog(dialog);
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        if (dialog->isVisible() && !dialog->isModal()) {
            if (dialog->property(AboveSmallWindows).toBool())
                placeAboveSmallWindows(dialog);
            else
                placeDialog(dialog);
        }
}

QAction* TableWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

} // namespace corvane::ui
