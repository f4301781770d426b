// The record file on a real SQLite file in a temporary folder: hands written and read back, a
// version 1 file brought forward, a corrupt file put aside, a read-only and a full file refused
// with one message, a lock held by another connection waited out, two writers at once, and a
// writer killed mid-game that loses no more than the hand it was writing.
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
#include <future>
#include <thread>
#include <unistd.h>

using namespace corvane;
using namespace corvane::ui;

namespace {

RecordedGameInfo gameInfo() {
    return {
        QStringLiteral("standalone"),
        QStringLiteral("Standard"),
        {QStringLiteral("You"), QStringLiteral("Ann"), QStringLiteral("Bo"), QStringLiteral("Cy")},
        {QStringLiteral("person"), QStringLiteral("computer"), QStringLiteral("computer"),
         QStringLiteral("computer")}};
}

RecordedHand hand(int number, std::array<int, 2> scores, bool made = true) {
    RecordedHand h;
    h.number = number;
    h.dealer = number % 4;
    h.bids = {{(number + 1) % 4, "20"}, {(number + 2) % 4, "Pass"}};
    h.bidder = (number + 1) % 4;
    h.bid = 20;
    h.trump = number % 4;
    h.made = made;
    h.counted = made ? 20 : 15;
    h.points = 20;
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
    QVariant value(const QString& sql) const {
        QSqlQuery q(QSqlDatabase::database(name, false));
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    bool exec(const QString& sql) const {
        QSqlQuery q(QSqlDatabase::database(name, false));
        return q.exec(sql);
    }
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
    if (!store.open())
        return 2;
    for (int n = 1;; ++n) {
        store.recordHand(gameInfo(), hand(n, {n, 2 * n}));
        std::printf("hand %d\n", n);
        std::fflush(stdout);
    }
}

// The child that meets a read-only file as a person does (root writes whatever the mode says).
int childReadOnly(const QString& path) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    Heard h(path);
    if (h.store.open())
        h.store.recordHand(gameInfo(), hand(1, {20, 5}));
    h.store.recordHand(gameInfo(), hand(2, {40, 5}));
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
        QVERIFY(dir.isValid());
        path = dir.filePath(QStringLiteral("record-%1.sqlite").arg(QTest::currentTestFunction()));
    }

