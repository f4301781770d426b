// What the program keeps of a game, on a real table window: the last trick shown over the table,
// the Hand History's sheet, plot and steps, "Save Game Record..." as trace lines, and the record
// file kept beside the preferences while "Record games" is on.
#include "record/record_statistics.h"
#include "table_fixture.h"
#include "ui/record/hand_history_window.h"
#include "ui/record/hand_step_view.h"
#include "ui/record/record_keeping.h"
#include "ui/record/record_windows.h"
#include "ui/record/score_plot.h"
#include "ui/table/keyboard_play.h"
#include "ui/table/last_trick.h"
#include "ui/table/last_trick_view.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <ranges>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

int scoredHands(const GameHistory& game) {
    return static_cast<int>(
        std::ranges::count(game.hands, HandStage::Scored, &RecordedHand::stage));
}

std::string playState(const Table& t) {
    std::string s = std::to_string(static_cast<int>(t.gamePhase)) + ' ' +
                    std::to_string(t.turnSeat) + ' ' + std::to_string(t.trickCardCount) + ' ' +
                    std::to_string(t.tricksPlayed);
    for (const auto& p : t.picCard)
        s += ' ' + p.tag() + (p.visible ? "v" : "h");
    return s;
}

} // namespace

class GameRecordWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    // Each way of opening the last trick with its way of closing it, and the next card played:
    // the trick gathered is shown, and closing it is no move of the play; once the game is won
    // there is no last trick.
    void lastTrickOpensAndClosesWithoutTouchingThePlay() {
        TableUnderTest table(21);
        table.window.activateWindow();
        LastTrick& last = *table.program.lastTrick;
        QVERIFY(!last.action()->isEnabled()); // nothing to show before the first trick
        QVERIFY(!last.show(LastTrick::Showing::UntilClick));
        QVERIFY(table.playUntil([&] {
            const RecordedHand* h = table.program.record.history().current();
            return table.localTurn() && h && h->lastCompleteTrick();
        }));
        QVERIFY(last.action()->isEnabled());
        const RecordedTrick gathered =
            *table.program.record.history().current()->lastCompleteTrick();
        const std::string before = playState(table.t());
        QWidget* marks = table.view()->tricks(0);
        const std::vector<std::pair<std::function<void()>, std::function<void()>>> ways{
            {[&] { last.action()->trigger(); }, [&] { table.clickCard(0); }},
            {[&] { last.action()->trigger(); },
             [&] { // the key that closes it still picks a card
                 QTest::keyClick(table.view(), Qt::Key_Right);
                 QVERIFY(table.window.keyboard()->picked() >= 0);
             }},
            {[&] { QTest::keyPress(table.view(), Qt::Key_L); },
             [&] { QTest::keyRelease(table.view(), Qt::Key_L); }},
            {[&] { QTest::mousePress(marks, Qt::LeftButton); },
             [&] { QTest::mouseRelease(marks, Qt::LeftButton); }},
            {[&] { last.action()->trigger(); },
             [&] {
                 table.engine.clickCard(cardHint(table.t()));
                 table.settle();
             }}};
        for (size_t k = 0; k < ways.size(); ++k) {
            ways[k].first();
            QVERIFY(last.view()->isVisible());
            QCOMPARE(last.view()->trick(), gathered);
            ways[k].second();
            QVERIFY(!last.view()->isVisible());
            QCOMPARE(last.showing(), LastTrick::Showing::Nothing);
            QVERIFY(k + 1 == ways.size() || playState(table.t()) == before);
        }
        // A won game's last trick is no trick of the next game, which the table plays at once.
        const GameHistory& game = table.program.record.history();
        QVERIFY(table.playUntil([&] {
            if (!table.engine.handUnderWay())
                table.t().score = {110, 110}; // the next hand made wins
            return game.winner.has_value();
        }));
        QVERIFY(!last.action()->isEnabled());
        QVERIFY(!last.show(LastTrick::Showing::UntilClick));
    }

    // The history open from the start: a hand in play shows only the player's own cards; the
    // sheet, the steps of a scored hand and the saved record follow the game.
    void historyAndSavedRecordFollowTheGame() {
        TableUnderTest table(34);
        const GameHistory& game = table.program.record.history();
        table.window.action("mnuHandHistory")->trigger();
        HandHistoryWindow* history = table.program.recordWindows->history();
        QVERIFY(history && history->isVisible());
        QVERIFY(!history->previousButton()->isEnabled()); // nothing to step through yet
        QVERIFY(!history->nextButton()->isEnabled());
        QTableWidget* sheet = history->sheet();
        QVERIFY(table.playUntil([&] {
            const RecordedHand* h = game.current();
            return h && h->stage == HandStage::Play && !h->tricks.empty();
        }));
        QCOMPARE(history->details()->toPlainText().count("not seen"), 3);
        QCOMPARE(sheet->item(sheet->rowCount() - 1, 3)->text(), QStringLiteral("in play"));
        QVERIFY(table.playUntil(
            [&] { return scoredHands(game) >= 2 && !table.engine.handUnderWay(); }));
        QCOMPARE(sheet->rowCount(), static_cast<int>(game.hands.size()));
        const RecordedHand& last = *std::ranges::find(game.hands | std::views::reverse,
                                                      HandStage::Scored, &RecordedHand::stage);
        const int row = last.number - 1;
        QCOMPARE(sheet->item(row, 6)->text(), QString::number(last.scores[0]));
        QCOMPARE(sheet->item(row, 7)->text(), QString::number(last.scores[1]));
        QCOMPARE(sheet->item(row, 3)->text(), QLatin1String(last.made ? "made" : "set"));
        const auto& plotted = history->plot()->scores(); // each hand at its number, misdeals too
        QVERIFY(int(plotted.size()) > row && plotted[size_t(row)] == last.scores);

        // Stepping through the chosen hand: the deal, then each trick with its winner.
        history->chooseHand(row);
        QCOMPARE(history->stepView()->step(), 0);
        for (int k = 1; k <= 5; ++k) {
            QTest::mouseClick(history->nextButton(), Qt::LeftButton);
            QCOMPARE(history->stepView()->step(), k);
            const RecordedTrick& trick = last.tricks[static_cast<size_t>(k - 1)];
            for (int seat = 0; seat < 4; ++seat) { // a card played lies in the trick alone
                const std::vector<Card> held = history->stepView()->handAt(seat);
                QCOMPARE(int(held.size()), 5 - k);
                QVERIFY(std::ranges::find(held, trick.bySeat[size_t(seat)]) == held.end());
            }
            const int winner = trick.winner;
            QVERIFY(history->stepView()->caption().contains(
                QString::fromStdString(game.names[static_cast<size_t>(winner)]) +
                QStringLiteral(" took it")));
        }
        QVERIFY(!history->nextButton()->isEnabled());
        QVERIFY(!history->details()->toPlainText().contains("not seen"));
        // The pane's thumb stands out from its white page, where the style would draw it white.
        QScrollBar* bar = history->details()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QStyleOptionSlider o;
        o.initFrom(bar);
        std::tie(o.orientation, o.maximum, o.pageStep) =
            std::tuple(Qt::Vertical, bar->maximum(), bar->pageStep());
        const QRect thumb =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, bar);
        const QColor drawn = bar->grab(thumb)
                                 .toImage()
                                 .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .pixelColor(0, 0);
        QVERIFY2(history->details()->palette().color(QPalette::Base).lightness() -
                         drawn.lightness() >
                     24,
                 qPrintable(drawn.name()));

        // The game so far as trace lines: the game's line first, a deal for each hand of the
        // history, every card played, a line for each hand scored.
        QTemporaryDir dir;
        const QString file = dir.filePath("game.jsonl");
        QVERIFY(table.program.recordWindows->saveGameRecordTo(file));
        QVERIFY(!table.program.recordWindows->saveGameRecordTo(dir.filePath("no/such/dir/x")));
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray lines = in.readAll();
        const auto events = [&](const char* ev) {
            return int(lines.count(QByteArray("{\"ev\":\"") + ev + '"'));
        };
        int cards = 0;
        for (const RecordedHand& h : game.hands)
            for (const RecordedTrick& t : h.tricks)
                cards += static_cast<int>(t.order.size());
        QVERIFY(lines.startsWith("{\"ev\":\"game\"") && events("game") == 1);
        QCOMPARE(events("deal"), static_cast<int>(game.hands.size()));
        QCOMPARE(events("play"), cards);
        QCOMPARE(events("hand"), scoredHands(game));
    }

    // Scored hands reach the file while recording is on, none while it is off, all of them
    // written by the time the program has gone; a saved game goes by the file's number for it.
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
        const QString prefs = dir.filePath("corvane.conf");
        const QString path = dir.filePath("record.sqlite");
        QSettings(prefs, QSettings::IniFormat)
            .setValue(QString::fromLatin1(RecordKeeping::SettingKey), on);
        if (!usable)
            QVERIFY(QDir().mkpath(path));
        else // a game of an earlier run
            RecordWriter(RecordStore::Options{path})
                .recordHand({"standalone",
                             "Standard",
                             {},
                             {"person", "computer", "computer", "computer"},
                             {}},
                            RecordedHand{});
        {
            TableUnderTest table(41, 0.0, {}, std::make_unique<Preferences>(prefs));
            RecordKeeping& keeping = *table.program.keeping;
            QCOMPARE(keeping.path(), path);
            QCOMPARE(keeping.enabled(), on);
            QVERIFY(
                table.playUntil([&] { return scoredHands(table.program.record.history()) >= 2; }));
            // The writer's trouble is said on the window's thread, over the table.
            if (!usable)
                QTRY_VERIFY(table.window.findChild<QMessageBox*>("recordTrouble"));
            QCOMPARE(keeping.writer() != nullptr, usable);
            // The saved game goes by the number the record file gives it, across runs.
            const QString saved = dir.filePath("game.jsonl");
            QVERIFY(table.program.recordWindows->saveGameRecordTo(saved));
            QFile in(saved);
            QVERIFY(in.open(QIODevice::ReadOnly));
            QVERIFY(in.readLine().startsWith(on && usable ? "{\"ev\":\"game\",\"game\":2,"
                                                          : "{\"ev\":\"game\",\"game\":1,"));
        } // the program ends with the last hand perhaps still queued
        if (!usable)
            return;
        RecordReader reader(path);
        QVERIFY(reader.isOpen());
        QCOMPARE(RecordStatistics::read(reader.connectionName()).hands, on ? 3 : 1);
    }
};

QTEST_MAIN(GameRecordWindowsTest)
#include "game_record_windows_test.moc"
