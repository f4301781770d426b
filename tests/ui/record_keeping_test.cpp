// The program keeps its record beside its preferences: scored hands reach the file while
// "Record games" is on, none while it is off, all of them written by the time the program has
// gone; a file that cannot be used is said over the table; the switch lives in the options
// dialog.
#include "table_fixture.h"
#include "ui/record_keeping.h"
#include "ui/record_statistics.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

bool playHands(TableUnderTest& table, int hands) {
    auto scored = [&] {
        int n = 0;
        for (const RecordedHand& h : table.program.record.history().hands)
            n += h.stage == HandStage::Scored ? 1 : 0;
        return n;
    };
    for (int guard = 0; guard < 3000 && scored() < hands; ++guard)
        if (!table.playOneMove())
            return false;
    return scored() >= hands;
}

} // namespace

class RecordKeepingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

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
        {
            QSettings s(prefs, QSettings::IniFormat);
            s.setValue(QString::fromLatin1(RecordKeeping::SettingKey), on);
        }
        if (!usable)
            QVERIFY(QDir().mkpath(path));
        {
            TableUnderTest table(41, 0.0, {}, std::make_unique<Preferences>(prefs));
            RecordKeeping& keeping = *table.program.keeping;
            QCOMPARE(keeping.path(), path);
            QCOMPARE(keeping.enabled(), on);
            QVERIFY(playHands(table, 2));
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

    void theOptionsDialogTurnsItOff() {
        QTemporaryDir dir;
        const QString prefs = dir.filePath(QStringLiteral("corvane.conf"));
        TableUnderTest table(42, 0.0, {}, std::make_unique<Preferences>(prefs));
        QVERIFY(table.program.keeping->enabled());
        table.window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* box = table.window.findChild<QCheckBox*>(QStringLiteral("chkRecordGames"));
        QVERIFY(box);
        QVERIFY(box->isChecked());
        box->setChecked(false);
        QTest::mouseClick(table.window.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
        QVERIFY(!table.program.keeping->enabled());
        QSettings s(prefs, QSettings::IniFormat);
        QCOMPARE(s.value(QString::fromLatin1(RecordKeeping::SettingKey)).toBool(), false);
    }

    void aProgramWithoutPreferencesKeepsNothing() {
        TableUnderTest table(43);
        QVERIFY(!table.program.keeping->keeps());
        QVERIFY(!table.program.keeping->writer());
    }
};

QTEST_MAIN(RecordKeepingTest)
#include "record_keeping_test.moc"
