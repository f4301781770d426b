// The record file: opening and the schema's versions, the writes, and what a damaged, locked,
// read-only or full file does to them.
#include "record/record_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QUuid>
#include <QVariant>

namespace corvane::ui {

namespace {

// SQLite's result codes that tell what became of a statement.
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteReadOnly = 8;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteFull = 13;
constexpr int SqliteCantOpen = 14;
constexpr int SqliteNotADatabase = 26;

int resultCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : 0;
}

bool damaged(int code) {
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

bool lockedOut(int code) {
    return code == SqliteBusy || code == SqliteLocked;
}

// The version 1 schema as it was, then each step forward.
const char* const Version1[] = {
    "CREATE TABLE games(id INTEGER PRIMARY KEY, started TEXT NOT NULL, mode TEXT NOT NULL, "
    "level TEXT NOT NULL, name0 TEXT, name1 TEXT, name2 TEXT, name3 TEXT, winner INTEGER, "
    "score0 INTEGER NOT NULL DEFAULT 0, score1 INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE hands(id INTEGER PRIMARY KEY, game INTEGER NOT NULL REFERENCES games(id), "
    "number INTEGER NOT NULL, played TEXT NOT NULL, dealer INTEGER NOT NULL, "
    "bidder INTEGER NOT NULL, bid INTEGER NOT NULL, trump INTEGER NOT NULL, "
    "made INTEGER NOT NULL, points INTEGER NOT NULL, score0 INTEGER NOT NULL, "
    "score1 INTEGER NOT NULL)",
};
// Version 2: the seats' kinds, the bids in order, the points counted and each side's trick
// points, and an index for reading a game's hands.
const char* const Version2[] = {
    "ALTER TABLE games ADD COLUMN kind0 TEXT NOT NULL DEFAULT 'person'",
    "ALTER TABLE games ADD COLUMN kind1 TEXT NOT NULL DEFAULT 'computer'",
    "ALTER TABLE games ADD COLUMN kind2 TEXT NOT NULL DEFAULT 'computer'",
    "ALTER TABLE games ADD COLUMN kind3 TEXT NOT NULL DEFAULT 'computer'",
    "ALTER TABLE hands ADD COLUMN bids TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE hands ADD COLUMN counted INTEGER",
    "ALTER TABLE hands ADD COLUMN us INTEGER",
    "ALTER TABLE hands ADD COLUMN them INTEGER",
    "CREATE INDEX hands_by_game ON hands(game)",
};
// Version 3: the bids' and the points' totals by bid and bidder, kept as each hand is written,
// so that the statistics read a dozen rows however long the record.
const char* const Version3[] = {
    "CREATE TABLE bid_totals(bid INTEGER NOT NULL, bidder INTEGER NOT NULL, "
    "made INTEGER NOT NULL DEFAULT 0, hands INTEGER NOT NULL DEFAULT 0, "
    "us INTEGER NOT NULL DEFAULT 0, them INTEGER NOT NULL DEFAULT 0, "
    "counted INTEGER NOT NULL DEFAULT 0, PRIMARY KEY(bid, bidder))",
    "INSERT INTO bid_totals SELECT bid, bidder, sum(made), count(*), coalesce(sum(us), 0), "
    "coalesce(sum(them), 0), count(us) FROM hands GROUP BY bid, bidder",
};

QString bidsText(const RecordedHand& hand) {
    QStringList bids;
    for (const RecordedBid& b : hand.bids)
        bids << QString::number(b.seat) + QLatin1Char(':') + QString::fromStdString(b.bid);
    // Never a null text: the column holds "" for a hand without bids.
    return bids.isEmpty() ? QStringLiteral("") : bids.join(QLatin1Char(' '));
}

} // namespace

QString RecordStore::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QString::fromLatin1(FileName));
}

