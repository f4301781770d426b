// The table as it is drawn: at 100% and 200% every card and label at its place times the zoom and
// inside the window, the cards painted at their size, the small windows grown with the table, a
// deal gliding at 200% and the table fitted to a resized window; the view's
// movements (a glide along its steps, a spin, a move overtaking the one running, the stacking of
// a landed card), and the Qt scheduler's pauses and cancellation under them.
#include "flow/task.h"
#include "table/glide.h"
#include "table_fixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

// Within two pixels: the place and the zoom each round once.
bool near(QPoint actual, QPoint expected) {
    return (actual - expected).manhattanLength() <= 2;
}

// A coroutine that records when it wakes: the smallest flow that waits on the scheduler.
Task waitThenNote(Scheduler& scheduler, int ms, const void* owner, std::vector<int>& woke, int id) {
    co_await Pause{scheduler, ms, owner};
    woke.push_back(id);
}

} // namespace

class TableDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    // The zoom chosen from the menu: every card and label, and every button of the small windows,
    // at its place at 100% times two, in type and symbols twice the size, inside its window.
    void theTableAt200PercentIsTheTableAt100TimesTwo() {
        test::TableUnderTest table(7);
        table.click(table.button(1)); // deal: cards in every hand
        TableView* view = table.view();
        const auto small = {static_cast<QWidget*>(table.window.buttonWindow()),
                            static_cast<QWidget*>(table.window.bidDialog()),
                            static_cast<QWidget*>(table.window.trumpDialog())};
        std::vector<QWidget*> parts;
        for (QWidget* w : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                parts.push_back(w);
        for (QWidget* w : small) {
            parts.push_back(w);
            for (QPushButton* b : w->findChildren<QPushButton*>())
                parts.push_back(b);
        }
        const auto place = [&](QWidget* w) { // on the table from its corner, else in its window
            return w->geometry().translated(w->parent() == view ? -view->scale().origin : QPoint());
        };
        const auto icon = [](QWidget* w) {
            auto* b = qobject_cast<QPushButton*>(w);
            return b && !b->icon().isNull() ? b->iconSize() : QSize(0, 0);
        };
        const auto lettered = [](QWidget* w) {
            auto* label = qobject_cast<QLabel*>(w);
            return qobject_cast<QPushButton*>(w) || (label && !label->text().isEmpty());
        };
        std::vector<std::tuple<QRect, qreal, QSize>> at100;
        for (QWidget* w : parts)
            at100.emplace_back(place(w), w->font().pointSizeF(), icon(w));
        table.window.action(QStringLiteral("mnuZoomIn"))->trigger();
        QVERIFY(view->scale().zoom > 1.0);
        table.window.action(QStringLiteral("mnuZoom200"))->trigger();
        QCOMPARE(view->scale().zoom, 2.0);
        for (size_t i = 0; i < parts.size(); ++i) {
            QWidget* w = parts[i];
            const auto& [rect, points, iconSize] = at100[i];
            const QString name = w->objectName() + QString::number(i);
            // A small window stands at the table window's corner, inside its frame.
            QVERIFY2(w->isWindow() ? !w->isVisible() ||
                                         table.window.frameGeometry().contains(w->frameGeometry())
                                   : near(place(w).topLeft(), rect.topLeft() * 2),
                     qPrintable(name));
            QVERIFY2(near(QPoint(w->width(), w->height()), QPoint(rect.width(), rect.height()) * 2),
                     qPrintable(name));
            QVERIFY2(w->parent() != view || view->rect().contains(w->geometry()), qPrintable(name));
            if (lettered(w))
                QCOMPARE(w->font().pointSizeF(), 2 * points);
            QCOMPARE(icon(w), iconSize * 2);
            if (auto* card = qobject_cast<CardView*>(w)) // painted at its size, not stretched
                QCOMPARE(card->pixmap().deviceIndependentSize().toSize(), card->size());
        }
        QVERIFY(QRect(QPoint(), table.window.size()).contains(view->geometry()));
    }

    // Fitted to a resized window: the table as large as the window allows, in its middle.
    void aResizedWindowFitsAndCentresTheTable() {
        test::TableUnderTest table(3);
        table.window.fitToWindow();
        table.window.resize(1100, 700);
        QTRY_COMPARE(table.window.size(), QSize(1100, 700));
        const TableScale& s = table.view()->scale();
        const QRect drawn(s.origin, TableScale::tableSize(s.zoom));
        QVERIFY(table.view()->rect().contains(drawn));
        QVERIFY(std::abs(drawn.center().x() - table.view()->rect().center().x()) <= 1);
        QVERIFY(drawn.top() <= 1); // the height is what limits it here
        QVERIFY(table.window.action(QStringLiteral("mnuZoomFit"))->isChecked());
    }

    // Pauses wake in the order of their ends, not of their starts; a cancelled one never does.
    void pausesWakeInTheirOrderAndCancelledOnesNever() {
        QtScheduler scheduler;
        std::vector<int> woke;
        const int mine = 0;
        const int other = 0;
        Task slow = waitThenNote(scheduler, 60, &other, woke, 3);
        Task gone = waitThenNote(scheduler, 5, &mine, woke, 1);
        Task quick = waitThenNote(scheduler, 10, &other, woke, 2);
        QSignalSpy stepped(&scheduler, &QtScheduler::stepped);
        scheduler.cancel(&mine); // what a new game does before destroying its flows
        QCOMPARE(scheduler.pending(), size_t(2));
        QVERIFY(QTest::qWaitFor([&] { return woke.size() == 2; }, 2000));
        QCOMPARE(woke, (std::vector<int>{2, 3}));
        QCOMPARE(stepped.count(), 2);
        QCOMPARE(scheduler.pending(), size_t(0));
    }

    // A glide shows each of its steps in order and ends where it goes, at the zoom in use; a spin
    // ends there too.
    void movementsFollowTheirPathsToTheEnd() {
        TableView view;
        view.setZoom(2.0);
        view.show();
        const auto toPixels = [&](Point p) { return view.scale().point(p); };
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
        QVERIFY(!view.moving());
        QCOMPARE(view.picture(0)->pos(), toPixels(to));
        size_t next = 0; // frames may skip steps, never go back or off the path
        for (QPoint p : seen) {
            while (p != toPixels(from) && next < path.size() && toPixels(path[next]) != p)
                ++next;
            QVERIFY2(next < path.size(), "a position off the glide's path");
        }
        QVERIFY(seen.size() > 2); // it was seen on the way, not only at both ends
        const Point start = trickPosition(2);
        view.startMovement(Movement{Movement::Kind::Spin, 12, 2, start, spiralEnd(2, start)},
                           [&] { ++done; });
        QVERIFY(QTest::qWaitFor([&] { return done == 2; }, 5000));
        QCOMPARE(view.picture(12)->pos(), toPixels(spiralEnd(2, start)));
    }

    void aNewMoveFinishesTheOneRunning() {
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
        int none = 0; // a movement of a picture that does not exist just ends
        view.startMovement(Movement{Movement::Kind::Glide, 99, 0, {}, {}}, [&] { ++none; });
        QCOMPARE(none, 1);
    }

    // A card drawn onto the middle of a hand glides in front of the others, then lies where the
    // hand's fan puts it: under the card to its right.
    void aLandedCardLiesUnderTheCardToItsRight() {
        TableView view;
        Table t;
        for (int i = 0; i < 5; ++i) {
            t.picCard[static_cast<size_t>(i)].card = Card::of(2 + i, Clubs);
            t.picCard[static_cast<size_t>(i)].visible = true;
            t.bringToFront(i);
        }
        view.showTable(t);
        const auto zOrder = [&](int i) { return view.children().indexOf(view.picture(i)); };
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
};

QTEST_MAIN(TableDrawingTest)
#include "table_drawing_test.moc"
