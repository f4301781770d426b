// The statistics' queries and the CSV export.
#include "record/record_statistics.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTextStream>
#include <QUuid>
#include <QVariant>

namespace corvane::ui {

RecordStatistics RecordStatistics::read(const QString& connection) {
    RecordStatistics s;
    QSqlQuery q(QSqlDatabase::database(connection, false));
    q.setForwardOnly(true);

    // The games, in the order they were played: the totals, the runs and the rate over time.
    if (q.exec(QStringLiteral("SELECT winner, level, name2 FROM games WHERE winner IS NOT NULL "
                              "ORDER BY id"))) {
        int run = 0;
        while (q.next()) {
            const bool won = q.value(0).toInt() == 0;
            for (Tally* t : {&s.games, &s.byLevel[q.value(1).toString()],
                             &s.byPartner[q.value(2).toString()]}) {
                ++t->played;
                t->won += won ? 1 : 0;
            }
            run = won ? run + 1 : 0;
            s.longestWinningRun = std::max(s.longestWinningRun, run);
            s.winRateAfterGame.push_back(s.games.rate());
        }
    }
    // The totals the record keeps by bid and bidder.
    double ours = 0;
    double theirs = 0;
    int counted = 0;
    if (q.exec(
            QStringLiteral("SELECT bid, bidder, made, hands, us, them, counted FROM bid_totals"))) {
        while (q.next()) {
            const int bid = q.value(0).toInt();
            const int seat = q.value(1).toInt() & 3;
            const int made = q.value(2).toInt();
            const int set = q.value(3).toInt() - made;
            s.byBid[bid].made += made;
            s.byBid[bid].set += set;
            s.bySeat[static_cast<size_t>(seat)].made += made;
            s.bySeat[static_cast<size_t>(seat)].set += set;
            s.hands += made + set;
            ours += q.value(4).toDouble();
            theirs += q.value(5).toDouble();
            counted += q.value(6).toInt(); // hands of an older record carry no points
        }
    }
    if (counted > 0) {
        s.averageOurs = ours / counted;
        s.averageTheirs = theirs / counted;
    }
    return s;
}

namespace {
QString csvField(const QVariant& value) {
    QString text = value.isNull() ? QString() : value.toString();
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n'))) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}
} // namespace

bool exportRecordCsv(const QString& connection, const QString& file) {
    QSqlQuery q(QSqlDatabase::database(connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT g.id AS game, g.started, g.mode, g.level, g.name0, g.name1, g.name2, g.name3, "
            "g.kind0, g.kind1, g.kind2, g.kind3, g.winner, h.number AS hand, h.played, h.dealer, "
            "h.bids, h.bidder, h.bid, h.trump, h.made, h.counted, h.points, h.us, h.them, "
            "h.score0, h.score1 FROM hands h JOIN games g ON g.id = h.game ORDER BY h.id")))
        return false;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream text(&out);
    const QSqlRecord record = q.record();
    QStringList header;
    for (int i = 0; i < record.count(); ++i)
        header << record.fieldName(i);
    text << header.join(QLatin1Char(',')) << '\n';
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < record.count(); ++i)
            row << csvField(q.value(i));
        text << row.join(QLatin1Char(',')) << '\n';
    }
    text.flush();
    return out.error() == QFile::NoError;
}

RecordReader::RecordReader(const QString& path)
    : m_connection(QStringLiteral("record-reader-") +
                   QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000"));
    db.open();
}

RecordReader::~RecordReader() {
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool RecordReader::isOpen() const {
    return QSqlDatabase::database(m_connection, false).isOpen();
}

} // namespace corvane::ui
