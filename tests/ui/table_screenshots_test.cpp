// Pictures of the table as a person sees it at four moments of a hand, written to PNG files
// beside the test (table-start.png, table-auction.png, table-trick.png, table-hand-end.png), and
// checked for what the eye would look for: the baize, the cards at their places, the labels, and
// against the pictures kept in tests/ui/reference: at 100% the table looks exactly as it did
// before it could be zoomed. The Expert's hint over the buttons is written too (hint-expert.png).
#include "table_fixture.h"
#include "ui/twips.h"

#include <QDir>
#include <QImage>
#include <cstdlib>

using namespace corvane;
using namespace corvane::ui;
using corvane::ui::test::TableUnderTest;

namespace {

bool isBaize(QColor c) {
    return c.green() > c.red() + 50 && c.green() > c.blue() + 40;
}

// Pixels whose colour differs by more than a shade in any channel; -1 for another size.
int pixelsApart(QImage a, QImage b) {
    if (a.size() != b.size())
        return -1;
    a = a.convertToFormat(QImage::Format_RGB32);
    b = b.convertToFormat(QImage::Format_RGB32);
    int apart = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24 ||
                std::abs(qBlue(p) - qBlue(q)) > 24)
                ++apart;
        }
    return apart;
}

// Writes the picture beside the test and compares it with the one kept. A font rendered a
// little differently moves a few hundred pixels of text; a card or a label out of place moves
// thousands.
QImage shoot(TableUnderTest& table, const QString& name) {
    table.window.refresh();
    const QImage image = table.view()->grab().toImage();
    const QString path = QDir::current().filePath(name);
    if (!image.save(path))
        qWarning("could not write %s", qPrintable(path));
    const QImage kept(QStringLiteral(CORVANE_UI_REFERENCE_DIR "/") + name);
    const int apart = pixelsApart(image, kept);
    const int allowed = image.width() * image.height() / 300;
    if (kept.isNull() || apart < 0 || apart > allowed)
        QTest::qFail(qPrintable(QStringLiteral("%1: %2 pixels differ from the kept picture (at "
                                               "most %3 may)")
                                    .arg(name)
                                    .arg(apart)
                                    .arg(allowed)),
                     __FILE__, __LINE__);
    return image;
}

// The middle of the part of picture i that no later picture of its hand covers.
QPoint visiblePartOf(const Table& t, int picture) {
    const Point p = t.picCard[static_cast<size_t>(picture)].position;
    return {px(p.left) + 8, px(p.top) + 48};
}

} // namespace

class TableScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { corvane::ui::test::quietOffscreenWarnings(); }
    void fourMomentsOfAHand();
};

void TableScreenshotsTest::fourMomentsOfAHand() {
    TableUnderTest table(48);

    const QImage start = shoot(table, QStringLiteral("table-start.png"));
    QCOMPARE(start.size() / start.devicePixelRatio(), QSize(562, 463));
    for (QPoint at : {QPoint(281, 231), QPoint(40, 400), QPoint(520, 300)})
        QVERIFY2(isBaize(start.pixelColor(at * start.devicePixelRatio())), "no baize");
    // No card on a fresh table.
    QVERIFY(isBaize(start.pixelColor(visiblePartOf(table.t(), 0))));

    // The auction: every hand dealt, the local cards face up, the bid dialog open.
    table.click(table.button(1));
    for (int hands = 0; !table.window.bidDialog()->isVisible() && hands < 20; ++hands) {
        table.window.action(QStringLiteral("mnuNew"))->trigger();
        table.click(table.button(1));
    }
    QVERIFY(table.window.bidDialog()->isVisible());
    const QImage auction = shoot(table, QStringLiteral("table-auction.png"));
    for (int i = 0; i < 23; ++i)
        QVERIFY2(!isBaize(auction.pixelColor(visiblePartOf(table.t(), i))),
                 qPrintable(QStringLiteral("picture %1 missing").arg(i)));
    for (int s = 0; s < 4; ++s) {
        const Label& bid = table.t().lblBid[static_cast<size_t>(s)];
        QCOMPARE(table.view()->bid(s)->isVisible(), bid.visible);
        if (bid.visible)
            QCOMPARE(table.view()->bid(s)->text().toStdString(), bid.caption);
    }

    // A trick on the table: the player's turn with cards already played before it.
    for (int moves = 0; moves < 500 && !(table.localTurn() && table.t().trickCardCount > 0);
         ++moves)
        QVERIFY(table.playOneMove());
    QVERIFY(table.localTurn() && table.t().trickCardCount > 0);
    const QImage trick = shoot(table, QStringLiteral("table-trick.png"));
    int onTable = 0;
    for (int s = 1; s < 4; ++s) {
        const int picture = table.t().trickSeatCard[static_cast<size_t>(s)];
        if (picture < 0)
            continue;
        const Point p = table.t().picCard[static_cast<size_t>(picture)].position;
        QCOMPARE(p, trickPosition(s));
        ++onTable;
        QVERIFY(!isBaize(trick.pixelColor(px(p.left) + 35, px(p.top) + 48)));
    }
    QCOMPARE(onTable, table.t().trickCardCount);
    QVERIFY(table.view()->trump()->isVisible());
    QVERIFY(!table.view()->bid(4)->text().isEmpty());

    // The Expert's hint, with its reason, in the button window; then back to Standard.
    table.t().expertComputers = true;
    table.window.action(QStringLiteral("mnuHint"))->trigger();
    table.settle();
    QVERIFY(table.messageShown());
    const QString hint = table.button(1)->text();
    QVERIFY2(hint.startsWith(QStringLiteral("I would play the ")) &&
                 hint.contains(QStringLiteral(": ")),
             qPrintable(hint));
    table.window.buttonWindow()->grab().save(
        QDir::current().filePath(QStringLiteral("hint-expert.png")));
    table.click(table.button(1));
    table.t().expertComputers = false;
    QVERIFY(table.localTurn());

    // The end of the hand: the score message waits for its click.
    for (int moves = 0; moves < 500; ++moves) {
        if (table.messageShown()) {
            const QString text = table.window.buttonWindow()->message();
            if (text.startsWith(QStringLiteral("Count ")) ||
                text.startsWith(QStringLiteral("Bidder goes down ")))
                break;
        }
        QVERIFY(table.playOneMove());
    }
    QVERIFY(table.messageShown());
    const QImage end = shoot(table, QStringLiteral("table-hand-end.png"));
    QCOMPARE(table.view()->score(0)->text().toStdString(), table.t().scoreCaption(0));
    QCOMPARE(table.view()->score(1)->text().toStdString(), table.t().scoreCaption(1));
    QVERIFY(table.t().score != (std::array<int, 2>{0, 0}));
    const int marks =
        table.view()->tricks(0)->text().size() + table.view()->tricks(1)->text().size();
    QCOMPARE(marks, 5); // one smiling face per trick
    // The last trick stays on the table while the score is read; the hands are empty.
    for (int s = 0; s < 4; ++s) {
        const int picture = table.t().trickSeatCard[static_cast<size_t>(s)];
        QVERIFY(picture >= 0);
        QVERIFY(table.view()->picture(picture)->isVisible());
        QCOMPARE(table.view()->picture(picture)->pos(), toPixels(trickPosition(s)));
    }
    QVERIFY(isBaize(end.pixelColor(toPixels(homePosition(0)) + QPoint(8, 48))));
}

QTEST_MAIN(TableScreenshotsTest)
#include "table_screenshots_test.moc"
