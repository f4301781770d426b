// Online play in the window, end to end: real table windows (offscreen) through the real
// corvane-lobby on loopback, a hosting window and a joining window in this process, each with its
// own engine, sockets and clock. The online rules are the core's; these show what the window
// shows of them and that it feeds the person's clicks and lines to them.
#include "online_fixture.h"
#include "ui/options_dialog.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

class OnlineWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    // Online the chat shows, Play Online is not offered and the five rule is always on (the
    // options dialog shows it greyed); Cancel gives back the standalone table and its speed.
    void cancelReturnsToStandalone() {
        LobbyServer lobby;
        auto p = player(2, lobby.address());
        const int speed = p->t().speedDelay;
        QVERIFY(openLobby(*p));
        QVERIFY(p->view()->chat()->isVisible());
        QCOMPARE(p->view()->chat()->maxLength(), 80);
        QVERIFY(!p->window.action(QStringLiteral("mnuConnect"))->isEnabled());
        p->window.action(QStringLiteral("mnuOptions"))->trigger();
        auto* options = p->window.findChild<OptionsDialog*>();
        QVERIFY(options);
        QVERIFY(!options->findChild<QCheckBox*>(QStringLiteral("chk525"))->isEnabled());
        options->reject();
        press(*p, "cmdCancel");
        QCOMPARE(session(*p).state(), State::Standalone);
        QVERIFY(!p->view()->chat()->isVisible());
        QVERIFY(p->window.action(QStringLiteral("mnuConnect"))->isEnabled());
        QCOMPARE(p->t().speedDelay, speed);
        QCOMPARE(p->button(1)->text(), QStringLiteral("&Deal"));
    }

    // The chat history is small on the table: its type leaves room for four lines at any zoom.
    void chatHistoryShowsFourLines() {
        TableUnderTest p(1);
        p.t().online = true;
        p.window.refresh();
        QPlainTextEdit* board = p.view()->whiteboard();
        QVERIFY(board->isVisible());
        for (double zoom : {1.0, 2.0}) {
            p.view()->setZoom(zoom);
            const int room = board->viewport()->height() -
                             2 * static_cast<int>(board->document()->documentMargin());
            QVERIFY2(room >= 4 * board->fontMetrics().lineSpacing(),
                     qPrintable(QString::number(zoom)));
        }
    }

    void hostAndGuestPlayAWholeGameAndChat() {
        LobbyServer lobby;
        auto hosting = player(3, lobby.address());
        QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Evening")));
        QCOMPARE(hosting->window.windowTitle(), QStringLiteral("Corvane (Hosting)"));
        auto guest = player(4, lobby.address());
        QVERIFY(join(*guest, QStringLiteral("Guesty"), 2));
        QCOMPARE(guest->window.windowTitle(), QStringLiteral("Corvane"));
        QCOMPARE(guest->view()->playerName(0)->text(), QStringLiteral("Guesty"));
        // The deal of another's table is not this program's to write.
        QVERIFY(!guest->window.action(QStringLiteral("mnuSaveGameRecord"))->isEnabled());
        // Each sits opposite the other, at the top of the other's table.
        QTRY_COMPARE(guest->view()->playerName(2)->text(), QStringLiteral("Hosty"));
        QTRY_COMPARE(hosting->view()->playerName(2)->text(), QStringLiteral("Guesty"));

        // A chat line goes round to both whiteboards.
        QTest::keyClicks(guest->view()->chat(), QStringLiteral("Evening all"));
        QTest::keyClick(guest->view()->chat(), Qt::Key_Return);
        QVERIFY(guest->view()->chat()->text().isEmpty());
        for (TableUnderTest* p : {hosting.get(), guest.get()})
            QTRY_VERIFY(p->view()->whiteboard()->toPlainText().contains(
                QStringLiteral("Guesty: Evening all")));

        // The guest's own five cards face up at the bottom, the others face down.
        QVERIFY(playUntil(
            {hosting.get(), guest.get()}, [&] { return guest->view()->picture(4)->isVisible(); },
            10000));
        for (int i = 0; i < 5; ++i) {
            QVERIFY(guest->t().picCard[static_cast<size_t>(i)].showsFace());
            QCOMPARE(guest->view()->picture(i)->pos(), toPixels(homePosition(i)));
        }
        QVERIFY(!guest->t().picCard[10].showsFace());

        // Then the whole game; the history the guest keeps is the seat's: its own cards only.
        const GameRecord& record = guest->program.record;
        // When both tables show the game over, the record may not yet hold the last hand (a game
        // of two hands then shows one): every hand it does hold must be the seat's own.
        size_t hands = 0;
        size_t ownHands = 0;
        const auto over = [&] {
            if (record.source() == GameRecord::Source::Seated) {
                hands = record.history().hands.size();
                ownHands = 0;
                for (const RecordedHand& h : record.history().hands)
                    ownHands += h.dealt[0][0].isValid() && !h.dealt[1][0].isValid() &&
                                !h.dealt[2][0].isValid() && !h.dealt[3][0].isValid();
            }
            return gameOver(*hosting) && gameOver(*guest);
        };
        QVERIFY2(playUntil({hosting.get(), guest.get()}, over, 240000), "the game did not end");
        QVERIFY(hands >= 1);
        QCOMPARE(ownHands, hands);
        // Partners see the same result.
        const auto won = [](const TableUnderTest& p) {
            return std::count(p.messages.begin(), p.messages.end(), "You're not easy!") > 0;
        };
        QCOMPARE(won(*hosting), won(*guest));
    }

    // A guest that never bids or plays (it only answers the button window) is shown the time-out
    // counting down, and the hand goes on: its cards are played for it.
    void timeOutActsForAnIdlePlayer() {
        LobbyServer lobby;
        auto hosting = player(5, lobby.address());
        QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Idle")));
        auto guest = player(6, lobby.address());
        QVERIFY(join(*guest, QStringLiteral("Sleepy"), 1));
        bool sawCountdown = false;
        QVERIFY(playUntil(
            {hosting.get()},
            [&] {
                if (guest->window.buttonWindow()->isVisible())
                    guest->click(guest->button(1));
                sawCountdown |= guest->view()->timeout()->isVisible() &&
                                guest->view()->timeout()->text() != QStringLiteral("20");
                int played = 0;
                for (int i = 0; i < 5; ++i)
                    played += guest->t().CardState(i) == TagState::Played;
                return played >= 2;
            },
            60000));
        QVERIFY(sawCountdown);
    }

    void hostKilledMidHand() {
        LobbyServer lobby;
        auto hosting = player(7, lobby.address());
        QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Short")));
        auto guest = player(8, lobby.address());
        const std::string ownName = guest->t().lblPlayerName[0].caption;
        QVERIFY(join(*guest, QStringLiteral("Left"), 3));
        QVERIFY(playUntil(
            {hosting.get(), guest.get()}, [&] { return guest->t().gamePhase == PhasePlay; },
            20000));
        hosting.reset(); // the host's program goes away mid-hand
        QVERIFY(reaches(*guest, State::Standalone));
        QTRY_VERIFY(guest->messageShown());
        QCOMPARE(guest->window.buttonWindow()->message(),
                 QStringLiteral("Your host has disconnected."));
        QVERIFY(!guest->view()->chat()->isVisible());
        QVERIFY(guest->window.action(QStringLiteral("mnuConnect"))->isEnabled());
        QCOMPARE(guest->t().lblPlayerName[0].caption, ownName); // its own name again
        for (int i = 0; i < PictureCount; ++i)
            QVERIFY(!guest->view()->picture(i)->isVisible());
    }

    // A person who sits down mid-hand is told to wait; their first cards come with the next deal.
    void sittingDownMidHandWaitsForTheNext() {
        LobbyServer lobby;
        auto hosting = player(12, lobby.address());
        QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Busy")));
        QVERIFY(playUntil(
            {hosting.get()}, [&] { return hosting->t().gamePhase == PhasePlay; }, 20000));
        auto late = player(13, lobby.address());
        QVERIFY(join(*late, QStringLiteral("Late"), 1));
        QTRY_VERIFY(late->messageShown());
        QCOMPARE(late->window.buttonWindow()->message(),
                 QStringLiteral("Waiting for next hand..."));
        QVERIFY(playUntil(
            {hosting.get(), late.get()}, [&] { return late->view()->picture(0)->isVisible(); },
            60000));
    }
};

QTEST_MAIN(OnlineWindowTest)
#include "online_window_test.moc"
