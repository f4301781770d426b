// Online play in the window, end to end: real table windows (offscreen) through the real
// corvane-lobby on loopback. A hosting window and a joining window share this process, each with
// its own engine, sockets and clock.
#include "online_fixture.h"
#include "ui/lobby_dialog.h"
#include "ui/online_session.h"
#include "ui/options_dialog.h"
#include "ui/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <functional>
#include <memory>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

class OnlineWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cancelReturnsToStandalone();
    void chatHistoryShowsFourLines();
    void hostAndGuestPlayAWholeGameAndChat();
    void timeOutActsForAnIdlePlayer();
    void hostKilledMidHand();
    void serverGoneWhileHosting();
    void newGameEndsOnlinePlay();
    void sittingDownMidHandWaitsForTheNext();
};

void OnlineWindowTest::initTestCase() {
#ifndef CORVANE_LOBBY_BINARY
    QSKIP("built without the lobby server");
#endif
    corvane::ui::test::quietOffscreenWarnings();
}

void OnlineWindowTest::cancelReturnsToStandalone() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto p = player(2, lobby.address());
    const int speed = p->t().speedDelay;
    QVERIFY(openLobby(*p));
    QVERIFY(p->view()->chat()->isVisible());
    QVERIFY(!p->window.action(QStringLiteral("mnuConnect"))->isEnabled());
    QVERIFY(!p->t().anyBidAllowed);
    // Online the five rule is always on: the options dialog shows it greyed.
    p->window.action(QStringLiteral("mnuOptions"))->trigger();
    auto* options = p->window.findChild<OptionsDialog*>();
    QVERIFY(options);
    auto* fiveRule = options->findChild<QCheckBox*>(QStringLiteral("chk525"));
    QVERIFY(fiveRule && !fiveRule->isEnabled());
    options->reject();
    QTest::mouseClick(field<QPushButton>(*p, "cmdCancel"), Qt::LeftButton);
    QCOMPARE(session(*p).state(), State::Standalone);
    QVERIFY(!p->view()->chat()->isVisible());
    QVERIFY(p->window.action(QStringLiteral("mnuConnect"))->isEnabled());
    QCOMPARE(p->t().speedDelay, speed);
    QVERIFY(p->window.buttonWindow()->isVisible());
    QCOMPARE(p->button(1)->text(), QStringLiteral("&Deal"));
}

// The chat history is small on the table: its type leaves room for four lines at any zoom.
void OnlineWindowTest::chatHistoryShowsFourLines() {
    TableUnderTest p(1);
    p.t().online = true;
    p.window.refresh();
    QVERIFY(p.view()->whiteboard()->isVisible());
    for (double zoom : {1.0, 2.0}) {
        p.view()->setZoom(zoom);
        QPlainTextEdit* board = p.view()->whiteboard();
        const int room =
            board->viewport()->height() - 2 * static_cast<int>(board->document()->documentMargin());
        QVERIFY2(room >= 4 * board->fontMetrics().lineSpacing(),
                 qPrintable(QStringLiteral("%1 px for lines of %2 px at %3")
                                .arg(room)
                                .arg(board->fontMetrics().lineSpacing())
                                .arg(zoom)));
    }
}

void OnlineWindowTest::hostAndGuestPlayAWholeGameAndChat() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto hosting = player(3, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Evening")));
    QCOMPARE(hosting->window.windowTitle(), QStringLiteral("Corvane (Hosting)"));
    QCOMPARE(hosting->view()->playerName(0)->text(), QStringLiteral("Hosty"));

    auto guest = player(4, lobby.address());
    QVERIFY(join(*guest, QStringLiteral("Guesty"), 2));
    QCOMPARE(guest->t().localSeat, 2);
    QCOMPARE(guest->window.windowTitle(), QStringLiteral("Corvane"));
    QCOMPARE(guest->view()->playerName(0)->text(), QStringLiteral("Guesty"));
    // The host sits opposite, so at the top of the guest's table; the guest at the host's top.
    QVERIFY(QTest::qWaitFor(
        [&] { return guest->view()->playerName(2)->text() == QStringLiteral("Hosty"); }, 5000));
    QVERIFY(QTest::qWaitFor(
        [&] { return hosting->view()->playerName(2)->text() == QStringLiteral("Guesty"); }, 5000));

    // A chat line goes round to both whiteboards.
    QTest::keyClicks(guest->view()->chat(), QStringLiteral("Evening all"));
    QTest::keyClick(guest->view()->chat(), Qt::Key_Return);
    QVERIFY(guest->view()->chat()->text().isEmpty());
    for (TableUnderTest* p : {hosting.get(), guest.get()})
        QVERIFY(QTest::qWaitFor(
            [&] {
                return p->view()->whiteboard()->toPlainText().contains(
                    QStringLiteral("Guesty: Evening all"));
            },
            5000));

    // The first deal: the guest's own five cards face up at the bottom, the others face down.
    QVERIFY(playUntil(
        {hosting.get(), guest.get()}, [&] { return guest->t().gamePhase != PhaseIdle; }, 10000));
    QVERIFY(QTest::qWaitFor([&] { return guest->view()->picture(4)->isVisible(); }, 5000));
    for (int i = 0; i < 5; ++i) {
        QVERIFY(guest->view()->picture(i)->isVisible());
        QVERIFY(guest->t().picCard[static_cast<size_t>(i)].showsFace());
        QCOMPARE(guest->view()->picture(i)->pos(), toPixels(homePosition(i)));
    }
    QVERIFY(!guest->t().picCard[10].showsFace());
    guest->window.refresh();
    QVERIFY(
        guest->view()->grab().save(QDir::current().filePath(QStringLiteral("online-table.png"))));

    // Then the whole game.
    QVERIFY2(playUntil(
                 {hosting.get(), guest.get()},
                 [&] { return gameOver(*hosting) && gameOver(*guest); }, 240000),
             "the game did not end");
    // Partners see the same result.
    const bool hostWon = std::count(hosting->messages.begin(), hosting->messages.end(),
                                    std::string("You're not easy!")) > 0;
    const bool guestWon = std::count(guest->messages.begin(), guest->messages.end(),
                                     std::string("You're not easy!")) > 0;
    QCOMPARE(hostWon, guestWon);
}

