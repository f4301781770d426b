// The table window's menu bar: Game, View and Help, with the Players submenu.
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/rules_page.h"
#include "ui/table/button_window.h"
#include "ui/table/dialog_placement.h"
#include "ui/table/table_view.h"
#include "ui/table/table_window.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QWindow>

namespace corvane::ui {

namespace {
QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}
} // namespace

void TableWindow::buildMenus() {
    QMenu* game = menuBar()->addMenu(tr("&Game"));
    game->setObjectName(QStringLiteral("mnuGame"));
    QAction* newGame = addItem(game, "mnuNew", tr("&New Game"));
    newGame->setShortcut(QKeySequence::New); // shown in the menu
    newGame->setShortcutContext(Qt::ApplicationShortcut);
    connect(newGame, &QAction::triggered, this, [this] { input([&] { m_engine.newGame(); }); });
    connect(addItem(game, "mnuConnect", tr("&Play Online...")), &QAction::triggered, this,
            &TableWindow::playOnlineRequested);
    // "&Play Online..." has the P.
    QMenu* players = game->addMenu(tr("Pl&ayers"));
    players->setObjectName(QStringLiteral("mnuPlayers"));
    m_newPartner = addItem(players, "mnuNewPartner", tr("New Partner"));
    m_newOpponents = addItem(players, "mnuNewOpponents", tr("New Opponents"));
    connect(players, &QMenu::aboutToShow, this, &TableWindow::updateMenus);
    connect(m_newPartner, &QAction::triggered, this,
            [this] { input([&] { m_engine.newPartner(); }); });
    connect(m_newOpponents, &QAction::triggered, this,
            [this] { input([&] { m_engine.newOpponents(); }); });
    connect(addItem(game, "mnuOptions", tr("&Options...")), &QAction::triggered, this,
            &TableWindow::openOptions);
    game->addSeparator()->setObjectName(QStringLiteral("mnuNothing"));
    QAction* exit = addItem(game, "mnuExit", tr("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    buildViewMenu();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(addItem(help, "mnuRiziv", tr("&Rules of Corvane...")), &QAction::triggered, this,
            [this] { openRules(QString()); });
    connect(addItem(help, "mnuKeyboard", tr("&Keyboard...")), &QAction::triggered, this,
            [this] { openRules(QString::fromLatin1(KeyboardSection)); });
    QAction* hint = addItem(help, "mnuHint", tr("&Hint"));
    hint->setShortcut(QKeySequence(Qt::Key_F2));
    hint->setShortcutContext(Qt::ApplicationShortcut);
    connect(hint, &QAction::triggered, this, [this] { input([&] { m_engine.hint(); }); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuNone"));
    connect(addItem(help, "mnuAbout", tr("&About Corvane...")), &QAction::triggered, this,
            &TableWindow::openAbout);
}

void TableWindow::openOptions() {
    // One options dialog at a time; each opening reads the settings afresh.
    if (auto* open = findChild<OptionsDialog*>(); open && open->isVisible()) {
        open->raise();
        return;
    }
    auto* options = new OptionsDialog(m_engine.table(), this);
    options->setAttribute(Qt::WA_DeleteOnClose);
    connect(options, &QDialog::accepted, this, [this] {
        refresh();
        emit optionsChanged();
    });
    emit optionsOpened(options);
    options->setZoom(m_view->scale().zoom); // as the small windows are drawn
    showAboveSmallWindows(options);
}

void TableWindow::showAboveSmallWindows(QDialog* dialog) {
    dialog->setProperty(AboveSmallWindows, true);
    placeAboveSmallWindows(dialog); // before showing: see showDialogs()
    dialog->installEventFilter(this);
    dialog->show();
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        showDialogs(); // the small windows held back until the table was on the screen
        return QMainWindow::eventFilter(watched, event);
    }
    // Placed before it was framed, the dialog assumed the table's frame; the window manager's
    // first move of it tells the real one.
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog && dialog->property(AboveSmallWindows).toBool() && event->type() == QEvent::Move &&
        dialog->isVisible() && dialog->frameGeometry() != dialog->geometry()) {
        dialog->removeEventFilter(this);
        placeAboveSmallWindows(dialog);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TableWindow::placeAboveSmallWindows(QWidget* dialog) const {
    // The options stand on the table just above the corner where the button window and the bid
    // and trump dialogs wait, so that none of them is hidden while the options are open.
    placeDialog(dialog);
    const int lift = expectedFrame(m_buttons, this).height() + twipsToPixels(60);
    dialog->move(dialog->pos() - QPoint(0, lift));
}

void TableWindow::openAbout() {
    auto* about = new AboutBox(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void TableWindow::openRules(const QString& section) {
    openRulesPage(this, section, [this] {
        auto* box =
            new QMessageBox(QMessageBox::Information, QStringLiteral("Corvane"), // untranslated
                            tr("The rules page could not be opened."), QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("rulesPageMessage"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

} // namespace corvane::ui
