// What the program remembers between runs beyond the options (the dialog's test has those): a
// damaged or hand-edited file read with defaults where a value is wrong, the key kept only when
// asked, the window's place and zoom, and the language.
#include "table_fixture.h"
#include "ui/program/preferences.h"

#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TablePreferences prefs(int speed, bool followSuit, bool anyBid, std::optional<int> design = {}) {
    TablePreferences p;
    p.speedDelay = speed;
    p.mustFollowSuit = followSuit;
    p.anyBidAllowed = anyBid;
    p.backDesign = design;
    return p;
}

} // namespace

Q_DECLARE_METATYPE(TablePreferences)

class PreferencesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file;

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }
    void init() {
        file = dir.filePath(QStringLiteral("%1-%2.conf")
                                .arg(QLatin1String(QTest::currentTestFunction()),
                                     QLatin1String(QTest::currentDataTag())));
    }

    void damagedFilesGiveDefaults_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<TablePreferences>("read");
        QTest::newRow("out of range") << QByteArray("[options]\nspeed=12345\nbackDesign=8\n"
                                                    "tutorial=maybe\nmustFollowSuit=yes please\n"
                                                    "fiveRule=2\n")
                                      << prefs(300, 0, 0);
        QTest::newRow("sound among broken") << QByteArray("[options]\nspeed=700\nbackDesign=-1\n"
                                                          "mustFollowSuit=true\nfiveRule=false\n"
                                                          "tutorial=\n[[broken section\n")
                                            << prefs(700, 1, 1);
        QTest::newRow("hand-edited, sound")
            << QByteArray("[options]\nspeed=50\nbackDesign=5\nmustFollowSuit=1\nfiveRule=0\n")
            << prefs(50, 1, 1, 5);
    }
    void damagedFilesGiveDefaults() {
        QFETCH(QByteArray, contents);
        QFETCH(TablePreferences, read);
        writeFile(file, contents);
        QCOMPARE(Preferences(file).table(), read);
    }

    void theKeyIsKeptOnlyWhenAskedAndOddFieldsAreDropped() {
        const QString name = QStringLiteral("Nellie"), server = QStringLiteral("cards.org:9000");
        Preferences(file).setLobby({name, server, true, QStringLiteral("secret1")});
        QCOMPARE(Preferences(file).lobby().key, QStringLiteral("secret1"));
        QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        Preferences(file).setLobby({name, server, false, QStringLiteral("secret1")});
        QCOMPARE(Preferences(file).lobby(), (LobbyPreferences{name, server, false, {}}));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly) && !f.readAll().contains("secret1"));

        writeFile(file, "[lobby]\nname=A name far too long for the field\nserver=\"a\\tb\"\n"
                        "rememberKey=true\nkey=123456789\n");
        QCOMPARE(Preferences(file).lobby(), (LobbyPreferences{{}, {}, true, {}}));
    }

    // The window comes back where it was, at its zoom, or smaller and on the screen where the
    // screen (the offscreen platform's) has too little room for it, as it says; starting
    // up writes no place of its own, so a run that is killed before it ends leaves the last good
    // place for the next one.
    void theLanguageIsKeptAndAnUnknownOneIsTheSystems() {
        Preferences(file).setLanguage(LanguageChoice::French);
        QCOMPARE(Preferences(file).language(), LanguageChoice::French);
        writeFile(file, "[options]\nlanguage=tlh\n");
        QCOMPARE(Preferences(file).language(), LanguageChoice::System);
    }

    void theWindowComesBackWhereItWas_data() {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("as it was") << 1.0 << QPoint(43, 27);
        QTest::newRow("too large for the screen") << 2.0 << QPoint(500, 400);
    }
    void theWindowComesBackWhereItWas() {
        QFETCH(double, zoom);
        QFETCH(QPoint, at);
        QPoint place;
        {
            test::TableUnderTest first(1, 0.0, {}, std::make_unique<Preferences>(file));
            first.window.move(at);
            first.window.setZoom(zoom);
            place = first.window.pos();
        }
        const WindowPreferences kept = Preferences(file).window();
        QVERIFY(!kept.geometry.isEmpty());
        test::TableUnderTest second(2, 0.0, {}, std::make_unique<Preferences>(file));
        const bool fits = zoom == 1.0;
        QCOMPARE(second.window.view()->scale().zoom < zoom, !fits);
        QVERIFY(!second.window.view()->fitsWindow());
        QCOMPARE(second.window.pos() == place, fits);
        QVERIFY(
            second.window.screen()->availableGeometry().contains(second.window.frameGeometry()));
        QCOMPARE(second.window.findChild<QMessageBox*>("zoomFitted") != nullptr, !fits);
        QCOMPARE(Preferences(file).window(), kept);
    }
};

QTEST_MAIN(PreferencesTest)
#include "preferences_test.moc"
