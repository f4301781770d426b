// Playing by the keyboard alone: a whole hand from the deal through the auction, trump, the
// discard and the five tricks with no mouse click, the focus mark on the picked card only, the
// kitty reached by the bidder, and keys typed into a text field left to it.
#include "table_fixture.h"
#include "ui/table/keyboard_play.h"

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
    int count(bool (*which)(KeyboardTable&, int)) {
        int n = 0;
        for (int i = 0; i < PictureCount; ++i)
            n += which(*this, i);
        return n;
    }
    static bool inHand(KeyboardTable& t, int i) {
        const CardPicture& p = t.t().picCard[static_cast<size_t>(i)];
        return i < 5 && p.visible && p.state != TagState::Played;
    }
    static bool marked(KeyboardTable& t, int i) { return t.view()->picture(i)->keyboardMark(); }
    // Clubs face up on the pictures, as a deal leaves them.
    void lay(std::initializer_list<int> pictures) {
        for (int i : pictures) {
            CardPicture& p = t().picCard[static_cast<size_t>(i)];
            p.card = Card::of(2 + i % 10, Clubs);
            p.state = TagState::Up;
            p.visible = true;
        }
        window.refresh();
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
        for (quint64 seed : {2ull, 5ull})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void aWholeHandByTheKeyboard() {
        QFETCH(quint64, seed);
        KeyboardTable table(seed);
        table.key(Qt::Key_D); // deal
        const std::array<int, 2> start = table.t().score;
        int playedByKeys = 0;
        bool ended = false;
        for (int guard = 0; guard < 400 && !ended; ++guard) {
            if (table.t().score != start ||
                (table.t().gamePhase == GamePhase::Idle && !table.messageShown() &&
                 table.button(1)->isVisible())) {
                ended = true; // scored, or thrown in and Deal waits for the next hand
            } else if (table.messageShown()) {
                table.key(Qt::Key_Return, table.button(1)); // Enter on its focused button
            } else if (table.window.trumpDialog()->isVisible()) {
                table.key(Qt::Key_H);
            } else if (table.window.bidDialog()->isVisible()) {
                // A bid by its key, a pass by Enter on the focused button.
                const bool bid = table.bid(1)->isEnabled();
                table.bid(0)->setFocus();
                table.key(bid ? Qt::Key_2 : Qt::Key_Enter, bid ? nullptr : table.bid(0));
            } else if (table.button(0)->isVisible() && table.button(0)->isEnabled()) {
                // The discard: Auto-Discard chooses (marking by keys: the kitty test).
                table.key(Qt::Key_A);
                table.key(Qt::Key_D); // draw
            } else if (table.localTurn()) {
                const int before = table.count(KeyboardTable::inHand);
                // Right until a card the rules take, as a person would try them in turn: the
                // arrows pass over the cards already played, and only one card is marked.
                for (int tries = 0; tries < 6 && table.count(KeyboardTable::inHand) == before;
                     ++tries) {
                    table.key(Qt::Key_Right);
                    QVERIFY(KeyboardTable::inHand(table, table.picked()));
                    QCOMPARE(table.count(KeyboardTable::marked), 1);
                    table.key(Qt::Key_Return);
                    // A refused card says why and waits for the message to be taken away.
                    if (table.count(KeyboardTable::inHand) == before && table.messageShown())
                        table.key(Qt::Key_Return, table.button(1));
                }
                QCOMPARE(table.count(KeyboardTable::inHand), before - 1);
                ++playedByKeys;
            } else {
                QVERIFY(table.settle());
            }
        }
        QVERIFY(ended);
        QCOMPARE(table.picked(), -1); // the hand is gone, and the mark with it
        if (table.t().score == start)
            return;
        QCOMPARE(playedByKeys, 5);
        table.key(Qt::Key_Escape); // the table focused: the score read, the next hand
        QVERIFY(!table.messageShown());
    }

    // The bidder who took the kitty reaches its cards with the arrows, left of the hand, and
    // throws them away with Enter; anyone else's arrows stay in the hand.
    void theArrowsReachTheKittyForTheBidder() {
        KeyboardTable table(3);
        table.t().gamePhase = GamePhase::Discard;
        table.t().trumpNamed = true; // trump is named
        table.t().bidderSeat = 0;
        table.t().buttonMode = ButtonMode::Hidden;
        table.lay({0, 1, 2, 3, 4, 20, 21, 22});
        table.key(Qt::Key_1);
        table.key(Qt::Key_Left);
        QCOMPARE(table.picked(), 22);
        QVERIFY(table.view()->picture(22)->keyboardMark());
        table.key(Qt::Key_Return);
        QCOMPARE(table.t().picCard[22].state, TagState::Thrown);
        table.key(Qt::Key_Right);
        QCOMPARE(table.picked(), 0);
        table.t().bidderSeat = 1;
        table.window.refresh();
        table.key(Qt::Key_Left);
        QCOMPARE(table.picked(), 4); // round the hand, not into the kitty
    }

    // The ring marks a card of this hand: a new hand dealt onto the same picture takes it away.
    void theRingDoesNotCarryIntoTheNextHand() {
        KeyboardTable table(2);
        table.t().gamePhase = GamePhase::Play;
        table.lay({0, 1, 2, 3, 4});
        table.key(Qt::Key_3);
        QCOMPARE(table.picked(), 2);
        table.t().picCard[2].card = Card::of(King, Spades); // the next deal
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
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
