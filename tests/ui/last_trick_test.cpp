// The last trick on a real table window: each way of opening it shows the trick just gathered
// over the table, closes the way it should, and leaves the play as it was.
#include "table_fixture.h"
#include "ui/last_trick.h"
#include "ui/last_trick_view.h"

#include <QAction>
#include <QTest>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

std::string playState(const Table& t) {
    std::string s = std::to_string(t.gamePhase) + ' ' + std::to_string(t.turnSeat) + ' ' +
                    std::to_string(t.trickCardCount) + ' ' + std::to_string(t.tricksPlayed);
    for (const auto& p : t.picCard)
        s += ' ' + p.tag() + (p.visible ? "v" : "h");
    return s;
}

// Plays on until the local player must lead or follow with at least one trick gathered.
bool playToATrickGathered(TableUnderTest& table) {
    for (int guard = 0; guard < 400; ++guard) {
        const RecordedHand* h = table.program.record.history().current();
        if (table.localTurn() && h && h->lastCompleteTrick())
            return true;
        if (!table.playOneMove())
            return false;
    }
    return false;
}

} // namespace

class LastTrickTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void opensAndClosesWithoutTouchingThePlay_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("menu, then a click") << "menu";
        QTest::newRow("the L key held") << "key";
        QTest::newRow("a press on the trick marks") << "marks";
    }
    void opensAndClosesWithoutTouchingThePlay() {
        QFETCH(QString, way);
        TableUnderTest table(21);
        table.window.activateWindow();
        QVERIFY(playToATrickGathered(table));
        LastTrick& last = *table.program.lastTrick;
        QVERIFY(last.action()->isEnabled());
        const RecordedTrick gathered =
            *table.program.record.history().current()->lastCompleteTrick();
        const std::string before = playState(table.t());
        QWidget* marks = table.view()->tricks(0);

        if (way == "menu")
            last.action()->trigger();
        else if (way == "key")
            QTest::keyPress(table.view(), Qt::Key_L);
        else
            QTest::mousePress(marks, Qt::LeftButton);
        QVERIFY(last.view()->isVisible());
        QCOMPARE(last.view()->trick(), gathered);
        QCOMPARE(last.view()->trick().order.size(), size_t(4));

        if (way == "menu") {
            // The click that closes it is not a card played.
            QTest::mouseClick(table.view()->picture(0), Qt::LeftButton, {}, QPoint(8, 48));
            table.settle();
        } else if (way == "key") {
            QTest::keyRelease(table.view(), Qt::Key_L);
        } else {
            QTest::mouseRelease(marks, Qt::LeftButton);
        }
        QVERIFY(!last.view()->isVisible());
        QCOMPARE(last.showing(), LastTrick::Showing::Nothing);
        QCOMPARE(playState(table.t()), before);
    }

    void theNextCardClosesIt() {
        TableUnderTest table(21);
        QVERIFY(playToATrickGathered(table));
        LastTrick& last = *table.program.lastTrick;
        QVERIFY(last.show(LastTrick::Showing::UntilClick));
        table.engine.clickCard(cardHint(table.t()));
        table.settle();
        QVERIFY(!last.view()->isVisible());
    }

    void nothingToShowBeforeTheFirstTrick() {
        TableUnderTest table(21);
        QVERIFY(!table.program.lastTrick->action()->isEnabled());
        QVERIFY(!table.program.lastTrick->show(LastTrick::Showing::UntilClick));
        QVERIFY(!table.program.lastTrick->view()->isVisible());
    }
};

QTEST_MAIN(LastTrickTest)
#include "last_trick_test.moc"
