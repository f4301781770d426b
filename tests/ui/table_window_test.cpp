// The table window driven as a person drives it, on Qt's offscreen platform: what the window
// shows at start-up and in each phase, the dialogs, marking, refusals, the players menu, and a
// whole game played by clicks.
#include "table_fixture.h"
#include "ui/lobby_dialog.h"
#include "ui/twips.h"

#include <QAction>
#include <QGraphicsDropShadowEffect>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QSignalSpy>
#include <algorithm>

using namespace corvane;
using namespace corvane::ui;
using corvane::ui::test::TableUnderTest;

class TableWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { corvane::ui::test::quietOffscreenWarnings(); }
    void startUp();
    void noTwoItemsOfAMenuShareALetter();
    void theDealerIsMarkedFromTheDealOn();
    void theOptionsLeaveTheWaitingBidDialogInSight();
    void playersMenuGreyedDuringAHand();
    void newPartnerAndOpponents();
    void bidDialogShowsTheAuctionsLimits_data();
    void bidDialogShowsTheAuctionsLimits();
    void trumpDialogMarkingAndAutoDiscard();
    void refusedCardSaysWhyAndShowsTheForbiddenPointer();
    void hintAndAMessageOverTheButtons();
    void newGameClosesTheDialogs();
    void doubleClickOnlyOnAFreshTable();
    void wholeGameByClicks();
};

void TableWindowTest::startUp() {
    TableUnderTest table(7);
    // Four players with four different names, nothing of a hand shown yet.
    QSet<QString> names;
    for (int s = 0; s < 4; ++s) {
        QVERIFY(table.view()->playerName(s)->isVisible());
        names.insert(table.view()->playerName(s)->text());
    }
    QCOMPARE(names.size(), 4);
    QVERIFY(!names.contains(QString()));
    for (int i = 0; i < 5; ++i)
        QVERIFY(!table.view()->bid(i)->isVisible());
    for (int i = 0; i < PictureCount; ++i)
        QVERIFY(!table.view()->picture(i)->isVisible());
    // Standalone: no trump, countdown, chat, whiteboard or seat box.
    for (QWidget* w : std::initializer_list<QWidget*>{
             table.view()->trump(), table.view()->timeout(), table.view()->chat(),
             table.view()->whiteboard(), table.view()->seat()})
        QVERIFY(!w->isVisible());
    // The button window offers the deal only.
    QVERIFY(table.window.buttonWindow()->isVisible());
    QVERIFY(table.button(1)->isEnabled());
    QVERIFY(!table.button(0)->isEnabled());
    QVERIFY(!table.window.bidDialog()->isVisible());
    QVERIFY(!table.window.trumpDialog()->isVisible());
    // Every hand's place lies inside the table.
    for (int i = 0; i < PictureCount; ++i)
        QVERIFY2(table.view()->rect().contains(table.view()->picture(i)->geometry()),
                 qPrintable(QString::number(i)));
}

void TableWindowTest::noTwoItemsOfAMenuShareALetter() {
    TableUnderTest table(7);
    std::vector<QMenu*> menus;
    for (QAction* top : table.window.menuBar()->actions())
        if (top->menu())
            menus.push_back(top->menu());
    menus.push_back(table.window.menuBar()->findChild<QMenu*>(QStringLiteral("mnuPlayers")));
    for (QMenu* menu : menus) {
        QSet<QKeySequence> letters;
        for (QAction* a : menu->actions()) {
            const QKeySequence letter = QKeySequence::mnemonic(a->text());
            if (letter.isEmpty())
                continue;
            QVERIFY2(!letters.contains(letter),
                     qPrintable(menu->title() + ": " + a->text() + " shares its letter"));
            letters.insert(letter);
        }
    }
}

