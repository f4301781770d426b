// The record file on a real SQLite file in a temporary folder, where it loses or spoils games: a
// corrupt file put aside, a read-only and a full file refused with one message, a lock held by
// another connection waited out, and a second writer at the same time, killed mid-game, that
// loses no more than the hand it was writing. (The statistics' test reads back what is written.)
#include "record/record_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <cstdio>
#include <unistd.h>

using namespace corvane;
using namespace corvane::ui;

namespace {

const RecordedGameInfo game{"standalone",
                            "Standard",
                            {"You", "Ann", "Bo", "Cy"},
                            {"person", "computer", "computer", "computer"},
                            {}};

RecordedHand hand(int number, std::array<int, 2> scores = {}) {
    RecordedHand h;
    h.number = number;
    h.bids = {{1, "20"}, {2, "Pass"}};
    h.bidder = 1;
    h.bid = 20;
    h.made = true;
    h.counted = 20;
    h.scores = scores;
    h.stage = HandStage::Scored;
    return h;
}

// A connection of the test's own on the file, outside any store.
struct Raw {
    QString name = QUuid::createUuid().toString();
    explicit Raw(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Raw() {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    bool exec(const QString& sql) const { return QSqlQuery(db()).exec(sql); }
    QString value(const char* sql) const {
        QSqlQuery q(db());
        return q.exec(QString::fromLatin1(sql)) && q.next() ? q.value(0).toString() : QString();
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }
};

// A store that keeps what it says.
struct Heard {
    RecordStore store;
    QStringList said;
    explicit Heard(const QString& path, int busyMs = 5000, int maxPages = 0)
        : store({path, busyMs, maxPages}) {
        store.setTroubleHandler([this](const QString& text) { said << text; });
    }
};

// The child writer: records hands of one game until killed, saying after each one.
int childWriter(const QString& path) {
    RecordStore store({path});
    for (int n = 1; store.open(); ++n) {
        store.recordHand(game, hand(n, {n, 2 * n}));
        std::printf("hand %d\n", n);
        std::fflush(stdout);
    }
    return 2;
}

// The child that meets a read-only file as a person does (root writes whatever the mode says).
int childReadOnly(const QString& path) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    Heard h(path);
    if (h.store.open())
        h.store.recordHand(game, hand(1));
    h.store.recordHand(game, hand(2));
    std::printf("%d %d %s\n", int(h.said.size()), static_cast<int>(h.store.state()),
                qPrintable(h.said.value(0)));
    return 0;
}

} // namespace

class RecordStoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        path = dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + ".sqlite");
    }

    void aCorruptFileIsPutAsideAndANewOneBegun() {
        const QByteArray garbage = "not a database at all" + QByteArray(8192, 'x');
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(garbage) == garbage.size());
        f.close();
        Heard h(path);
        QVERIFY(h.store.open());
        h.store.recordHand(game, hand(1));
        QCOMPARE(h.store.handCount(), 1);
        const QStringList aside =
            QDir(dir.path()).entryList({QFileInfo(path).fileName() + ".damaged-*"});
        QCOMPARE(aside.size(), 1);
        QFile put(dir.filePath(aside[0]));
        QVERIFY(put.open(QIODevice::ReadOnly) && put.readAll() == garbage);
        QCOMPARE(h.said.size(), 1); // naming the file put aside
        QVERIFY(h.said[0].contains(aside[0]));
    }

    void aReadOnlyFileGivesOneMessageAndIsLeftAlone() {
        QTemporaryDir own; // a folder the child may not write in
        path = own.filePath("record.sqlite");
        {
            RecordStore store({path});
            QVERIFY(store.open());
            store.recordHand(game, hand(1));
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
        QFile::setPermissions(own.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--read-only", path});
        QVERIFY(child.waitForFinished(30000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
        QVERIFY2(out.startsWith("1 2 The game record"), qPrintable(out)); // one message, Failed
        QCOMPARE(QDir(own.path()).entryList({"*.damaged-*"}).size(), 0);
    }

    void aFullFileStopsTheRecordWithOneMessage() {
        Heard h(path, 5000, 12);
        QVERIFY(h.store.open());
        for (int n = 1; n <= 2000 && h.store.state() == RecordStore::State::Open; ++n)
            h.store.recordHand(game, hand(n));
        QCOMPARE(h.store.state(), RecordStore::State::Failed);
        h.store.recordHand(game, hand(1));
        QCOMPARE(h.said.size(), 1);
        QVERIFY2(h.said[0].contains("the disk is full"), qPrintable(h.said[0]));
        QVERIFY(QFile::exists(path));
    }

    // A hand that meets a lock held past the time-out is written with the next one.
    void aLockHeldElsewhereIsWaitedOutAndNothingIsLost() {
        Heard h(path, 100);
        QVERIFY(h.store.open());
        QSqlQuery timeout(QSqlDatabase::database(h.store.connectionName()));
        QVERIFY(timeout.exec("PRAGMA busy_timeout") && timeout.next());
        QCOMPARE(timeout.value(0).toInt(), 100); // a lock let go within it is simply waited for
        {
            Raw other(path);
            QVERIFY(other.exec("BEGIN EXCLUSIVE"));
            h.store.recordHand(game, hand(1));
            QCOMPARE(h.store.pendingHands(), 1);
            QVERIFY(other.exec("COMMIT"));
        }
        h.store.recordHand(game, hand(2));
        QCOMPARE(h.store.pendingHands(), 0);
        QCOMPARE(h.store.handCount(), 2);
        QCOMPARE(h.store.gameCount(), 1);
        QVERIFY(h.said.isEmpty());
    }

    // Another program writes the file at the same time and is killed mid-write: the file is
    // sound, all our hands are there, and of its own every hand it told of, whole.
    void aSecondWriterKilledMidGameLosesNoMoreThanTheHandInPlay() {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--writer", path});
        QVERIFY(child.waitForReadyRead(10000)); // its game is the file's first
        RecordStore ours({path});
        QVERIFY(ours.open());
        for (int n = 1; n <= 40; ++n)
            ours.recordHand(game, hand(n));
        int told = 0;
        while (told < 40 && child.waitForReadyRead(10000))
            while (child.canReadLine())
                told = child.readLine().mid(5).trimmed().toInt();
        QVERIFY(told >= 40);
        child.kill(); // SIGKILL, wherever it is in its write
        QVERIFY(child.waitForFinished());
        Raw raw(path);
        QCOMPARE(raw.value("PRAGMA integrity_check"), QStringLiteral("ok"));
        QCOMPARE(raw.value("SELECT count(*) FROM hands WHERE game=2"), QStringLiteral("40"));
        QCOMPARE(raw.value("SELECT bids FROM hands LIMIT 1"), QStringLiteral("1:20 2:Pass"));
        const int hands = raw.value("SELECT count(*) FROM hands WHERE game=1").toInt();
        QVERIFY(hands >= told);
        // Numbered on from 1, and the game's score is its last hand's.
        QCOMPARE(raw.value("SELECT max(number) FROM hands WHERE game=1").toInt(), hands);
        QCOMPARE(raw.value("SELECT score1 FROM games WHERE id=1").toInt(), 2 * hands);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "--writer")
        return childWriter(args[2]);
    if (args.size() == 3 && args[1] == "--read-only")
        return childReadOnly(args[2]);
    RecordStoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "record_store_test.moc"
