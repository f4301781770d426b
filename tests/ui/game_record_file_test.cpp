// Game, "Save Game Record...": the game so far written as trace lines, one JSON object a line,
// the game's line first, a deal for each hand of the history and every card played.
#include "table_fixture.h"
#include "ui/record_windows.h"

#include <QAction>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

class GameRecordFileTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void theGameSoFarIsWrittenAsTraceLines() {
        TableUnderTest table(51);
        const GameRecord& record = table.program.record;
        QVERIFY(table.window.action(QStringLiteral("mnuSaveGameRecord")));
        for (int guard = 0; guard < 2000; ++guard) {
            const auto& hands = record.history().hands;
            if (hands.size() >= 3 && !table.engine.handUnderWay())
                break;
            QVERIFY(table.playOneMove());
        }
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("game.jsonl"));
        QVERIFY(table.program.recordWindows->saveGameRecordTo(file));
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QMap<QString, int> events;
        QString first;
        while (!in.atEnd()) {
            const QJsonDocument line = QJsonDocument::fromJson(in.readLine());
            QVERIFY(line.isObject());
            const QString ev = line.object().value(QStringLiteral("ev")).toString();
            if (first.isEmpty())
                first = ev;
            ++events[ev];
        }
        QCOMPARE(first, QStringLiteral("game"));
        QCOMPARE(events.value(QStringLiteral("game")), 1);
        const GameHistory& game = record.history();
        QCOMPARE(events.value(QStringLiteral("deal")), static_cast<int>(game.hands.size()));
        int cards = 0;
        int scored = 0;
        for (const RecordedHand& h : game.hands) {
            for (const RecordedTrick& t : h.tricks)
                cards += static_cast<int>(t.order.size());
            scored += h.stage == HandStage::Scored ? 1 : 0;
        }
        QCOMPARE(events.value(QStringLiteral("play")), cards);
        QCOMPARE(events.value(QStringLiteral("hand")), scored);
        QVERIFY(!table.program.recordWindows->saveGameRecordTo(
            dir.filePath(QStringLiteral("no/such/dir/x"))));
    }
};

QTEST_MAIN(GameRecordFileTest)
#include "game_record_file_test.moc"