RecordStore::RecordStore(Options options)
    : m_options(std::move(options)),
      m_connection(QStringLiteral("record-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
}

RecordStore::~RecordStore() {
    closeConnection();
}

void RecordStore::closeConnection() {
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void RecordStore::trouble(const QString& text) {
    m_state = State::Failed;
    closeConnection();
    if (m_onTrouble)
        m_onTrouble(text);
}

bool RecordStore::open() {
    if (m_state == State::Open)
        return true;
    if (openFile())
        return true;
    closeConnection();
    if (!m_damaged) {
        trouble(QString::fromLatin1(UnwritableMessage).arg(m_options.path, m_error));
        return false;
    }
    return beginAgain();
}

bool RecordStore::beginAgain() {
    // A file that is not a sound database is kept aside and a new one begun.
    const QString aside = putAside();
    if (!openFile()) {
        trouble(QString::fromLatin1(UnwritableMessage).arg(m_options.path, m_error));
        return false;
    }
    if (m_onTrouble)
        m_onTrouble(QString::fromLatin1(DamagedMessage).arg(aside));
    return true;
}

QString RecordStore::putAside() {
    closeConnection();
    m_state = State::Closed;
    const QString aside =
        m_options.path + QStringLiteral(".damaged-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFile::exists(m_options.path + suffix))
            QFile::rename(m_options.path + suffix, aside + suffix);
    return aside;
}

bool RecordStore::openFile() {
    m_error.clear();
    m_damaged = false;
    QDir().mkpath(QFileInfo(m_options.path).absolutePath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_options.path);
        db.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_options.busyTimeoutMs));
        if (!db.open()) {
            m_error = db.lastError().text();
            return false;
        }
    }
    if (!prepareSchema())
        return false;
    m_state = State::Open;
    return true;
}

bool RecordStore::prepareSchema() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    auto failed = [&](const QSqlError& e) {
        m_error = e.text();
        m_damaged = damaged(resultCode(e));
        return false;
    };
    // Reading the schema's version is the first touch of the file: a file that is no database
    // says so here.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return failed(q.lastError());
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return failed(q.lastError());
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    if (m_options.maxPages > 0)
        q.exec(QStringLiteral("PRAGMA max_page_count=%1").arg(m_options.maxPages));
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return failed(q.lastError());
    const int version = q.value(0).toInt();
    if (version == SchemaVersion)
        return true;
    if (version > SchemaVersion) {
        m_error = QStringLiteral("made by a newer Corvane");
        return false;
    }
    return migrate(version);
}

bool RecordStore::migrate(int from) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        m_error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    auto run = [&](auto& statements) {
        for (const char* sql : statements)
            if (!q.exec(QString::fromLatin1(sql)))
                return false;
        return true;
    };
    const bool ok = (from >= 1 || run(Version1)) && (from >= 2 || run(Version2)) &&
                    (from >= 3 || run(Version3)) &&
                    q.exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
    if (!ok || !db.commit()) {
        m_error = q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
        m_damaged = damaged(resultCode(q.lastError()));
        db.rollback();
        return false;
    }
    return true;
}

void RecordStore::recordHand(const RecordedGameInfo& game, const RecordedHand& hand) {
    if (m_state != State::Open)
        return;
    Pending p;
    p.game = game;
    p.hand = hand;
    p.newGame = m_gameOpening;
    m_gameOpening = false;
    m_pending.push_back(std::move(p));
    writePending();
}

void RecordStore::recordGameWon(int winner, std::array<int, 2> scores) {
    if (m_state != State::Open)
        return;
    Pending p;
    p.winner = winner;
    p.scores = scores;
    m_pending.push_back(std::move(p));
    m_gameOpening = true;
    writePending();
}

bool RecordStore::writePending() {
    while (!m_pending.empty() && m_state == State::Open) {
        QSqlError error;
        if (write(m_pending.front(), error)) {
            m_pending.erase(m_pending.begin());
            continue;
        }
        const int code = resultCode(error);
        if (lockedOut(code))
            return false; // kept for the next write
        m_pending.clear();
        if (damaged(code)) {
            // The file broke under us: it goes aside and the record goes on in a new one, with
            // the game under way opening afresh there.
            m_gameId.reset();
            m_gameOpening = true;
            beginAgain();
            return false;
        }
        const QString why = code == SqliteFull       ? QStringLiteral("the disk is full")
                            : code == SqliteReadOnly ? QStringLiteral("it is read-only")
                            : code == SqliteCantOpen ? QStringLiteral("it cannot be opened")
                                                     : error.text();
        trouble(QString::fromLatin1(UnwritableMessage).arg(m_options.path, why));
        return false;
    }
    return true;
}

