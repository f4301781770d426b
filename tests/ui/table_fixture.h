// A real table window over a real engine for the window tests: the program's own scheduler on
// Qt's timers, its pauses scaled to nothing so a hand plays in milliseconds, and helpers that
// click as a person would.
#pragma once

#include "flow/engine.h"
#include "players/hints.h"
#include "ui/program/game_program.h"
#include "ui/program/qt_scheduler.h"
#include "ui/table/bid_dialog.h"
#include "ui/table/button_window.h"
#include "ui/table/card_view.h"
#include "ui/table/table_view.h"
#include "ui/table/table_window.h"
#include "ui/table/trump_dialog.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace corvane::ui::test {

// The offscreen platform cannot raise windows and says so at every dialog placement.
inline void quietOffscreenWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support raise()")))
                previous(type, context, text);
        });
}

struct TableUnderTest {
    GameProgram program;
    QtScheduler& scheduler;
    Engine& engine;
    TableWindow& window;
    bool settleAfterClicks = true; // online the flow also waits on the network: never settle

    explicit TableUnderTest(std::uint64_t seed, double timeScale = 0.0, ServerAddress server = {},
                            std::unique_ptr<Preferences> remembered = nullptr)
        : program(seed, std::move(server), std::move(remembered)), scheduler(program.scheduler),
          engine(program.engine), window(program.window) {
        scheduler.setTimeScale(timeScale);
        program.start();
        // The small windows come once the table is shown.
        [[maybe_unused]] const bool shown = QTest::qWaitForWindowExposed(&window);
    }

    Table& t() { return engine.table(); }
    TableView* view() { return window.view(); }
    QPushButton* button(int i) { return window.buttonWindow()->button(i); }
    QPushButton* bid(int i) { return window.bidDialog()->button(i); }
    QPushButton* suit(int i) { return window.trumpDialog()->button(i); }
    bool messageShown() {
        return window.buttonWindow()->isVisible() && t().buttonMode == ButtonMode::Message;
    }

    // Lets the flow run until it waits for the player, waking on each event: QTest::qWaitFor
    // sleeps 10 ms between passes, which a hand's few hundred zero-length pauses turn into seconds.
    bool settle(int timeoutMs = 5000) {
        QTimer bound; // wakes the loop at the deadline when nothing else happens
        bound.start(timeoutMs);
        const QDeadlineTimer deadline(timeoutMs);
        while (scheduler.pending() != 0 || view()->moving()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return true;
    }
    void click(QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        if (settleAfterClicks)
            settle();
    }
    void clickCard(int picture) {
        QTest::mouseClick(view()->picture(picture), Qt::LeftButton, {}, QPoint(8, 48));
        if (settleAfterClicks)
            settle();
    }
    bool localTurn() {
        return t().gamePhase == GamePhase::Play && t().awaitedSeat == t().localSeat &&
               !messageShown();
    }

    // Deals (a new game each time) until the local player is asked for a bid.
    bool dealUntilTheBidDialog() {
        click(button(1));
        for (int hands = 0; hands < 20 && !window.bidDialog()->isVisible(); ++hands) {
            window.action(QStringLiteral("mnuNew"))->trigger();
            click(button(1));
        }
        return window.bidDialog()->isVisible();
    }

    // One move of a person who takes the computer's advice. False when nothing waits for them.
    bool playOneMove() {
        settle();
        return tryMove();
    }
    // Such moves until done() holds (false if play stops first).
    bool playUntil(const std::function<bool()>& done) {
        for (int guard = 0; guard < 3000 && !done(); ++guard)
            if (!playOneMove())
                return false;
        return done();
    }
    // The same without waiting for the flow first (online, the table also waits on the network).
    bool tryMove() {
        if (window.buttonWindow()->isVisible()) {
            if (t().buttonMode == ButtonMode::Discard && button(0)->isEnabled())
                QTest::mouseClick(button(0), Qt::LeftButton); // Auto-Discard, then draw
            click(button(1));
            return true;
        }
        if (window.bidDialog()->isVisible()) {
            const BidHint h = bidHint(t());
            const int wanted = h.bid.level();
            click(bid(bid(wanted)->isEnabled() ? wanted : 0));
            return true;
        }
        if (window.trumpDialog()->isVisible()) {
            click(suit(bidHint(t()).suit));
            return true;
        }
        if (localTurn()) {
            clickCard(cardHint(t()));
            return true;
        }
        return false;
    }
};

} // namespace corvane::ui::test