void TableWindowTest::theDealerIsMarkedFromTheDealOn() {
    TableUnderTest table(7);
    QLabel* mark = table.view()->dealerMark();
    QVERIFY(!mark->isVisible()); // nothing dealt yet
    table.click(table.button(1));
    const int dealer = table.t().dealerSeat;
    QVERIFY(mark->isVisible());
    // Beside the dealer's name, on its line and after its text.
    const QLabel* name = table.view()->playerName(dealer);
    QVERIFY(name->geometry().contains(mark->geometry().center()));
    QVERIFY(mark->x() > name->geometry().center().x() +
                            name->fontMetrics().horizontalAdvance(name->text()) / 2);
    // The bid labels keep the colours the rules give them.
    for (int seat = 0; seat < 4; ++seat)
        QCOMPARE(table.t().lblBid[static_cast<size_t>(seat)].color,
                 seat == dealer ? LabelColor::Red : LabelColor::Black);

    // A white name (the bidder's) gets a dark edge to read on the baize; a black one none.
    table.t().lblPlayerName[1].color = LabelColor::White;
    table.window.refresh();
    QVERIFY(
        qobject_cast<QGraphicsDropShadowEffect*>(table.view()->playerName(1)->graphicsEffect()));
    QVERIFY(!table.view()->playerName(2)->graphicsEffect());
    table.t().lblPlayerName[1].color = LabelColor::Black;
    table.window.refresh();
    QVERIFY(!table.view()->playerName(1)->graphicsEffect());
}

void TableWindowTest::theOptionsLeaveTheWaitingBidDialogInSight() {
    TableUnderTest table(7);
    table.t().gamePhase = PhaseBidding;
    table.engine.setUpBidDialog();
    table.window.refresh();
    QWidget* bid = table.window.bidDialog();
    QVERIFY(bid->isVisible());
    table.window.action(QStringLiteral("mnuOptions"))->trigger();
    auto* options = table.window.findChild<QDialog*>(QStringLiteral("frmOptions"));
    QVERIFY(options && options->isVisible());
    QVERIFY(!options->frameGeometry().intersects(bid->frameGeometry()));
    // Smaller than the table, and standing on it.
    QVERIFY(table.window.frameGeometry().contains(options->frameGeometry()));
    options->close();
}

void TableWindowTest::playersMenuGreyedDuringAHand() {
    TableUnderTest table(11);
    QAction* partner = table.window.action(QStringLiteral("mnuNewPartner"));
    QAction* opponents = table.window.action(QStringLiteral("mnuNewOpponents"));
    QVERIFY(partner->isEnabled() && opponents->isEnabled());
    table.click(table.button(1)); // deal
    QVERIFY(table.t().gamePhase != PhaseIdle);
    QVERIFY(!partner->isEnabled());
    QVERIFY(!opponents->isEnabled());
    // The items cannot be used while greyed: nothing changes.
    const QString before = table.view()->playerName(2)->text();
    partner->trigger();
    QCOMPARE(table.view()->playerName(2)->text(), before);
    table.window.action(QStringLiteral("mnuNew"))->trigger();
    QVERIFY(partner->isEnabled() && opponents->isEnabled());
}

void TableWindowTest::newPartnerAndOpponents() {
    TableUnderTest table(5);
    const QString left = table.view()->playerName(1)->text();
    const QString right = table.view()->playerName(3)->text();
    QCOMPARE(table.engine.namePool().count(), 26);
    int changed = 0;
    for (int i = 0; i < 20; ++i) {
        const QString before = table.view()->playerName(2)->text();
        table.window.action(QStringLiteral("mnuNewPartner"))->trigger();
        QCOMPARE(table.engine.namePool().count(), 26);
        changed += table.view()->playerName(2)->text() != before;
        QCOMPARE(table.view()->playerName(1)->text(), left);
        QCOMPARE(table.view()->playerName(3)->text(), right);
    }
    QVERIFY(changed > 10); // the old partner may come back, 1 time in 27
    table.window.action(QStringLiteral("mnuNewOpponents"))->trigger();
    QCOMPARE(table.engine.namePool().count(), 26);
    QSet<QString> names;
    for (int s = 1; s < 4; ++s)
        names.insert(table.view()->playerName(s)->text());
    QCOMPARE(names.size(), 3);
}

