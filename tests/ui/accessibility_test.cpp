// What a screen reader gets through QAccessible over one hand: the names of the cards, bids and
// score, and the alerts (the turn, each card, each trick, the end of the hand).
#include "table_fixture.h"
#include "ui/table/table_speech.h"

#include <QAccessible>
#include <QtTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

QString nameOf(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

int count(const QStringList& list, const QString& part) {
    return static_cast<int>(std::count_if(list.begin(), list.end(),
                                          [&](const QString& s) { return s.contains(part); }));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    // (The offscreen platform has no bridge to a screen reader, so the alert events themselves
    // go nowhere here; the name of the object they point at is what is read.)
    void aHandIsNamedAndAnnounced() {
        test::TableUnderTest table(4);
        const Table& t = table.t();
        QStringList said;
        QObject::connect(table.view(), &TableView::announced, [&](const QString& sentence) {
            QCOMPARE(nameOf(table.view()->announcer()), sentence);
            said << sentence;
        });
        QVERIFY(table.playUntil([&] { return table.window.bidDialog()->isVisible(); }));
        const auto caption = [&](int seat) {
            return QString::fromStdString(t.lblPlayerName[static_cast<size_t>(seat)].caption);
        };
        QCOMPARE(nameOf(table.view()->picture(0)),
                 QStringLiteral("%1 of %2, in your hand")
                     .arg(QString::fromStdString(CardName(t.picCard[0].card)),
                          QString::fromStdString(SuitName(t.picCard[0].card.suit()))));
        QCOMPARE(nameOf(table.view()->picture(7)),
                 QStringLiteral("A card face down, in %1's hand").arg(caption(1)));
        QCOMPARE(nameOf(table.view()->score(0)), QStringLiteral("We 0, They 0"));
        QVERIFY(t.lblBid[3].visible); // the computers before the player have bid
        for (int seat = 1; seat < 4; ++seat)
            if (t.lblBid[static_cast<size_t>(seat)].visible)
                QCOMPARE(nameOf(table.view()->bid(seat)),
                         QStringLiteral("Bid: %1 by %2")
                             .arg(QString::fromStdString(t.lblBid[size_t(seat)].caption),
                                  caption(seat)));

        for (int guard = 0; guard < 400 && t.score[0] + t.score[1] == 0; ++guard) {
            if (table.localTurn()) { // a playable card says so
                int playable = 0;
                for (int i = 0; i < 5; ++i)
                    playable += nameOf(table.view()->picture(i)).endsWith(", playable");
                QVERIFY(playable >= 1);
            }
            if (!table.playOneMove())
                QVERIFY(table.settle());
        }
        QVERIFY2(count(said, QStringLiteral("Your turn.")) >= 1, qPrintable(said.join('\n')));
        QCOMPARE(count(said, QStringLiteral("You play the ")), 5);
        QVERIFY(count(said, QStringLiteral(" plays the ")) >= 15);
        QCOMPARE(count(said, QStringLiteral("take")), 5); // "takes the trick" or "You take"
        QCOMPARE(count(said, QStringLiteral("The hand is over. We ")), 1);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
