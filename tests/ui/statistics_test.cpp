// The Statistics window on a real record file in a temporary folder: the figures from known
// games, the file's place, the CSV export, and the clear that is asked twice.
#include "ui/record_writer.h"
#include "ui/statistics_window.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

RecordedGameInfo game(const char* level, const char* partner) {
    return {QStringLiteral("standalone"),
            QString::fromLatin1(level),
            {QStringLiteral("You"), QStringLiteral("Ed"), QString::fromLatin1(partner),
             QStringLiteral("Flo")},
            {QStringLiteral("person"), QStringLiteral("computer"), QStringLiteral("computer"),
             QStringLiteral("computer")}};
}

RecordedHand hand(int number, int bidder, int bid, bool made, int ourTricks) {
    RecordedHand h;
    h.number = number;
    h.bidder = bidder;
    h.bid = bid;
    h.made = made;
    h.stage = HandStage::Scored;
    // Six units: ours first, the rest theirs.
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
    const std::array<std::tuple<const char*, const char*, int>, 4> games{{{"Standard", "Ann", 0},
                                                                          {"Standard", "Ann", 0},
                                                                          {"Expert", "Bo", 1},
                                                                          {"Expert", "Ann", 0}}};
    for (const auto& [level, partner, winner] : games) {
        store.recordHand(game(level, partner), hand(1, 0, 20, true, 3));  // we take 20
        store.recordHand(game(level, partner), hand(2, 1, 25, false, 2)); // we take 15
        store.recordGameWon(winner, {120, 30});
    }
}

} // namespace

class StatisticsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void figuresFollowTheRecord() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.sqlite"));
        fill(path);
        RecordWriter store({path});
        store.flush();
        StatisticsWindow window(&store, path, true);
        const RecordStatistics& s = window.statistics();
        QCOMPARE(s.games, (RecordStatistics::Tally{4, 3}));
        QCOMPARE(s.longestWinningRun, 2);
        QCOMPARE(s.byLevel.at(QStringLiteral("Standard")), (RecordStatistics::Tally{2, 2}));
        QCOMPARE(s.byLevel.at(QStringLiteral("Expert")), (RecordStatistics::Tally{2, 1}));
        QCOMPARE(s.byPartner.at(QStringLiteral("Ann")), (RecordStatistics::Tally{3, 3}));
        QCOMPARE(s.byPartner.at(QStringLiteral("Bo")), (RecordStatistics::Tally{1, 0}));
        QCOMPARE(s.byBid.at(20), (RecordStatistics::Bids{4, 0}));
        QCOMPARE(s.byBid.at(25), (RecordStatistics::Bids{0, 4}));
        QCOMPARE(s.bySeat[0], (RecordStatistics::Bids{4, 0}));
        QCOMPARE(s.bySeat[1], (RecordStatistics::Bids{0, 4}));
        QCOMPARE(s.hands, 8);
        QCOMPARE(s.averageOurs, 17.5);
        QCOMPARE(s.averageTheirs, 12.5);
        QCOMPARE(s.winRateAfterGame, (std::vector<double>{1.0, 1.0, 2.0 / 3, 0.75}));
        QVERIFY(window.fileLabel()->text().contains(path));

        // The export writes every hand, a line each under the heading.
        const QString csv = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(window.exportTo(csv));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines =
            QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 9);
        QVERIFY(lines[0].startsWith(QStringLiteral("game,started,mode,level,name0")));
        QVERIFY(lines[1].contains(QStringLiteral(",Ann,")));
        QVERIFY(!window.exportTo(dir.filePath(QStringLiteral("no/such/folder/out.csv"))));
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.sqlite"));
        fill(path);
        RecordWriter store({path});
        store.flush();
        StatisticsWindow window(&store, path, true);
        window.show();
        QTest::mouseClick(window.clearButton(), Qt::LeftButton);
        auto answer = [&](bool yes, const char* text) {
            QMessageBox* box = window.question();
            QVERIFY(box);
            QCOMPARE(box->text(), QString::fromLatin1(text));
            QTest::mouseClick(box->button(yes ? QMessageBox::Yes : QMessageBox::No),
                              Qt::LeftButton);
        };
        answer(first, StatisticsWindow::FirstQuestion);
        if (first)
            answer(second, StatisticsWindow::SecondQuestion);
        const bool cleared = first && second;
        store.flush();
        QTRY_COMPARE(window.statistics().hands, cleared ? 0 : 8);
        QCOMPARE(window.statistics().games.played, cleared ? 0 : 4);
    }
};

QTEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
