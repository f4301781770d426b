// The record file on a real SQLite file in a temporary folder, where it loses or spoils games: a
// version 1 file brought forward, a corrupt file put aside, a read-only and a full file refused
// with one message, a lock held by another connection waited out, two writers at once, and a
// writer killed mid-game that loses no more than the hand it was writing. (What is written is
// read back by the statistics' test.)
#include "ui/record_store.h"

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
#include <thread>
#include <unistd.h>

using namespace corvane;
using namespace corvane::ui;

namespace {

const RecordedGameInfo game{
    QStringLiteral("standalone"),
    QStringLiteral("Standard"),
    {QStringLiteral("You"), QStringLiteral("Ann"), QStringLiteral("Bo"), QStringLiteral("Cy")},
    {QStringLiteral("person"), QStringLiteral("computer"), QStringLiteral("computer"),
     QStringLiteral("computer")}};

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
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
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

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
        path = dir.filePath(QStringLiteral("record-%1.sqlite").arg(QTest::currentTestFunction()));
    }

    // The old hand counts in the totals with the new one; what it never had stays empty.
    void aVersionOneFileIsBroughtForward() {
        {
            Raw old(path);
            const QString schema = QStringLiteral(R"(
CREATE TABLE games(id INTEGER PRIMARY KEY, started TEXT NOT NULL, mode TEXT NOT NULL, level TEXT
  NOT NULL, name0 TEXT, name1 TEXT, name2 TEXT, name3 TEXT, winner INTEGER, score0 INTEGER NOT NULL
  DEFAULT 0, score1 INTEGER NOT NULL DEFAULT 0);
CREATE TABLE hands(id INTEGER PRIMARY KEY, game INTEGER NOT NULL REFERENCES games(id), number
  INTEGER NOT NULL, played TEXT NOT NULL, dealer INTEGER NOT NULL, bidder INTEGER NOT NULL, bid
  INTEGER NOT NULL, trump INTEGER NOT NULL, made INTEGER NOT NULL, points INTEGER NOT NULL, score0
  INTEGER NOT NULL, score1 INTEGER NOT NULL);
INSERT INTO games VALUES(1,'2026-01-01T10:00:00Z','standalone','Expert','You','A','B','C',1,35,120);
INSERT INTO hands VALUES(1,1,1,'2026-01-01T10:01:00Z',0,1,25,3,1,25,0,25);
PRAGMA user_version=1)");
            for (const QString& sql : schema.split(QLatin1Char(';')))
                QVERIFY2(old.exec(sql), qPrintable(sql));
        }
        RecordStore store({path});
        QVERIFY(store.open());
        store.recordHand(game, hand(1));
        QCOMPARE(store.handCount(), 2);
        Raw raw(path);
        const std::pair<const char*, QVariant> rows[] = {
            {"PRAGMA user_version", RecordStore::SchemaVersion},
            {"SELECT made FROM bid_totals WHERE bid=25", 1},
            {"SELECT sum(hands) FROM bid_totals", 2},
            {"SELECT level || winner || kind0 FROM games WHERE id=1", "Expert1person"},
            {"SELECT ifnull(counted, 'none') FROM hands ORDER BY id", "none"},
            // The new hand, of a new game not won yet.
            {"SELECT bids || ' ' || counted || kind1 || ifnull(winner, 'none') FROM hands JOIN "
             "games ON games.id = game WHERE hands.id=2",
             "1:20 2:Pass 20computernone"}};
        for (const auto& [sql, expected] : rows)
            QCOMPARE(raw.value(sql), expected.toString());
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
            QDir(dir.path()).entryList({QFileInfo(path).fileName() + QStringLiteral(".damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(contents(dir.filePath(aside[0])), garbage);
        QCOMPARE(h.said.size(), 1); // naming the file put aside
        QVERIFY(h.said[0].contains(aside[0]));
    }

    void aReadOnlyFileGivesOneMessageAndIsLeftAlone() {
        QTemporaryDir own; // a folder the child may not write in
        path = own.filePath(QStringLiteral("record.sqlite"));
        {
            RecordStore store({path});
            QVERIFY(store.open());
            store.recordHand(game, hand(1));
        }
        QFile(path).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile(own.path())
            .setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner |
                            QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                            QFile::ExeOther);
        const QByteArray bytes = contents(path);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--read-only"), path});
        QVERIFY(child.waitForFinished(30000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
        QVERIFY2(out.startsWith(QStringLiteral("1 2 The game record")), qPrintable(out));
        QCOMPARE(contents(path), bytes);
        QCOMPARE(QDir(own.path()).entryList({QStringLiteral("*.damaged-*")}).size(), 0);
    }

    void aFullFileStopsTheRecordWithOneMessage() {
        Heard h(path, 5000, 12);
        QVERIFY(h.store.open());
        for (int n = 1; n <= 2000 && h.store.state() == RecordStore::State::Open; ++n)
            h.store.recordHand(game, hand(n));
        QCOMPARE(h.store.state(), RecordStore::State::Failed);
        h.store.recordHand(game, hand(1));
        QCOMPARE(h.said.size(), 1);
        QVERIFY2(h.said[0].contains(QStringLiteral("the disk is full")), qPrintable(h.said[0]));
        QVERIFY(QFile::exists(path));
    }

    // A hand that meets a lock held past the time-out is written with the next one.
    void aLockHeldElsewhereIsWaitedOutAndNothingIsLost() {
        Heard h(path, 100);
        QVERIFY(h.store.open());
        {
            Raw other(path);
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            h.store.recordHand(game, hand(1));
            QCOMPARE(h.store.pendingHands(), 1);
            QVERIFY(other.exec(QStringLiteral("COMMIT")));
        }
        h.store.recordHand(game, hand(2));
        QCOMPARE(h.store.pendingHands(), 0);
        QCOMPARE(h.store.handCount(), 2);
        QCOMPARE(h.store.gameCount(), 1);
        QVERIFY(h.said.isEmpty());
    }

    void twoWritersAtOnceBothRecord() {
        QVERIFY(RecordStore({path}).open());
        auto writer = [&] {
            RecordStore store({path});
            for (int n = 1; n <= 40 && store.open(); ++n)
                store.recordHand(game, hand(n));
        };
        std::thread a(writer), b(writer);
        a.join();
        b.join();
        QCOMPARE(Raw(path).value("SELECT count(*) || count(DISTINCT game) FROM hands"),
                 QStringLiteral("802"));
    }

    void aKilledWriterLosesNoMoreThanTheHandInPlay() {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), path});
        int told = 0;
        while (told < 40 && child.waitForReadyRead(10000))
            while (child.canReadLine())
                told = child.readLine().mid(5).trimmed().toInt();
        QVERIFY(told >= 40);
        child.kill(); // SIGKILL, wherever it is in its write
        QVERIFY(child.waitForFinished());
        Raw raw(path);
        QCOMPARE(raw.value("PRAGMA integrity_check"), QStringLiteral("ok"));
        const int hands = raw.value("SELECT count(*) FROM hands").toInt();
        QVERIFY(hands >= told);
        // Every hand that is there is whole, numbered on from 1, and the game's score is its last.
        QCOMPARE(raw.value("SELECT max(number) FROM hands").toInt(), hands);
        QCOMPARE(raw.value("SELECT score1 FROM games").toInt(), 2 * hands);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--writer"))
        return childWriter(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("--read-only"))
        return childReadOnly(args[2]);
    RecordStoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "record_store_test.moc"