void OnlineWindowTest::timeOutActsForAnIdlePlayer() {
    LobbyServer lobby;
    auto hosting = player(5, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Idle")));
    auto guest = player(6, lobby.address());
    QVERIFY(join(*guest, QStringLiteral("Sleepy"), 1));
    // The guest only answers the button window (the discard has no time limit); it never bids
    // or plays, yet the hand goes on: the time-out passes for it in the auction and plays the
    // computer's card for it.
    bool sawCountdown = false;
    int guestCards = 0;
    QVERIFY(playUntil(
        {hosting.get()},
        [&] {
            if (guest->window.buttonWindow()->isVisible())
                guest->click(guest->button(1));
            if (guest->view()->timeout()->isVisible() &&
                guest->view()->timeout()->text() != QStringLiteral("20"))
                sawCountdown = true;
            guestCards = 0;
            for (int i = 0; i < 5; ++i)
                guestCards += guest->t().CardState(i) == TagState::Played;
            return guestCards >= 2;
        },
        60000));
    QVERIFY(sawCountdown);
}

void OnlineWindowTest::hostKilledMidHand() {
    LobbyServer lobby;
    auto hosting = player(7, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Short")));
    auto guest = player(8, lobby.address());
    QVERIFY(join(*guest, QStringLiteral("Left"), 3));
    QVERIFY(playUntil(
        {hosting.get(), guest.get()}, [&] { return guest->t().gamePhase == PhasePlay; }, 20000));
    hosting.reset(); // the host's program goes away mid-hand
    QVERIFY(QTest::qWaitFor([&] { return session(*guest).state() == State::Standalone; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return guest->messageShown(); }, 5000));
    QCOMPARE(guest->window.buttonWindow()->message(),
             QStringLiteral("Your host has disconnected."));
    QVERIFY(!guest->view()->chat()->isVisible());
    QCOMPARE(guest->t().gamePhase, int(PhaseIdle));
    QCOMPARE(guest->t().localSeat, 0);
    QVERIFY(guest->window.action(QStringLiteral("mnuConnect"))->isEnabled());
    for (int i = 0; i < PictureCount; ++i)
        QVERIFY(!guest->view()->picture(i)->isVisible());
}

void OnlineWindowTest::serverGoneWhileHosting() {
    LobbyServer lobby;
    auto hosting = player(9, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Lost")));
    lobby.kill();
    QVERIFY(QTest::qWaitFor([&] { return session(*hosting).state() == State::Standalone; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return hosting->messageShown(); }, 5000));
    const QString said = hosting->window.buttonWindow()->message();
    QVERIFY2(said == QStringLiteral("Lost the connection to the Corvane Server.") ||
                 said == QStringLiteral("Your host has disconnected."),
             qPrintable(said));
    QCOMPARE(hosting->window.windowTitle(), QStringLiteral("Corvane"));
    QVERIFY(!hosting->view()->chat()->isVisible());
    QCOMPARE(hosting->t().netRole, 0);
}

void OnlineWindowTest::newGameEndsOnlinePlay() {
    LobbyServer lobby;
    auto hosting = player(10, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Brief")));
    auto guest = player(11, lobby.address());
    QVERIFY(join(*guest, QStringLiteral("Stays"), 2));
    hosting->window.action(QStringLiteral("mnuNew"))->trigger();
    QCOMPARE(session(*hosting).state(), State::Standalone);
    QVERIFY(!hosting->view()->chat()->isVisible());
    QCOMPARE(hosting->t().netRole, 0);
    QVERIFY(hosting->window.action(QStringLiteral("mnuConnect"))->isEnabled());
    // The guest learns that its host has gone.
    QVERIFY(QTest::qWaitFor([&] { return session(*guest).state() == State::Standalone; }, 5000));
}

void OnlineWindowTest::sittingDownMidHandWaitsForTheNext() {
    LobbyServer lobby;
    auto hosting = player(12, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Busy")));
    QVERIFY(playUntil(
        {hosting.get()}, [&] { return hosting->t().gamePhase == PhasePlay; }, 20000));
    auto late = player(13, lobby.address());
    QVERIFY(join(*late, QStringLiteral("Late"), 1));
    QVERIFY(QTest::qWaitFor([&] { return late->messageShown(); }, 5000));
    QCOMPARE(late->window.buttonWindow()->message(), QStringLiteral("Waiting for next hand..."));
    // Its first cards come with the next deal.
    QVERIFY(playUntil(
        {hosting.get(), late.get()}, [&] { return late->view()->picture(0)->isVisible(); }, 60000));
}

QTEST_MAIN(OnlineWindowTest)
#include "online_window_test.moc"
