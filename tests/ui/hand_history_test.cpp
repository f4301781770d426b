// The Hand History window on a real table: the score sheet and the plot follow the game as it
// is played, a chosen hand steps trick by trick, a hand in play shows none of the others'
// cards, and the window is gone once closed.
#include "table_fixture.h"
#include "ui/hand_history_window.h"
#include "ui/hand_step_view.h"
#include "ui/record_windows.h"
#include "ui/score_plot.h"

#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <QTextBrowser>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

int scoredHands(const GameHistory& game) {
    int n = 0;
    for (const RecordedHand& h : game.hands)
        n += h.stage == HandStage::Scored ? 1 : 0;
    return n;
}

bool playUntil(TableUnderTest& table, const std::function<bool()>& done) {
    for (int guard = 0; guard < 2000 && !done(); ++guard)
        if (!table.playOneMove())
            return false;
    return done();
}

} // namespace

class HandHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void theSheetAndThePlotFollowTheGame() {
        TableUnderTest table(33);
        const GameRecord& record = table.program.record;
        table.window.action(QStringLiteral("mnuHandHistory"))->trigger();
        HandHistoryWindow* history = table.program.recordWindows->history();
        QVERIFY(history && history->isVisible());
        QVERIFY(playUntil(table, [&] {
            return scoredHands(record.history()) >= 2 && !table.engine.handUnderWay();
        }));
        const GameHistory& game = record.history();
        QCOMPARE(history->sheet()->rowCount(), static_cast<int>(game.hands.size()));
        const RecordedHand& last =
            *std::find_if(game.hands.rbegin(), game.hands.rend(),
                          [](const RecordedHand& h) { return h.stage == HandStage::Scored; });
        const int row = last.number - 1;
        QCOMPARE(history->sheet()->item(row, 6)->text(), QString::number(last.scores[0]));
        QCOMPARE(history->sheet()->item(row, 7)->text(), QString::number(last.scores[1]));
        QCOMPARE(history->sheet()->item(row, 3)->text(),
                 last.made ? QStringLiteral("made") : QStringLiteral("set"));

        // Stepping through the chosen hand: the deal, then each trick with its winner.
        history->chooseHand(row);
        HandStepView* step = history->stepView();
        QCOMPARE(step->step(), 0);
        QVERIFY(!history->previousButton()->isEnabled());
        for (int k = 1; k <= 5; ++k) {
            QTest::mouseClick(history->nextButton(), Qt::LeftButton);
            QCOMPARE(step->step(), k);
            const RecordedTrick& t = last.tricks[static_cast<size_t>(k - 1)];
            QVERIFY(step->caption().contains(
                QString::fromStdString(game.names[static_cast<size_t>(t.winner)]) +
                QStringLiteral(" took it")));
        }
        QVERIFY(!history->nextButton()->isEnabled());
        // Once over, every seat's cards may be shown.
        QVERIFY(!history->details()->toPlainText().contains(QStringLiteral("not seen")));

        history->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!table.program.recordWindows->history());
    }

    void aHandInPlayShowsOnlyWhatThePlayerSees() {
        TableUnderTest table(34);
        const GameRecord& record = table.program.record;
        QVERIFY(playUntil(table, [&] {
            const RecordedHand* h = record.history().current();
            return h && h->stage == HandStage::Play && !h->tricks.empty();
        }));
        HandHistoryWindow* history = table.program.recordWindows->openHistory();
        const QString text = history->details()->toPlainText();
        QCOMPARE(text.count(QStringLiteral("not seen")), 3);
        QCOMPARE(history->sheet()->item(history->sheet()->rowCount() - 1, 3)->text(),
                 QStringLiteral("in play"));
    }
};

QTEST_MAIN(HandHistoryTest)
#include "hand_history_test.moc"