// Deals until the bid dialog opens, then sets the auction to the row and lets the dialog show
// what it allows.
void TableWindowTest::bidDialogShowsTheAuctionsLimits_data() {
    QTest::addColumn<int>("highBid");
    QTest::addColumn<bool>("localDealer");
    QTest::addColumn<bool>("hasFive");
    QTest::addColumn<bool>("anyBid");
    QTest::addColumn<QString>("enabled"); // Pass 20 25 30

    // clang-format off
    // The rules of the levels are the flow's rows; these show the buttons follow them.
    QTest::newRow("opening, no five")          << 0  << false << false << false << "1100";
    QTest::newRow("dealer holds 25")           << 25 << true  << true  << false << "1011";
    // clang-format on
}

void TableWindowTest::bidDialogShowsTheAuctionsLimits() {
    QFETCH(int, highBid);
    QFETCH(bool, localDealer);
    QFETCH(bool, hasFive);
    QFETCH(bool, anyBid);
    QFETCH(QString, enabled);

    TableUnderTest table(3);
    table.click(table.button(1));
    for (int hands = 0; !table.window.bidDialog()->isVisible() && hands < 20; ++hands) {
        table.window.action(QStringLiteral("mnuNew"))->trigger();
        table.click(table.button(1));
    }
    QVERIFY(table.window.bidDialog()->isVisible());
    QCOMPARE(table.window.bidDialog()->windowTitle(), QStringLiteral("Choose Bid"));

    Table& t = table.t();
    t.highBid = highBid;
    t.bidderSeat = highBid ? 1 : 0;
    t.dealerSeat = localDealer ? 0 : 3;
    t.anyBidAllowed = anyBid;
    // The five rule looks at the local hand: give it a five or take every five away.
    for (int i = 0; i < 5; ++i) {
        const Card c = t.picCard[static_cast<size_t>(i)].card;
        if (!hasFive && c.face() == 5)
            t.picCard[static_cast<size_t>(i)].card = Card::of(6, c.suit());
    }
    if (hasFive)
        t.picCard[0].card = Card::of(5, Clubs);
    t.bidDialog.enabled = {true, true, true, true};
    table.engine.setUpBidDialog();
    table.window.refresh();
    QString shown;
    for (int i = 0; i < 4; ++i)
        shown += table.bid(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(shown, enabled);
}

void TableWindowTest::trumpDialogMarkingAndAutoDiscard() {
    TableUnderTest table(21);
    table.t().anyBidAllowed = true;
    // Bid 30 whenever the dialog lets us, until the trump dialog is ours.
    for (int hands = 0; hands < 40 && !table.window.trumpDialog()->isVisible(); ++hands) {
        if (table.window.buttonWindow()->isVisible() &&
            table.t().buttonMenu.modeX != ButtonMode::Discard) {
            table.click(table.button(1));
            continue;
        }
        if (table.window.bidDialog()->isVisible()) {
            table.click(table.bid(table.bid(3)->isEnabled() ? 3 : 0));
            continue;
        }
        table.window.action(QStringLiteral("mnuNew"))->trigger();
        table.click(table.button(1));
    }
    TrumpDialog* trump = table.window.trumpDialog();
    QVERIFY(trump->isVisible());
    QCOMPARE(trump->windowTitle(), QStringLiteral("Choose Trump"));
    for (int s = 0; s < 4; ++s)
        QVERIFY(!table.suit(s)->icon().isNull());
    table.click(table.suit(Diamonds));
    QVERIFY(!trump->isVisible());
    QCOMPARE(table.t().trumpSuit, int(Diamonds));
    QVERIFY(table.view()->trump()->isVisible());
    QVERIFY(table.view()->bid(4)->isVisible());
    QCOMPARE(table.view()->bid(4)->text(), QStringLiteral("30"));
    for (int s = 0; s < 4; ++s)
        QVERIFY(!table.view()->bid(s)->isVisible());

    // The discard: Auto-Discard enabled, a click lifts a card and a second puts it back.
    QCOMPARE(table.t().gamePhase, int(PhaseDiscard));
    QVERIFY(table.window.buttonWindow()->isVisible());
    QVERIFY(table.button(0)->isEnabled());
    const QPoint home = table.view()->picture(2)->pos();
    table.clickCard(2);
    QCOMPARE(table.t().CardState(2), TagState::Thrown);
    QCOMPARE(table.view()->picture(2)->pos(), toPixels(table.t().picCard[2].position));
    QVERIFY(table.view()->picture(2)->pos().y() < home.y());
    table.clickCard(2);
    QVERIFY(table.t().CardState(2) != TagState::Thrown);
    QCOMPARE(table.view()->picture(2)->pos(), home);

    // Auto-Discard marks exactly the cards that are not keepers; the window shows them lifted.
    QTest::mouseClick(table.button(0), Qt::LeftButton);
    table.settle();
    for (int i = 0; i < 5; ++i) {
        const bool thrown = table.t().CardState(i) == TagState::Thrown;
        QCOMPARE(table.view()->picture(i)->pos(),
                 toPixels(table.t().picCard[static_cast<size_t>(i)].position));
        QCOMPARE(thrown, table.view()->picture(i)->pos().y() < home.y());
    }
    QVERIFY(table.window.buttonWindow()->isVisible());
    // "&Deal" draws: every hand back to five cards, play starts.
    table.click(table.button(1));
    QVERIFY(table.t().gamePhase == PhasePlay || table.t().gamePhase == PhaseIdle);
    for (int i = 0; i < 5; ++i)
        QVERIFY(table.t().CardState(i) != TagState::Thrown);
}

void TableWindowTest::refusedCardSaysWhyAndShowsTheForbiddenPointer() {
    TableUnderTest table(1);
    table.t().mustFollowSuit = true;
    int refusedPicture = -1;
    for (int moves = 0; moves < 3000 && refusedPicture < 0; ++moves) {
        if (table.localTurn()) {
            for (int i = 0; i < 5; ++i)
                if (table.t().picCard[static_cast<size_t>(i)].visible &&
                    table.t().CardState(i) != TagState::Played &&
                    table.engine.pointerRefusal(i) != Refusal::None) {
                    refusedPicture = i;
                    break;
                }
            if (refusedPicture >= 0)
                break;
        }
        QVERIFY(table.playOneMove());
    }
    QVERIFY2(refusedPicture >= 0, "no hand offered a card the rules refuse");
    const Refusal why = table.engine.pointerRefusal(refusedPicture);
    CardView* card = table.view()->picture(refusedPicture);
    QTest::mouseMove(card, QPoint(10, 40));
    QCOMPARE(card->cursor().shape(), Qt::ForbiddenCursor);

    const Point before = table.t().picCard[static_cast<size_t>(refusedPicture)].position;
    table.clickCard(refusedPicture);
    QVERIFY(table.messageShown());
    QCOMPARE(table.window.buttonWindow()->message().toStdString(), refusalMessage(why));
    QCOMPARE(table.t().CardState(refusedPicture), TagState::Up); // still in the hand
    QCOMPARE(table.t().picCard[static_cast<size_t>(refusedPicture)].position, before);
    if (std::string(refusalMessage(why)).size() > 20)
        QCOMPARE(table.button(1)->font().pointSize(), 8);
    table.click(table.button(1));
    QVERIFY(table.localTurn()); // still the player's turn after reading it

    // A card that may be played shows the ordinary pointer.
    for (int i = 0; i < 5; ++i)
        if (table.t().CardState(i) == TagState::Up &&
            table.engine.pointerRefusal(i) == Refusal::None) {
            QTest::mouseMove(table.view()->picture(i), QPoint(10, 40));
            QCOMPARE(table.view()->picture(i)->cursor().shape(), Qt::ArrowCursor);
        }
}

void TableWindowTest::hintAndAMessageOverTheButtons() {
    TableUnderTest table(9);
    table.window.action(QStringLiteral("mnuHint"))->trigger();
    table.settle();
    QVERIFY(table.messageShown());
    QCOMPARE(table.window.buttonWindow()->message(), QStringLiteral("Click Deal to get started."));
    QVERIFY(!table.button(0)->isVisible());
    QCOMPARE(table.button(1)->width(), px(2430));
    table.click(table.button(1));
    // The buttons come back as they were.
    QVERIFY(table.window.buttonWindow()->isVisible());
    QCOMPARE(table.button(1)->text(), QStringLiteral("&Deal"));
    QVERIFY(table.button(0)->isVisible());
    QCOMPARE(table.button(1)->width(), px(1215));
}

void TableWindowTest::newGameClosesTheDialogs() {
    TableUnderTest table(3);
    table.click(table.button(1));
    for (int hands = 0; !table.window.bidDialog()->isVisible() && hands < 20; ++hands) {
        table.window.action(QStringLiteral("mnuNew"))->trigger();
        table.click(table.button(1));
    }
    QVERIFY(table.window.bidDialog()->isVisible());
    table.window.action(QStringLiteral("mnuNew"))->trigger();
    table.settle();
    QVERIFY(!table.window.bidDialog()->isVisible());
    QVERIFY(table.window.buttonWindow()->isVisible());
    QCOMPARE(table.button(1)->text(), QStringLiteral("&Deal"));
    for (int i = 0; i < PictureCount; ++i)
        QVERIFY(!table.view()->picture(i)->isVisible());
}

void TableWindowTest::doubleClickOnlyOnAFreshTable() {
    TableUnderTest table(4);
    QSignalSpy online(&table.window, &TableWindow::playOnlineRequested);
    QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
    QCOMPARE(online.count(), 1);
    // The lobby dialog opened at once; Cancel leaves the standalone table.
    QVERIFY(table.program.online.lobbyDialog());
    table.program.online.lobbyDialog()->reject();
    table.click(table.button(1)); // a hand in progress
    QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
    QCOMPARE(online.count(), 1);
    // After a scored hand the table is no longer fresh, even between hands.
    for (int moves = 0; moves < 400 && table.t().score == std::array<int, 2>{0, 0}; ++moves)
        QVERIFY(table.playOneMove());
    QVERIFY(table.t().score != (std::array<int, 2>{0, 0}));
    QTest::mouseDClick(table.view(), Qt::LeftButton, {}, QPoint(150, 200));
    QCOMPARE(online.count(), 1);
}

void TableWindowTest::wholeGameByClicks() {
    TableUnderTest table(2026);
    const auto over = [&] {
        return std::any_of(table.messages.begin(), table.messages.end(), [](const std::string& m) {
            return m == "You're not easy!" || m == "She's gone, b'y.";
        });
    };
    int moves = 0;
    while (!over() && moves < 5000) {
        QVERIFY2(table.playOneMove(), "the table stopped waiting for the player");
        ++moves;
    }
    QVERIFY2(over(), "no game end after 5000 moves");
    // The winners reached 120; after the celebration the table is fresh for the next deal.
    const bool weWon = std::find(table.messages.begin(), table.messages.end(),
                                 "She's gone, b'y.") != table.messages.end();
    table.settle();
    QVERIFY(table.window.buttonWindow()->isVisible());
    QCOMPARE(table.view()->score(0)->text(), QStringLiteral("0"));
    QCOMPARE(table.view()->score(1)->text(), QStringLiteral("0"));
    // The message before the end names the points that took the game over the line.
    QVERIFY(std::any_of(table.messages.begin(), table.messages.end(), [](const std::string& m) {
        return m.rfind("Count ", 0) == 0 || m.rfind("Bidder goes down ", 0) == 0;
    }));
    qInfo("%s won after %d moves", weWon ? "we" : "they", moves);
}

QTEST_MAIN(TableWindowTest)
#include "table_window_test.moc"
