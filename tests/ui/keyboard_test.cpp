// Playing by the keyboard alone: a whole hand from the deal through the auction, trump, the
// discard and the five tricks with no mouse click, the focus mark on the picked card, and keys
// typed into a text field left to it.
#include "table_fixture.h"
#include "ui/keyboard_play.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace corvane;
using namespace corvane::ui;

namespace {

struct KeyboardTable : test::TableUnderTest {
    using TableUnderTest::TableUnderTest;

    void key(Qt::Key k, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : view(), k);
        settle();
    }
    int picked() { return window.keyboard()->picked(); }
    int cardsInHand() {
        int n = 0;
        for (int i = 0; i < 5; ++i) {
            const CardPicture& p = t().picCard[static_cast<size_t>(i)];
            n += p.visible && p.state != TagState::Played;
        }
        return n;
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietOffscreenWarnings(); }

    // Seeds where the local player wins the auction, names trump and discards, and where it does
    // not; each plays its hand to the end without a click.
    void aWholeHandByTheKeyboard_data() {
        QTest::addColumn<quint64>("seed");
        for (quint64 seed : {1ull, 2ull, 3ull, 4ull, 5ull, 6ull})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void aWholeHandByTheKeyboard() {
        QFETCH(quint64, seed);
        KeyboardTable table(seed);
        table.key(Qt::Key_D); // deal
        QVERIFY(table.t().gamePhase != PhaseIdle || table.bid(0)->isVisible());

        int playedByKeys = 0;
        bool markedByKeys = false;
        bool namedTrump = false;
        const int startScores = table.t().score[0] + table.t().score[1];
        for (int guard = 0; guard < 400; ++guard) {
            if (table.messageShown()) {
                // A message waits: Space on its focused button, as on every desktop.
                table.messages.push_back(table.button(1)->text().toStdString());
                table.key(Qt::Key_Space, table.button(1));
            } else if (table.window.trumpDialog()->isVisible()) {
                table.key(Qt::Key_H);
                namedTrump = true;
            } else if (table.window.bidDialog()->isVisible()) {
                table.key(table.bid(1)->isEnabled() ? Qt::Key_2 : Qt::Key_P);
            } else if (table.button(0)->isVisible() && table.button(0)->isEnabled()) {
                // The discard: mark the first card with Enter, then let Auto-Discard choose.
                if (!markedByKeys) {
                    table.key(Qt::Key_1);
                    QCOMPARE(table.picked(), 0);
                    QVERIFY(table.view()->picture(0)->keyboardMark());
                    table.key(Qt::Key_Return);
                    QCOMPARE(table.t().picCard[0].state, TagState::Thrown);
                    table.key(Qt::Key_Space); // and unmark it again
                    QCOMPARE(table.t().picCard[0].state, TagState::Up);
                    markedByKeys = true;
                }
                table.key(Qt::Key_A);
                table.key(Qt::Key_D); // draw
            } else if (table.localTurn()) {
                const int before = table.cardsInHand();
                // Right until a card the rules take, as a person would try them in turn.
                for (int tries = 0; tries < 6 && table.cardsInHand() == before; ++tries) {
                    table.key(Qt::Key_Right);
                    QVERIFY(table.picked() >= 0);
                    table.key(Qt::Key_Return);
                    // A refused card says why and waits for the message to be taken away.
                    if (table.cardsInHand() == before && table.messageShown())
                        table.key(Qt::Key_Space, table.button(1));
                }
                QCOMPARE(table.cardsInHand(), before - 1);
                ++playedByKeys;
            } else if (table.button(1)->isVisible() && table.button(1)->isEnabled() &&
                       table.t().score[0] + table.t().score[1] != startScores) {
                break; // the hand is scored and Deal waits for the next one
            } else if (table.t().gamePhase == PhaseIdle && table.button(1)->isVisible()) {
                break; // a thrown-in hand
            } else {
                QVERIFY(table.settle());
            }
        }
        if (table.t().score[0] + table.t().score[1] != startScores)
            QCOMPARE(playedByKeys, 5);
        Q_UNUSED(namedTrump);
        QCOMPARE(table.picked(), -1); // the hand is gone, and the mark with it
    }

    // Each button shows the key that presses it, underlined; the keyboard reads it from there.
    void everyButtonUnderlinesItsKey() {
        KeyboardTable table(3);
        struct Row {
            QPushButton* button;
            Qt::Key key;
        };
        const Row rows[] = {
            {table.bid(0), Qt::Key_P},       {table.bid(1), Qt::Key_2},
            {table.bid(2), Qt::Key_5},       {table.bid(3), Qt::Key_3},
            {table.suit(Spades), Qt::Key_S}, {table.suit(Diamonds), Qt::Key_D},
            {table.suit(Clubs), Qt::Key_C},  {table.suit(Hearts), Qt::Key_H},
            {table.button(0), Qt::Key_A},    {table.button(1), Qt::Key_D},
        };
        for (const Row& row : rows)
            QCOMPARE(QKeySequence::mnemonic(row.button->text()), QKeySequence(Qt::ALT | row.key));
    }

    // The bidder who took the kitty reaches its cards with the arrows, left of the hand, and
    // throws them away with Enter; anyone else's arrows stay in the hand.
    void theArrowsReachTheKittyForTheBidder() {
        KeyboardTable table(3);
        Table& t = table.t();
        t.gamePhase = PhaseDiscard;
        t.lblBid[4].visible = true; // trump is named
        t.bidderSeat = 0;
        for (int i : {0, 1, 2, 3, 4, 20, 21, 22}) {
            t.picCard[static_cast<size_t>(i)].card = Card::of(2 + i % 10, Clubs);
            t.picCard[static_cast<size_t>(i)].state = TagState::Up;
            t.picCard[static_cast<size_t>(i)].visible = true;
        }
        t.buttonMenu.visible = false;
        table.window.refresh();
        table.key(Qt::Key_1);
        table.key(Qt::Key_Left);
        QCOMPARE(table.picked(), 22);
        QVERIFY(table.view()->picture(22)->keyboardMark());
        table.key(Qt::Key_Return);
        QCOMPARE(t.picCard[22].state, TagState::Thrown);
        table.key(Qt::Key_Right);
        QCOMPARE(table.picked(), 0);

        t.bidderSeat = 1;
        table.window.refresh();
        table.key(Qt::Key_Left);
        QCOMPARE(table.picked(), 4); // round the hand, not into the kitty
    }

    // The ring marks a card of this hand: a new hand dealt onto the same picture takes it away.
    void theRingDoesNotCarryIntoTheNextHand() {
        KeyboardTable table(2);
        Table& t = table.t();
        t.gamePhase = PhasePlay;
        for (int i = 0; i < 5; ++i) {
            t.picCard[static_cast<size_t>(i)].card = Card::of(2 + i, Hearts);
            t.picCard[static_cast<size_t>(i)].state = TagState::Up;
            t.picCard[static_cast<size_t>(i)].visible = true;
        }
        table.window.refresh();
        table.key(Qt::Key_3);
        QCOMPARE(table.picked(), 2);
        t.picCard[2].card = Card::of(King, Spades); // the next deal
        table.window.refresh();
        QCOMPARE(table.picked(), -1);
        QVERIFY(!table.view()->picture(2)->keyboardMark());
    }

    void textFieldsKeepTheirKeys() {
        KeyboardTable table(3);
        QLineEdit* chat = table.view()->chat();
        chat->show();
        QTest::keyClicks(chat, QStringLiteral("dad 25"));
        QCOMPARE(chat->text(), QStringLiteral("dad 25"));
        QVERIFY(!table.view()->picture(0)->isVisible()); // "d" did not deal
    }

    void arrowsSkipCardsThatLeftTheHand() {
        KeyboardTable table(2);
        table.key(Qt::Key_D);
        while (table.window.bidDialog()->isVisible() || table.messageShown()) {
            if (table.messageShown())
                table.key(Qt::Key_Space, table.button(1));
            else
                table.key(Qt::Key_P);
        }
        QVERIFY(table.cardsInHand() > 0);
        table.key(Qt::Key_Left); // from nothing, Left picks the last card
        const int last = table.picked();
        QVERIFY(last >= 0);
        for (int i = 0; i < 5; ++i)
            table.key(Qt::Key_Right);
        QCOMPARE(table.picked(), last); // round the hand and back
        int marks = 0;
        for (int i = 0; i < 5; ++i)
            marks += table.view()->picture(i)->keyboardMark();
        QCOMPARE(marks, 1);
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
