// The table at other sizes: every picture and label at its layout place times the zoom, the cards
// painted at the new size, the table centred and fitted when the window is resized, the small
// windows at the scaled corner, and the zoom remembered.
#include "table_fixture.h"
#include "ui/card_renderer.h"
#include "ui/dialog_placement.h"
#include "ui/preferences.h"
#include "ui/table_fonts.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using namespace corvane;
using namespace corvane::ui;

namespace {

// Within a pixel of the layout's place times the zoom, from the table's corner.
bool near(QPoint actual, QPoint expected) {
    return std::abs(actual.x() - expected.x()) <= 1 && std::abs(actual.y() - expected.y()) <= 1;
}

QPoint expectedPlace(const TableScale& s, int leftTwips, int topTwips) {
    return s.origin + QPoint(static_cast<int>(std::lround(leftTwips * s.zoom / 15.0)),
                             static_cast<int>(std::lround(topTwips * s.zoom / 15.0)));
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    void everythingScalesWithTheZoom_data() {
        QTest::addColumn<double>("zoom");
        for (double z : TableWindow::zoomSteps())
            QTest::newRow(qPrintable(QStringLiteral("%1%").arg(z * 100))) << z;
    }
    void everythingScalesWithTheZoom() {
        QFETCH(double, zoom);
        test::TableUnderTest table(7);
        table.click(table.button(1)); // deal: cards in every hand
        table.window.setZoom(zoom);
        const TableScale& s = table.view()->scale();
        QCOMPARE(s.zoom, zoom);
        QCOMPARE(table.view()->size(), TableScale::tableSize(zoom));

        for (int i = 0; i < 20; ++i) {
            CardView* card = table.view()->picture(i);
            const Point home = table.t().picCard[static_cast<size_t>(i)].position;
            QVERIFY2(near(card->pos(), expectedPlace(s, home.left, home.top)),
                     qPrintable(QStringLiteral("picture %1").arg(i)));
            QCOMPARE(card->size(), CardRenderer::cardSize(zoom));
            // Painted at the new size, not stretched: the pixmap has the card's own size.
            QCOMPARE(card->pixmap().deviceIndependentSize().toSize(), card->size());
        }
        QLabel* south = table.view()->playerName(0);
        QVERIFY(near(south->pos(), expectedPlace(s, 3120, 6480)));
        QVERIFY(std::abs(south->width() - 2175 * zoom / 15) <= 1);
        QCOMPARE(south->font().pointSizeF(), nameFont().pointSizeF() * zoom);
        QVERIFY(near(table.view()->score(1)->pos(), expectedPlace(s, 7200, 360)));
        QCOMPARE(table.view()->score(1)->font().pointSizeF(), numberFont().pointSizeF() * zoom);
        QVERIFY(near(table.view()->tricks(0)->pos(), expectedPlace(s, 6120, 900)));
    }

    void aResizedWindowFitsAndCentresTheTable() {
        test::TableUnderTest table(3);
        table.window.fitToWindow();
        table.window.resize(1100, 700);
        QTRY_COMPARE(table.window.size(), QSize(1100, 700));
        const QSize area = table.view()->size();
        const TableScale& s = table.view()->scale();
        const QSize one = TableScale::tableSize(1.0);
        QCOMPARE(s.zoom, std::min(area.width() / double(one.width()),
                                  area.height() / double(one.height())));
        const QSize drawn = TableScale::tableSize(s.zoom);
        QVERIFY(std::abs(s.origin.x() - (area.width() - drawn.width()) / 2) <= 1);
        QVERIFY(std::abs(s.origin.y() - (area.height() - drawn.height()) / 2) <= 1);
        QVERIFY(near(table.view()->picture(0)->pos(), expectedPlace(s, 3120, 5040)) ||
                !table.view()->picture(0)->isVisible());
        QVERIFY(table.window.action(QStringLiteral("mnuZoomFit"))->isChecked());
    }

    void theKeysStepThroughTheZooms() {
        test::TableUnderTest table(3);
        QCOMPARE(table.view()->scale().zoom, 1.0);
        table.window.action(QStringLiteral("mnuZoomIn"))->trigger();
        QCOMPARE(table.view()->scale().zoom, 1.25);
        table.window.action(QStringLiteral("mnuZoomIn"))->trigger();
        table.window.action(QStringLiteral("mnuZoomIn"))->trigger();
        table.window.action(QStringLiteral("mnuZoomIn"))->trigger(); // stays at the largest
        QCOMPARE(table.view()->scale().zoom, 2.0);
        QVERIFY(table.window.action(QStringLiteral("mnuZoom200"))->isChecked());
        table.window.action(QStringLiteral("mnuZoomOut"))->trigger();
        QCOMPARE(table.view()->scale().zoom, 1.5);
        table.window.action(QStringLiteral("mnuZoomActual"))->trigger();
        QCOMPARE(table.view()->scale().zoom, 1.0);
        QCOMPARE(table.view()->size(), TableScale::tableSize(1.0));
        QCOMPARE(table.window.action(QStringLiteral("mnuZoomIn"))->shortcut(),
                 QKeySequence(QKeySequence::ZoomIn));
        QCOMPARE(table.window.action(QStringLiteral("mnuZoomActual"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_0));
    }

    void theSmallWindowsSitAtTheScaledCorner() {
        test::TableUnderTest table(5);
        table.window.setZoom(1.5);
        table.window.placeDialog(table.window.buttonWindow());
        QWidget* buttons = table.window.buttonWindow();
        QVERIFY(buttons->isVisible());
        QSize frame = buttons->frameGeometry().size();
        if (frame == buttons->size())
            frame += table.window.frameGeometry().size() - table.window.size();
        QCOMPARE(buttons->pos(), placeDialogPixels(table.window.frameGeometry(), frame, 1.5));
        // 350 and 600 twips at 150% from the window's corner.
        const QRect w = table.window.frameGeometry();
        QVERIFY(std::abs((w.right() + 1) - (buttons->x() + frame.width()) - 35) <= 1);
        QVERIFY(std::abs((w.bottom() + 1) - (buttons->y() + frame.height()) - 60) <= 1);
    }

    // The button window, the messages and the bid and trump dialogs grow with the table, their
    // letters and symbols too.
    void theSmallWindowsScaleWithTheTable_data() { everythingScalesWithTheZoom_data(); }
    void theSmallWindowsScaleWithTheTable() {
        QFETCH(double, zoom);
        test::TableUnderTest table(7);
        table.window.setZoom(zoom);
        const QSize expected(static_cast<int>(2400 * zoom / 15), static_cast<int>(600 * zoom / 15));
        for (QWidget* w : {static_cast<QWidget*>(table.window.buttonWindow()),
                           static_cast<QWidget*>(table.window.bidDialog()),
                           static_cast<QWidget*>(table.window.trumpDialog())})
            QCOMPARE(w->size(), expected);
        QCOMPARE(table.button(1)->font().pointSizeF(), buttonFont(10).pointSizeF() * zoom);
        QCOMPARE(table.button(1)->width(), static_cast<int>(1215 * zoom / 15));
        QCOMPARE(table.bid(3)->font().pointSizeF(), buttonFont(10).pointSizeF() * zoom);
        QCOMPARE(table.bid(3)->geometry(),
                 QRect(static_cast<int>(1800 * zoom / 15), 0, static_cast<int>(615 * zoom / 15),
                       static_cast<int>(615 * zoom / 15)));
        QCOMPARE(table.suit(0)->iconSize(), QSize(16, 16) * zoom);
        // A message across the window at the zoom, in the zoomed type.
        table.engine.start(table.engine.MessageButton("Count 25 points."));
        table.window.refresh();
        QCOMPARE(table.button(1)->width(), static_cast<int>(2430 * zoom / 15));
        QVERIFY(table.button(1)->font().pointSizeF() > buttonFont(10).pointSizeF() * zoom - 1.01);
    }

    void aGlideRunsInTableCoordinates() {
        test::TableUnderTest table(11, 1.0); // real pace: the deal glides
        table.window.setZoom(2.0);
        table.window.buttonWindow()->button(1)->click();
        QTRY_VERIFY(table.view()->moving());
        table.view()->finishMovements();
        QVERIFY(table.settle(20000));
        const TableScale& s = table.view()->scale();
        for (int i = 0; i < 5; ++i) {
            const Point home = homePosition(i);
            QVERIFY(near(table.view()->picture(i)->pos(), expectedPlace(s, home.left, home.top)));
        }
    }

    void theZoomIsRemembered() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        {
            GameProgram first(1, {}, std::make_unique<Preferences>(file));
            first.start();
            first.window.setZoom(1.5);
        }
        QCOMPARE(Preferences(file).window().zoom, 1.5);
        GameProgram second(2, {}, std::make_unique<Preferences>(file));
        second.start();
        QCOMPARE(second.window.view()->scale().zoom, 1.5);
        QVERIFY(!second.window.view()->fitsWindow());
    }
};

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
