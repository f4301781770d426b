// Pictures of the table as a person sees it at four moments of a hand played by clicks, written
// beside the test (table-start.png, table-auction.png, table-trick.png, table-hand-end.png) and
// compared with the pictures kept in tests/ui/reference: at 100% the table looks exactly as it did
// before it could be zoomed.
#include "table/presenter.h"
#include "table_fixture.h"

#include <QDir>
#include <QImage>
#include <cstdlib>

using namespace corvane;
using namespace corvane::ui;
using corvane::ui::test::TableUnderTest;

namespace {

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
void shoot(TableUnderTest& table, const QString& name) {
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
}

} // namespace

class TableScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { corvane::ui::test::quietOffscreenWarnings(); }

    void fourMomentsOfAHand() {
        TableUnderTest table(48);
        shoot(table, QStringLiteral("table-start.png"));
        // The auction: every hand dealt, the local cards face up, the bid dialog open.
        QVERIFY(table.dealUntilTheBidDialog());
        shoot(table, QStringLiteral("table-auction.png"));
        // The dealer's mark, too small for the comparison: on the dealer's line, beside the name.
        const QLabel* mark = table.view()->dealerMark();
        QVERIFY(mark->isVisible());
        QVERIFY(table.view()
                    ->playerName(table.t().dealerSeat)
                    ->geometry()
                    .contains(mark->geometry().center()));
        // A trick on the table: the player's turn with cards already played before it.
        QVERIFY(table.playUntil([&] { return table.localTurn() && table.t().trickCardCount > 0; }));
        shoot(table, QStringLiteral("table-trick.png"));
        for (int s = 0; s < 4;
             ++s) // a white name (the bidder's) has a dark edge to read on the baize
            QCOMPARE(table.view()->playerName(s)->graphicsEffect() != nullptr,
                     present(table.t()).lblPlayerName[static_cast<size_t>(s)].color ==
                         LabelColor::White);
        // The end of the hand: the score message waits for its click, the last trick on the table.
        QVERIFY(table.playUntil([&] { return table.t().score != std::array<int, 2>{0, 0}; }));
        QVERIFY(table.messageShown());
        shoot(table, QStringLiteral("table-hand-end.png"));
    }
};

QTEST_MAIN(TableScreenshotsTest)
#include "table_screenshots_test.moc"
