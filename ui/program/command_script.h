// A script of window commands read from the environment variable CORVANE_SCRIPT, so that a test
// can run the real program as a process and drive it as a person would (a menu command, a
// button, a typed field) without a window system. Unset, it does nothing.
//
// The steps, separated by spaces, run one after the other ('_' in a TEXT stands for a space):
//   action:NAME       triggers the menu item NAME (mnuExit, mnuNew, mnuConnect, ...)
//   click:NAME        clicks the button NAME once it is shown and enabled (cmdAction1 is "Deal")
//   type:NAME:TEXT    writes TEXT into the text field NAME once it is shown
//   label:TEXT        waits until a label on the table shows TEXT
//   title:TEXT        waits until the table window's title is TEXT
//   shown:NAME        waits until the window or dialog NAME is shown (frmBidSel, frmTrumpSel)
//   play-to:PHASE     answers whatever waits for the person (a message, a pass, the first suit,
//                     Auto-Discard and Deal, Deal) until the hand reaches game phase PHASE
//   wait:MS           waits MS milliseconds
//   print             writes the table's state to standard output: "phase=P dealing=D bid=B
//                     trump=T message=M trick=N" (D, B, T, M 0 or 1: a deal landing, the bid
//                     dialog, the trump dialog, a message shown; N cards in the trick)
//   close             closes the table window, as its title bar's close button does
#pragma once

#include <QObject>
#include <QStringList>

class QTimer;

namespace corvane {
class Engine;
}

namespace corvane::ui {

class TableWindow;

class CommandScript final : public QObject {
    Q_OBJECT
public:
    CommandScript(TableWindow& window, Engine& engine);

    // Starts the script in CORVANE_SCRIPT, if there is one.
    void startFromEnvironment();
    void start(const QStringList& steps);

private:
    void next();
    // Runs the first step; false when it must wait and be tried again.
    bool runStep(const QString& step);
    // One answer of a person who wants the hand to go on; false when nothing waits for one.
    bool answerWhatWaits();

    TableWindow& m_window;
    Engine& m_engine;
    QStringList m_steps;
    QTimer* m_timer;
};

} // namespace corvane::ui
