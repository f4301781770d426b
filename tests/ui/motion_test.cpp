// The window's side of waiting: the Qt scheduler's pauses and cancellation, and the table view's
// movements (a glide along its 120-twip steps, the spiral of a won game, a move that overtakes
// the one still running on its card).
#include "flow/task.h"
#include "table/glide.h"
#include "ui/card_view.h"
#include "ui/qt_scheduler.h"
#include "ui/table_view.h"
#include "ui/twips.h"

#include <QSignalSpy>
#include <QTest>
#include <coroutine>
#include <vector>

using namespace corvane;
using namespace corvane::ui;

namespace {

// A coroutine that records when it wakes: the smallest flow that waits on the scheduler.
Task waitThenNote(Scheduler& scheduler, int ms, const void* owner, std::vector<int>& woke, int id) {
    co_await Pause{scheduler, ms, owner};
    woke.push_back(id);
}

} // namespace

class MotionTest : public QObject {
    Q_OBJECT
private slots:
    void pausesWakeInTheirOrder();
    void cancelledFlowsNeverWake();
    void glideFollowsItsStepsToTheEnd();
    void aNewMoveFinishesTheOneRunning();
    void spinEndsOffTheTable();
    void aLandedCardLiesUnderTheCardToItsRight();
};

void MotionTest::aLandedCardLiesUnderTheCardToItsRight() {
    // A card drawn onto the middle of a hand glides in front of the others, then lies where the
    // hand's fan puts it: under the card to its right.
    TableView view;
    Table t;
    for (int i = 0; i < 5; ++i) {
        t.picCard[static_cast<size_t>(i)].card = Card::of(2 + i, Clubs);
        t.picCard[static_cast<size_t>(i)].visible = true;
        t.bringToFront(i);
    }
    view.showTable(t);
    const auto zOrder = [&](int picture) { return view.children().indexOf(view.picture(picture)); };
    QVERIFY(zOrder(1) < zOrder(2));
    bool done = false;
    view.startMovement(
        {Movement::Kind::Glide, 1, 0, drawStart(3, homePosition(1)), homePosition(1)},
        [&] { done = true; });
    QVERIFY(zOrder(1) > zOrder(2)); // on its way, in front
    view.finishMovements();
    QVERIFY(done);
    QVERIFY(zOrder(1) < zOrder(2));
}

void MotionTest::pausesWakeInTheirOrder() {
    QtScheduler scheduler;
    std::vector<int> woke;
    const int owner = 0;
    Task slow = waitThenNote(scheduler, 60, &owner, woke, 2);
    Task quick = waitThenNote(scheduler, 10, &owner, woke, 1);
    QSignalSpy stepped(&scheduler, &QtScheduler::stepped);
    QCOMPARE(scheduler.pending(), size_t(2));
    QVERIFY(QTest::qWaitFor([&] { return woke.size() == 2; }, 2000));
    QCOMPARE(woke, (std::vector<int>{1, 2}));
    QCOMPARE(stepped.count(), 2);
    QCOMPARE(scheduler.pending(), size_t(0));
}

void MotionTest::cancelledFlowsNeverWake() {
    QtScheduler scheduler;
    std::vector<int> woke;
    const int mine = 0;
    const int other = 0;
    {
        Task gone = waitThenNote(scheduler, 5, &mine, woke, 1);
        Task stays = waitThenNote(scheduler, 5, &other, woke, 2);
        scheduler.cancel(&mine); // what a new game does before destroying its flows
        QCOMPARE(scheduler.pending(), size_t(1));
        QVERIFY(QTest::qWaitFor([&] { return !woke.empty(); }, 2000));
        QTest::qWait(30);
    }
    QCOMPARE(woke, (std::vector<int>{2}));
}

void MotionTest::glideFollowsItsStepsToTheEnd() {
    TableView view;
    view.show();
    const Point from{3240, 240};
    const Point to = homePosition(0);
    const std::vector<Point> path = glidePath(from, to);
    std::vector<QPoint> seen;
    int done = 0;
    view.startMovement(Movement{Movement::Kind::Glide, 0, 0, from, to}, [&] { ++done; });
    QVERIFY(view.moving());
    QCOMPARE(view.picture(0)->pos(), toPixels(from));
    QVERIFY(QTest::qWaitFor(
        [&] {
            if (seen.empty() || seen.back() != view.picture(0)->pos())
                seen.push_back(view.picture(0)->pos());
            return done > 0;
        },
        5000));
    QCOMPARE(done, 1);
    QVERIFY(!view.moving());
    QCOMPARE(view.picture(0)->pos(), toPixels(to));
    // Every place it showed lies on the glide's path, in order (frames may skip steps).
    size_t next = 0;
    for (QPoint p : seen) {
        if (p == toPixels(from))
            continue;
        while (next < path.size() && toPixels(path[next]) != p)
            ++next;
        QVERIFY2(next < path.size(), "a position off the glide's path");
    }
    QVERIFY(seen.size() > 2); // it was seen on the way, not only at both ends
}

void MotionTest::aNewMoveFinishesTheOneRunning() {
    TableView view;
    view.show();
    int first = 0;
    int second = 0;
    view.startMovement(Movement{Movement::Kind::Glide, 3, 0, {360, 240}, homePosition(3)},
                       [&] { ++first; });
    view.startMovement(Movement{Movement::Kind::Glide, 3, 0, homePosition(3), trickPosition(0)},
                       [&] { ++second; });
    QCOMPARE(first, 1); // ended at once, where it was going
    QCOMPARE(second, 0);
    view.finishMovements();
    QCOMPARE(second, 1);
    QCOMPARE(view.picture(3)->pos(), toPixels(trickPosition(0)));
    // A movement of a picture that does not exist just ends.
    int none = 0;
    view.startMovement(Movement{Movement::Kind::Glide, 99, 0, {}, {}}, [&] { ++none; });
    QCOMPARE(none, 1);
}

void MotionTest::spinEndsOffTheTable() {
    TableView view;
    view.show();
    const Point start = trickPosition(2);
    int done = 0;
    view.startMovement(Movement{Movement::Kind::Spin, 12, 2, start, spiralEnd(2, start)},
                       [&] { ++done; });
    QVERIFY(QTest::qWaitFor([&] { return done == 1; }, 5000));
    const QRect table(QPoint(0, 0), view.size());
    QVERIFY(!table.intersects(view.picture(12)->geometry()));
    QCOMPARE(view.picture(12)->pos(), toPixels(spiralEnd(2, start)));
}

QTEST_MAIN(MotionTest)
#include "motion_test.moc"
