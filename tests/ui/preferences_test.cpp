// What the program remembers between runs: options set in the dialog come back in the next run,
// a damaged or hand-edited file starts cleanly with defaults where a value is wrong, and the key
// is only kept when asked.
#include "table_fixture.h"
#include "ui/options_dialog.h"
#include "ui/preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

struct Run {
    GameProgram program;
    Run(std::uint64_t seed, const QString& file)
        : program(seed, {}, std::make_unique<Preferences>(file)) {
        program.scheduler.setTimeScale(0.0);
        program.start();
    }
    Table& t() { return program.engine.table(); }
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    // Options set in the dialog come back in the next run, which draws its dealer from another
    // seed; options cancelled do not.
    void optionsComeBackInTheNextRun_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void optionsComeBackInTheNextRun() {
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        Run first(1, file);
        const Table before = first.t();
        first.program.window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* options = first.program.window.findChild<OptionsDialog*>();
        QVERIFY(options);
        auto box = [&](const char* name) { return options->findChild<QCheckBox*>(name); };
        auto combo = [&](const char* name) { return options->findChild<QComboBox*>(name); };
        const int design = (before.backDesign + 3) % 8;
        options->pickDesign(design);
        combo("cboSpeed")->setCurrentIndex(combo("cboSpeed")->findData(SpeedGiveEr));
        box("chkFollowSuit")->setChecked(true);
        box("chkTutorial")->setChecked(true);
        box("chk525")->setChecked(false);
        combo("cboComputers")->setCurrentIndex(1);
        QTest::mouseClick(options->findChild<QPushButton*>(ok ? "cmdOK" : "cmdCancel"),
                          Qt::LeftButton);
        Run second(2, file);
        const Table& t = second.t();
        QCOMPARE(t.speedDelay, ok ? SpeedGiveEr : before.speedDelay);
        QCOMPARE(t.mustFollowSuit, ok);
        QCOMPARE(t.tutorialMode, ok);
        QCOMPARE(t.anyBidAllowed, ok);
        QCOMPARE(t.expertComputers, ok);
        if (ok)
            QCOMPARE(t.backDesign, design);
        else
            QVERIFY(!QFile::exists(file) || !Preferences(file).table().backDesign);
    }

    void damagedFilesStartWithDefaults_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("speed");
        QTest::addColumn<bool>("followSuit");
        QTest::addColumn<bool>("anyBid");
        QTest::addColumn<bool>("designKept");

        QTest::newRow("binary garbage")
            << QByteArray("\x00\xff\x13[[[=\n\x01\x02", 11) << 300 << false << false << false;
        QTest::newRow("values out of range")
            << QByteArray("[options]\nspeed=12345\nbackDesign=9\ntutorial=maybe\n"
                          "mustFollowSuit=yes please\nfiveRule=2\n")
            << 300 << false << false << false;
        QTest::newRow("wrong types") << QByteArray("[options]\nspeed=@ByteArray(xyz)\n"
                                                   "backDesign=@Variant(\\0\\0\\0\\x7f)\n")
                                     << 300 << false << false << false;
        QTest::newRow("sound values among broken ones")
            << QByteArray("[options]\nspeed=700\nbackDesign=-1\nmustFollowSuit=true\n"
                          "fiveRule=false\ntutorial=\n[[broken section\n")
            << 700 << true << true << false;
        QTest::newRow("a hand-edited sound file")
            << QByteArray("[options]\nspeed=50\nbackDesign=5\nmustFollowSuit=1\nfiveRule=0\n") << 50
            << true << true << true;
    }
    void damagedFilesStartWithDefaults() {
        QFETCH(QByteArray, contents);
        QFETCH(int, speed);
        QFETCH(bool, followSuit);
        QFETCH(bool, anyBid);
        QFETCH(bool, designKept);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        writeFile(file, contents);

        const TablePreferences read = Preferences(file).table();
        QCOMPARE(read.speedDelay, speed);
        QCOMPARE(read.mustFollowSuit, followSuit);
        QCOMPARE(read.anyBidAllowed, anyBid);
        QVERIFY(!read.tutorialMode);
        QCOMPARE(read.backDesign.has_value(), designKept);

        // The program starts on it, with no dialog, and plays.
        Run run(3, file);
        QCOMPARE(run.t().speedDelay, speed);
        QVERIFY(run.t().backDesign >= 0 && run.t().backDesign < 8);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void theKeyIsKeptOnlyWhenAskedAndOddFieldsAreDropped() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        {
            Preferences p(file);
            p.setLobby({QStringLiteral("Nellie"), QStringLiteral("cards.example.org:9000"), true,
                        QStringLiteral("secret1")});
        }
        QCOMPARE(Preferences(file).lobby().key, QStringLiteral("secret1"));
        {
            Preferences p(file);
            p.setLobby({QStringLiteral("Nellie"), QStringLiteral("cards.example.org:9000"), false,
                        QStringLiteral("secret1")});
        }
        const LobbyPreferences read = Preferences(file).lobby();
        QCOMPARE(read.userName, QStringLiteral("Nellie"));
        QCOMPARE(read.server, QStringLiteral("cards.example.org:9000"));
        QVERIFY(read.key.isEmpty());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.readAll().contains("secret1"));

        // Fields out of shape are dropped.
        writeFile(file, "[lobby]\nname=A name far too long for the field\nserver=\"a\\tb\"\n"
                        "rememberKey=true\nkey=123456789\n");
        const LobbyPreferences odd = Preferences(file).lobby();
        QVERIFY(odd.userName.isEmpty() && odd.server.isEmpty() && odd.key.isEmpty());
        QVERIFY(odd.rememberKey);
    }

    // The window comes back where it was; starting up writes no place of its own, so a run
    // that is killed before it ends leaves the last good place for the next one.
    void theWindowComesBackWhereItWas() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        QPoint place;
        {
            Run first(1, file);
            first.program.window.move(123, 77);
            place = first.program.window.pos();
        }
        const WindowPreferences kept = Preferences(file).window();
        QVERIFY(!kept.geometry.isEmpty());
        Run second(2, file);
        QCOMPARE(second.program.window.pos(), place);
        QCOMPARE(Preferences(file).window(), kept);
    }
};

QTEST_MAIN(PreferencesTest)
#include "preferences_test.moc"