bool RecordStore::write(const Pending& p, QSqlError& error) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    auto fail = [&](const QSqlError& e) {
        error = e;
        db.rollback();
        return false;
    };
    if (!db.transaction())
        return fail(db.lastError());

    if (p.winner) {
        if (m_gameId) {
            q.prepare(QStringLiteral("UPDATE games SET winner=?, score0=?, score1=? WHERE id=?"));
            q.addBindValue(*p.winner);
            q.addBindValue(p.scores[0]);
            q.addBindValue(p.scores[1]);
            q.addBindValue(*m_gameId);
            if (!q.exec())
                return fail(q.lastError());
        }
    } else {
        const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
        std::optional<qint64> gameId = p.newGame ? std::nullopt : m_gameId;
        if (!gameId) {
            q.prepare(QStringLiteral(
                "INSERT INTO games(started, mode, level, name0, name1, name2, name3, kind0, "
                "kind1, kind2, kind3) VALUES(?,?,?,?,?,?,?,?,?,?,?)"));
            q.addBindValue(p.game.started.isEmpty() ? now : p.game.started);
            q.addBindValue(p.game.mode);
            q.addBindValue(p.game.level);
            for (const QString& n : p.game.names)
                q.addBindValue(n);
            for (const QString& k : p.game.kinds)
                q.addBindValue(k);
            if (!q.exec())
                return fail(q.lastError());
            gameId = q.lastInsertId().toLongLong();
        }
        const RecordedHand& h = p.hand;
        const auto points = h.trickPoints();
        q.prepare(QStringLiteral(
            "INSERT INTO hands(game, number, played, dealer, bids, bidder, bid, trump, made, "
            "counted, points, us, them, score0, score1) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        for (const QVariant& v :
             {QVariant(*gameId), QVariant(h.number), QVariant(now), QVariant(h.dealer),
              QVariant(bidsText(h)), QVariant(h.bidder), QVariant(h.bid), QVariant(h.trump),
              QVariant(h.made ? 1 : 0), QVariant(h.counted), QVariant(h.points),
              QVariant(points[0]), QVariant(points[1]), QVariant(h.scores[0]),
              QVariant(h.scores[1])})
            q.addBindValue(v);
        if (!q.exec())
            return fail(q.lastError());
        q.prepare(
            QStringLiteral("INSERT INTO bid_totals(bid, bidder, made, hands, us, them, counted) "
                           "VALUES(?,?,?,1,?,?,1) ON CONFLICT(bid, bidder) DO UPDATE SET "
                           "made = made + excluded.made, hands = hands + 1, us = us + excluded.us, "
                           "them = them + excluded.them, counted = counted + 1"));
        for (const QVariant& v : {QVariant(h.bid), QVariant(h.bidder), QVariant(h.made ? 1 : 0),
                                  QVariant(points[0]), QVariant(points[1])})
            q.addBindValue(v);
        if (!q.exec())
            return fail(q.lastError());
        q.prepare(QStringLiteral("UPDATE games SET score0=?, score1=? WHERE id=?"));
        q.addBindValue(h.scores[0]);
        q.addBindValue(h.scores[1]);
        q.addBindValue(*gameId);
        if (!q.exec())
            return fail(q.lastError());
        if (!db.commit())
            return fail(db.lastError());
        m_gameId = gameId;
        return true;
    }
    if (!db.commit())
        return fail(db.lastError());
    return true;
}

bool RecordStore::clear() {
    if (m_state != State::Open)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    const bool ok = db.transaction() && q.exec(QStringLiteral("DELETE FROM hands")) &&
                    q.exec(QStringLiteral("DELETE FROM bid_totals")) &&
                    q.exec(QStringLiteral("DELETE FROM games")) && db.commit();
    if (!ok)
        db.rollback();
    m_gameId.reset();
    m_gameOpening = true;
    return ok;
}

int RecordStore::handCount() {
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    return q.exec(QStringLiteral("SELECT count(*) FROM hands")) && q.next() ? q.value(0).toInt()
                                                                            : -1;
}

qint64 RecordStore::gameNumber(bool continues) {
    if (m_state != State::Open)
        return 0;
    if (continues && m_gameId)
        return *m_gameId;
    // A game's row takes the number after the highest, as the games table's key gives it.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    return q.exec(QStringLiteral("SELECT coalesce(max(id), 0) + 1 FROM games")) && q.next()
               ? q.value(0).toLongLong()
               : 0;
}

int RecordStore::gameCount() {
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    return q.exec(QStringLiteral("SELECT count(*) FROM games")) && q.next() ? q.value(0).toInt()
                                                                            : -1;
}

} // namespace corvane::ui