    void handsAreWrittenAndReadBack() {
        {
            RecordStore store({path});
            QVERIFY(store.open());
            store.recordHand(gameInfo(), hand(1, {20, 10}));
            store.recordHand(gameInfo(), hand(2, {0, 20}, false));
            store.recordGameWon(0, {120, 20});
            store.recordHand(gameInfo(), hand(1, {5, 0}));
        }
        RecordStore again({path});
        QVERIFY(again.open());
        QCOMPARE(again.handCount(), 3);
        QCOMPARE(again.gameCount(), 2);
        Raw raw(path);
        const std::pair<const char*, QVariant> rows[] = {
            {"PRAGMA user_version", RecordStore::SchemaVersion},
            {"SELECT winner || ' ' || score0 FROM games ORDER BY id LIMIT 1", "0 120"},
            {"SELECT winner IS NULL FROM games ORDER BY id DESC LIMIT 1", 1},
            {"SELECT bids FROM hands WHERE made=0", "3:20 0:Pass"},
            {"SELECT name1 || kind0 FROM games LIMIT 1", "Annperson"}};
        for (const auto& [sql, expected] : rows)
            QCOMPARE(raw.value(QString::fromLatin1(sql)).toString(), expected.toString());
    }

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
        store.recordHand(gameInfo(), hand(1, {20, 0}));
        QCOMPARE(store.handCount(), 2);
        Raw raw(path);
        // The old hand counts in the totals with the new one; what it never had stays empty.
        const std::pair<const char*, QVariant> rows[] = {
            {"PRAGMA user_version", RecordStore::SchemaVersion},
            {"SELECT made FROM bid_totals WHERE bid=25", 1},
            {"SELECT sum(hands) FROM bid_totals", 2},
            {"SELECT level || winner || kind0 FROM games WHERE id=1", "Expert1person"},
            {"SELECT counted IS NULL FROM hands WHERE id=1", 1},
            {"SELECT counted FROM hands WHERE id=2", 20}};
        for (const auto& [sql, expected] : rows)
            QCOMPARE(raw.value(QString::fromLatin1(sql)).toString(), expected.toString());
    }

    void aCorruptFileIsPutAsideAndANewOneBegun() {
        const QByteArray garbage = "not a database at all" + QByteArray(8192, 'x');
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(garbage) == garbage.size());
        f.close();
        Heard h(path);
        QVERIFY(h.store.open());
        h.store.recordHand(gameInfo(), hand(1, {20, 0}));
        QCOMPARE(h.store.handCount(), 1);
        QCOMPARE(h.said.size(), 1);
        QVERIFY(h.said[0].startsWith(QStringLiteral("The game record could not be read.")));
        const QStringList aside =
            QDir(dir.path()).entryList({QFileInfo(path).fileName() + QStringLiteral(".damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(contents(dir.filePath(aside[0])), garbage);
        QVERIFY(h.said[0].contains(aside[0]));
    }

    void aReadOnlyFileGivesOneMessageAndIsLeftAlone() {
        QTemporaryDir own; // a folder the child may not write in
        path = own.filePath(QStringLiteral("record.sqlite"));
        {
            RecordStore store({path});
            QVERIFY(store.open());
            store.recordHand(gameInfo(), hand(1, {20, 0}));
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
        QCOMPARE(child.exitCode(), 0);
        const QString out = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
        QVERIFY2(out.startsWith(QStringLiteral("1 2 The game record")), qPrintable(out));
        QCOMPARE(contents(path), bytes);
        QCOMPARE(QDir(own.path()).entryList({QStringLiteral("*.damaged-*")}).size(), 0);
    }

    void aFullFileStopsTheRecordWithOneMessage() {
        Heard h(path, 5000, 12);
        QVERIFY(h.store.open());
        for (int n = 1; n <= 2000 && h.store.state() == RecordStore::State::Open; ++n)
            h.store.recordHand(gameInfo(), hand(n, {n, n}));
        QCOMPARE(h.store.state(), RecordStore::State::Failed);
        h.store.recordHand(gameInfo(), hand(1, {1, 1}));
        QCOMPARE(h.said.size(), 1);
        QVERIFY2(h.said[0].contains(QStringLiteral("the disk is full")), qPrintable(h.said[0]));
        QVERIFY(QFile::exists(path));
    }

    void aLockHeldElsewhereIsWaitedOutAndNothingIsLost() {
        Heard h(path, 100);
        QVERIFY(h.store.open());
        {
            Raw other(path);
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            h.store.recordHand(gameInfo(), hand(1, {20, 0}));
            QCOMPARE(h.store.pendingHands(), 1);
            QCOMPARE(h.store.state(), RecordStore::State::Open);
            QVERIFY(other.exec(QStringLiteral("COMMIT")));
        }
        h.store.recordHand(gameInfo(), hand(2, {40, 0}));
        QCOMPARE(h.store.pendingHands(), 0);
        QCOMPARE(h.store.handCount(), 2);
        QCOMPARE(h.store.gameCount(), 1);
        QVERIFY(h.said.isEmpty());

        // A lock let go within the time-out is simply waited for.
        RecordStore patient({path, 5000});
        QVERIFY(patient.open());
        std::promise<void> locked;
        std::thread holder([&] {
            Raw other(path);
            other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            locked.set_value();
            QThread::msleep(300); // the other program's write, shorter than the time-out
            other.exec(QStringLiteral("COMMIT"));
        });
        locked.get_future().wait();
        patient.recordHand(gameInfo(), hand(1, {5, 0}));
        holder.join();
        QCOMPARE(patient.pendingHands(), 0);
        QCOMPARE(patient.handCount(), 3);
    }

    void twoWritersAtOnceBothRecord() {
        QVERIFY(RecordStore({path}).open());
        auto writer = [&](int offset) {
            RecordStore store({path});
            for (int n = 1; n <= 40 && store.open(); ++n)
                store.recordHand(gameInfo(), hand(n, {offset + n, n}));
        };
        std::thread a(writer, 0);
        std::thread b(writer, 1000);
        a.join();
        b.join();
        Raw raw(path);
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM hands")).toInt(), 80);
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM games")).toInt(), 2);
        QCOMPARE(raw.value(QStringLiteral("SELECT count(DISTINCT game) FROM hands")).toInt(), 2);
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
        QCOMPARE(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                 QStringLiteral("ok"));
        const int hands = raw.value(QStringLiteral("SELECT count(*) FROM hands")).toInt();
        QVERIFY(hands >= told);
        // Every hand that is there is whole, numbered on from 1, and the game's score is its last.
        QCOMPARE(raw.value(QStringLiteral("SELECT max(number) FROM hands")).toInt(), hands);
        QCOMPARE(raw.value(QStringLiteral("SELECT score1 FROM games")).toInt(), 2 * hands);
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
