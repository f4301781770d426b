// The Statistics window on a real record file in a temporary folder: the figures and the CSV
// export of known games (which also reads back what the record wrote), and the clear that is
// asked twice.
#include "record/record_writer.h"
#include "ui/record/statistics_window.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace corvane::ui;
using Tally = RecordStatistics::Tally;
using Bids = RecordStatistics::Bids;

namespace {

// Six units: ours first, the rest theirs.
RecordedHand hand(int number, int bidder, int bid, bool made, int ourTricks) {
    RecordedHand h;
    h.number = number;
    h.bidder = bidder;
    h.bid = bid;
    h.made = made;
    h.stage = HandStage::Scored;
    for (int k = 0; k < 5; ++k) {
        RecordedTrick t;
        t.winner = k < ourTricks ? 0 : 1;
        t.units = k == 0 ? 2 : 1;
        h.tricks.push_back(t);
    }
    return h;
}

// Four games: won (Standard, Ann), won (Standard, Ann), lost (Expert, Bo), won (Expert, Ann),
// handed to a writer that goes at once: what it was handed is written before it has gone.
void fill(const QString& path) {
    RecordWriter store({path});
    const std::tuple<const char*, const char*, int> games[] = {
        {"Standard", "Ann", 0}, {"Standard", "Ann", 0}, {"Expert", "Bo", 1}, {"Expert", "Ann", 0}};
    for (const auto& [level, partner, winner] : games) {
        const RecordedGameInfo info{"standalone",
                                    level,
                                    {"You", "Ed", partner, "Flo"},
                                    {"person", "computer", "computer", "computer"},
                                    {}};
        store.recordHand(info, hand(1, 0, 20, true, 3));  // we take 20
        store.recordHand(info, hand(2, 1, 25, false, 2)); // we take 15
        store.recordGameWon(winner, {120, 30});
    }
}

} // namespace

class StatisticsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<RecordWriter> store;
    std::unique_ptr<StatisticsWindow> window;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        path = dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".sqlite");
        fill(path);
        store = std::make_unique<RecordWriter>(RecordStore::Options{path});
        store->flush();
        window = std::make_unique<StatisticsWindow>(store.get(), path, true);
    }
    void cleanup() {
        window.reset();
        store.reset();
    }

    void figuresAndExport() {
        const RecordStatistics& s = window->statistics();
        QCOMPARE(s.games, (Tally{4, 3}));
        QCOMPARE(s.longestWinningRun, 2);
        QCOMPARE(s.byLevel, (std::map<QString, Tally>{{"Expert", {2, 1}}, {"Standard", {2, 2}}}));
        QCOMPARE(s.byPartner, (std::map<QString, Tally>{{"Ann", {3, 3}}, {"Bo", {1, 0}}}));
        QCOMPARE(s.byBid, (std::map<int, Bids>{{20, {4, 0}}, {25, {0, 4}}}));
        QCOMPARE(s.bySeat, (std::array<Bids, 4>{{{4, 0}, {0, 4}, {}, {}}}));
        QCOMPARE(s.hands, 8);
        QCOMPARE(s.averageOurs, 17.5);
        QCOMPARE(s.averageTheirs, 12.5);
        QCOMPARE(s.winRateAfterGame, (std::vector<double>{1.0, 1.0, 2.0 / 3, 0.75}));
        QVERIFY(window->fileLabel()->text().contains(path));

        // The export writes every hand, a line each under the heading.
        const QString csv = dir.filePath("out.csv");
        QVERIFY(window->exportTo(csv));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines =
            QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 9);
        QVERIFY(lines[0].startsWith(QStringLiteral("game,started,mode,level,name0")));
        QVERIFY(lines[8].contains(QStringLiteral(",Expert,You,Ed,Ann,Flo,person,computer,")));
        QVERIFY(!window->exportTo(dir.filePath("no/such/folder/out.csv")));
    }

    void clearingIsAskedTwice_data() {
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::newRow("no") << false << false;
        QTest::newRow("yes, then no") << true << false;
        QTest::newRow("yes, yes") << true << true;
    }
    void clearingIsAskedTwice() {
        QFETCH(bool, first);
        QFETCH(bool, second);
        window->show();
        QTest::mouseClick(window->clearButton(), Qt::LeftButton);
        QMessageBox* asked = nullptr;
        for (bool yes : {first, second}) {
            QMessageBox* box = window->question();
            QVERIFY(box && box != asked); // a second question, not the first again
            asked = box;
            QTest::mouseClick(box->button(yes ? QMessageBox::Yes : QMessageBox::No),
                              Qt::LeftButton);
            if (!yes)
                break;
        }
        QVERIFY(!window->question() || !window->question()->isVisible());
        store->flush();
        QTRY_COMPARE(window->statistics().hands, first && second ? 0 : 8);
        QCOMPARE(window->statistics().games.played, first && second ? 0 : 4);
    }
};

QTEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
