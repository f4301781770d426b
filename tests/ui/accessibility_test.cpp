// What a screen reader gets: the names of the cards, bids and scores, and the alerts as a hand is
// played (the turn, each card, each trick, the end of the hand), read through QAccessible.
#include "table_fixture.h"
#include "ui/table_speech.h"

#include <QAccessible>
#include <QtTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

int count(const QStringList& list, const QString& part) {
    return static_cast<int>(std::count_if(list.begin(), list.end(),
                                          [&](const QString& s) { return s.contains(part); }));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    void cardsAndLabelsHaveNames() {
        test::TableUnderTest table(4);
        table.click(table.button(1)); // deal
        QVERIFY(table.window.bidDialog()->isVisible());
        const Table& t = table.t();
        const QString own = QAccessible::queryAccessibleInterface(table.view()->picture(0))
                                ->text(QAccessible::Name);
        QCOMPARE(own, QStringLiteral("%1 of %2, in your hand")
                          .arg(QString::fromStdString(CardName(t.picCard[0].card)),
                               QString::fromStdString(SuitName(t.picCard[0].card.suit()))));
        const QString other = QAccessible::queryAccessibleInterface(table.view()->picture(7))
                                  ->text(QAccessible::Name);
        QCOMPARE(other, QStringLiteral("A card face down, in %1's hand")
                            .arg(QString::fromStdString(t.lblPlayerName[1].caption)));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(table.view()->score(0))->text(QAccessible::Name),
            QStringLiteral("We 0, They 0"));
        // A computer's bid, once it has bid.
        for (int seat = 1; seat < 4; ++seat) {
            if (!t.lblBid[static_cast<size_t>(seat)].visible)
                continue;
            QCOMPARE(QAccessible::queryAccessibleInterface(table.view()->bid(seat))
                         ->text(QAccessible::Name),
                     QStringLiteral("Bid: %1 by %2")
                         .arg(QString::fromStdString(t.lblBid[static_cast<size_t>(seat)].caption),
                              QString::fromStdString(
                                  t.lblPlayerName[static_cast<size_t>(seat)].caption)));
        }
    }

    void aHandIsAnnounced() {
        // Each announcement as the screen reader reads it: the alert's object, through QAccessible.
        // (The offscreen platform has no bridge to a screen reader, so the alert events themselves
        // go nowhere here; the name they point at is what is read.)
        test::TableUnderTest table(12);
        QStringList alerts;
        QObject::connect(table.view(), &TableView::announced, [&](const QString& sentence) {
            QCOMPARE(QAccessible::queryAccessibleInterface(table.view()->announcer())
                         ->text(QAccessible::Name),
                     sentence);
            alerts << sentence;
        });
        const int scores = table.t().score[0] + table.t().score[1];
        for (int guard = 0; guard < 400 && table.t().score[0] + table.t().score[1] == scores;
             ++guard) {
            if (table.localTurn()) { // a playable card says so
                int playable = 0;
                for (int i = 0; i < 5; ++i)
                    playable += QAccessible::queryAccessibleInterface(table.view()->picture(i))
                                    ->text(QAccessible::Name)
                                    .endsWith(QLatin1String(", playable"));
                QVERIFY(playable >= 1);
            }
            if (!table.playOneMove())
                QVERIFY(table.settle());
            if (table.messageShown())
                table.click(table.button(1));
        }
        QVERIFY(table.t().score[0] + table.t().score[1] != scores);
        const QStringList said = alerts;
        QVERIFY2(count(said, QStringLiteral("Your turn.")) >= 1,
                 qPrintable(QString::number(said.size()) + said.join('\n')));
        QCOMPARE(count(said, QStringLiteral("You play the ")), 5);
        QVERIFY(count(said, QStringLiteral(" plays the ")) >= 15);
        QCOMPARE(count(said, QStringLiteral("take")), 5); // "takes the trick" or "You take"
        QCOMPARE(count(said, QStringLiteral("The hand is over. We ")), 1);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
