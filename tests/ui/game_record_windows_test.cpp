// What the program keeps of a game, on a real table window: the last trick shown over the table,
// the Hand History's sheet, plot and steps, "Save Game Record..." as trace lines, and the record
// file kept beside the preferences while "Record games" is on.
#include "table_fixture.h"
#include "ui/hand_history_window.h"
#include "ui/hand_step_view.h"
#include "ui/last_trick.h"
#include "ui/last_trick_view.h"
#include "ui/record_keeping.h"
#include "ui/record_statistics.h"
#include "ui/record_windows.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

int scoredHands(const GameHistory& game) {
    return static_cast<int>(std::count_if(game.hands.begin(), game.hands.end(), [](const auto& h) {
        return h.stage == HandStage::Scored;
    }));
}

bool playUntil(TableUnderTest& table, const std::function<bool()>& done) {
    for (int guard = 0; guard < 3000 && !done(); ++guard)
        if (!table.playOneMove())
            return false;
    return done();
}

std::string playState(const Table& t) {
    std::string s = std::to_string(t.gamePhase) + ' ' + std::to_string(t.turnSeat) + ' ' +
                    std::to_string(t.trickCardCount) + ' ' + std::to_string(t.tricksPlayed);
    for (const auto& p : t.picCard)
        s += ' ' + p.tag() + (p.visible ? "v" : "h");
    return s;
}

} // namespace

class GameRecordWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void lastTrickOpensAndClosesWithoutTouchingThePlay_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("menu, then a click") << "menu";
        QTest::newRow("the L key held") << "key";
        QTest::newRow("a press on the trick marks") << "marks";
        QTest::newRow("menu, then the next card played") << "card";
    }
    void lastTrickOpensAndClosesWithoutTouchingThePlay() {
        QFETCH(QString, way);
        TableUnderTest table(21);
        table.window.activateWindow();
        LastTrick& last = *table.program.lastTrick;
        // Nothing to show before the first trick.
        QVERIFY(!last.action()->isEnabled());
        QVERIFY(!last.show(LastTrick::Showing::UntilClick));
        QVERIFY(!last.view()->isVisible());
        QVERIFY(playUntil(table, [&] {
            const RecordedHand* h = table.program.record.history().current();
            return table.localTurn() && h && h->lastCompleteTrick();
        }));
        QVERIFY(last.action()->isEnabled());
        const RecordedTrick gathered =
            *table.program.record.history().current()->lastCompleteTrick();
        const std::string before = playState(table.t());
        QWidget* marks = table.view()->tricks(0);

        if (way == "key")
            QTest::keyPress(table.view(), Qt::Key_L);
        else if (way == "marks")
            QTest::mousePress(marks, Qt::LeftButton);
        else
            last.action()->trigger();
        QVERIFY(last.view()->isVisible());
        QCOMPARE(last.view()->trick(), gathered);
        QCOMPARE(last.view()->trick().order.size(), size_t(4));

        if (way == "card") {
            table.engine.clickCard(cardHint(table.t()));
            table.settle();
            QVERIFY(!last.view()->isVisible());
            return;
        }
        if (way == "menu") // the click that closes it is not a card played
            table.clickCard(0);
        else if (way == "key")
            QTest::keyRelease(table.view(), Qt::Key_L);
        else
            QTest::mouseRelease(marks, Qt::LeftButton);
        QVERIFY(!last.view()->isVisible());
        QCOMPARE(last.showing(), LastTrick::Showing::Nothing);
        QCOMPARE(playState(table.t()), before);
    }

    void historyAndSavedRecordFollowTheGame() {
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

        // The game so far as trace lines: the game's line first, a deal for each hand of the
        // history, every card played, a line for each hand scored.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("game.jsonl"));
        QVERIFY(table.program.recordWindows->saveGameRecordTo(file));
        QVERIFY(!table.program.recordWindows->saveGameRecordTo(dir.filePath("no/such/dir/x")));
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QStringList events;
        while (!in.atEnd()) {
            const QJsonDocument line = QJsonDocument::fromJson(in.readLine());
            QVERIFY(line.isObject());
            events << line.object().value(QStringLiteral("ev")).toString();
        }
        int cards = 0;
        for (const RecordedHand& h : game.hands)
            for (const RecordedTrick& t : h.tricks)
                cards += static_cast<int>(t.order.size());
        QCOMPARE(events.value(0), QStringLiteral("game"));
        QCOMPARE(events.count(QStringLiteral("game")), 1);
        QCOMPARE(events.count(QStringLiteral("deal")), static_cast<int>(game.hands.size()));
        QCOMPARE(events.count(QStringLiteral("play")), cards);
        QCOMPARE(events.count(QStringLiteral("hand")), scoredHands(game));
    }

    void aHandInPlayShowsOnlyWhatThePlayerSees() {
        TableUnderTest table(34);
        const GameRecord& record = table.program.record;
        QVERIFY(playUntil(table, [&] {
            const RecordedHand* h = record.history().current();
            return h && h->stage == HandStage::Play && !h->tricks.empty();
        }));
        HandHistoryWindow* history = table.program.recordWindows->openHistory();
        QCOMPARE(history->details()->toPlainText().count(QStringLiteral("not seen")), 3);
        QCOMPARE(history->sheet()->item(history->sheet()->rowCount() - 1, 3)->text(),
                 QStringLiteral("in play"));
    }

    // Scored hands reach the file while recording is on, none while it is off, all of them
    // written by the time the program has gone.
    void scoredHandsReachTheFileWhileRecordingIsOn_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("usable");
        QTest::newRow("on") << true << true;
        QTest::newRow("off") << false << true;
        QTest::newRow("on, the file's place taken by a folder") << true << false;
    }
    void scoredHandsReachTheFileWhileRecordingIsOn() {
        QFETCH(bool, on);
        QFETCH(bool, usable);
        QTemporaryDir dir;
        const QString prefs = dir.filePath(QStringLiteral("corvane.conf"));
        const QString path = dir.filePath(QStringLiteral("record.sqlite"));
        QSettings(prefs, QSettings::IniFormat)
            .setValue(QString::fromLatin1(RecordKeeping::SettingKey), on);
        if (!usable)
            QVERIFY(QDir().mkpath(path));
        {
            TableUnderTest table(41, 0.0, {}, std::make_unique<Preferences>(prefs));
            RecordKeeping& keeping = *table.program.keeping;
            QCOMPARE(keeping.path(), path);
            QCOMPARE(keeping.enabled(), on);
            QVERIFY(
                playUntil(table, [&] { return scoredHands(table.program.record.history()) >= 2; }));
            // The writer's trouble is said on the window's thread, over the table.
            if (!usable)
                QTRY_VERIFY(table.window.findChild<QMessageBox*>(QStringLiteral("recordTrouble")));
            QCOMPARE(keeping.writer() != nullptr, usable);
        } // the program ends with the last hand perhaps still queued
        if (!usable)
            return;
        RecordReader reader(path);
        QVERIFY(reader.isOpen());
        QCOMPARE(RecordStatistics::read(reader.connectionName()).hands, on ? 2 : 0);
    }

    void theOptionsDialogTurnsRecordingOff() {
        QTemporaryDir dir;
        const QString prefs = dir.filePath(QStringLiteral("corvane.conf"));
        TableUnderTest table(42, 0.0, {}, std::make_unique<Preferences>(prefs));
        QVERIFY(table.program.keeping->enabled());
        table.window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* box = table.window.findChild<QCheckBox*>(QStringLiteral("chkRecordGames"));
        QVERIFY(box && box->isChecked());
        box->setChecked(false);
        QTest::mouseClick(table.window.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
        QVERIFY(!table.program.keeping->enabled());
        QCOMPARE(QSettings(prefs, QSettings::IniFormat)
                     .value(QString::fromLatin1(RecordKeeping::SettingKey))
                     .toBool(),
                 false);
        // A program without preferences keeps nothing.
        TableUnderTest bare(43);
        QVERIFY(!bare.program.keeping->keeps() && !bare.program.keeping->writer());
    }
};

QTEST_MAIN(GameRecordWindowsTest)
#include "game_record_windows_test.moc"
