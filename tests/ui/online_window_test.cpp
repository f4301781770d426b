// Online play in the window, end to end: real table windows (offscreen) through the real
// corvane-lobby on loopback, a hosting window and a joining window in this process, each with its
// own engine, sockets and clock, and the lobby dialog as the window feeds it. The online rules
// and which answer leads where are the core's; these show what the window shows of them and that
// it feeds the person's clicks and lines to them.
#include "online_fixture.h"
#include "ui/online/socket_channel.h"
#include "ui/record/record_windows.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

bool statusIs(TableUnderTest& p, const char* text) {
    return QTest::qWaitFor(
        [&] { return session(p).lobbyDialog()->status() == QString::fromUtf8(text); }, 10000);
}

} // namespace

class OnlineWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    // The host, a guest and a late comer through the real lobby. The late comer's list is
    // read before the guest takes seat 2: refused, it sits at the seat the refusal leaves checked.
    // The host and the guest chat and play; the late comer, idle, sees its time-out count down
    // (what the computer then does for it is the seat's) and its program goes away mid-hand;
    // the guest's record is the seat's; the host's saved record stops at the hand in play; then
    // the host's program goes away mid-hand.
    void hostGuestAndLateSeatThenTheSeatAndTheHostAreKilled() {
        LobbyServer lobby;
        auto hosting = player(3, lobby.address());
        QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Evening")));
        QCOMPARE(hosting->window.windowTitle(), QStringLiteral("Corvane (Hosting)"));
        auto late = player(15, lobby.address());
        QVERIFY(openLobby(*late, QStringLiteral("Late")));
        QTRY_COMPARE(field<QListWidget>(*late, "lstGames")->count(), 1);
        auto guest = player(4, lobby.address());
        const std::string ownName = guest->t().localName();
        QVERIFY(join(*guest, QStringLiteral("Guesty"), 2));
        QCOMPARE(guest->view()->playerName(0)->text(), QStringLiteral("Guesty"));
        // The deal of another's table is not this program's to write.
        QVERIFY(!guest->window.action(QStringLiteral("mnuSaveGameRecord"))->isEnabled());
        QVERIFY(pickSeat(*late, 2));
        QVERIFY(statusIs(*late, OnlineSession::SeatTakenText));
        press(*late, "cmdJoin"); // the seat the refusal left checked
        QVERIFY(reaches(*late, State::Seated));

        // A chat line goes round to every whiteboard.
        QTest::keyClicks(guest->view()->chat(), QStringLiteral("Evening all"));
        QTest::keyClick(guest->view()->chat(), Qt::Key_Return);
        QVERIFY(guest->view()->chat()->text().isEmpty());
        for (TableUnderTest* p : {hosting.get(), guest.get(), late.get()})
            QTRY_VERIFY(p->view()->whiteboard()->toPlainText().contains(
                QStringLiteral("Guesty: Evening all")));

        const std::vector<TableUnderTest*> both{hosting.get(), guest.get()};
        QVERIFY(playUntil(
            both,
            [&] {
                return late->view()->timeout()->isVisible() &&
                       late->view()->timeout()->text() != QStringLiteral("20");
            },
            60000));
        late.reset(); // the late comer's program goes away
        QTRY_VERIFY(hosting->view()->whiteboard()->toPlainText().contains(
            QStringLiteral("Late has disconnected.")));

        // The history the guest keeps is the seat's (what it holds is the seat history's own test).
        const GameRecord& record = guest->program.record;
        const auto scored = [&] {
            const auto& hands = record.history().hands;
            return record.source() == GameRecord::Source::Seated && !hands.empty() &&
                   hands[0].stage == HandStage::Scored;
        };
        QVERIFY2(playUntil(both, scored, 60000), "no hand was scored");

        QVERIFY(playUntil(
            both,
            [&] {
                return record.history().hands.size() >= 2 &&
                       guest->t().gamePhase == GamePhase::Play;
            },
            20000));
        // The host's record keeps the hand in play to itself: its deal is every seat's cards.
        QTemporaryDir dir;
        QVERIFY(hosting->program.recordWindows->saveGameRecordTo(dir.filePath("game.jsonl")));
        QFile saved(dir.filePath("game.jsonl"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray lines = saved.readAll();
        QCOMPARE(lines.count("\"ev\":\"deal\""),
                 lines.count("\"ev\":\"hand\"") + lines.count("\"ev\":\"misdeal\""));
        QVERIFY(lines.contains("\"ev\":\"deal\""));
        hosting.reset(); // the host's program goes away mid-hand
        QVERIFY(reaches(*guest, State::Standalone));
        QTRY_VERIFY(guest->messageShown());
        QCOMPARE(guest->window.buttonWindow()->message(),
                 QStringLiteral("Your host has disconnected."));
        QVERIFY(!guest->view()->chat()->isVisible());
        QVERIFY(guest->window.action(QStringLiteral("mnuConnect"))->isEnabled());
        QCOMPARE(guest->t().localName(), ownName); // its own name again
        for (int i = 0; i < PictureCount; ++i)
            QVERIFY(!guest->view()->picture(i)->isVisible());
    }

    // A refused server is said in the dialog's status line; another server typed is tried
    // with Refresh. Online the chat shows and Play Online is not offered; Cancel gives back the
    // standalone table and its speed.
    void playOnlineThenCancel() {
        ServerAddress dead = LobbyServer().address(); // ports that were just free
        auto p = player(11, dead);
        const int speed = p->t().speedDelay;
        QAction* connect = p->window.action(QStringLiteral("mnuConnect"));
        connect->trigger();
        QVERIFY(statusIs(*p, SocketChannel::RefusedText));
        QVERIFY(!session(*p).lobbyDialog()->isBusy());
        LobbyServer lobby;
        field<QLineEdit>(*p, "txtServer")
            ->setText(QStringLiteral("127.0.0.1:%1").arg(lobby.address().listPort));
        press(*p, "cmdRefresh");
        QVERIFY(statusIs(*p, OnlineSession::NoTablesText));

        QVERIFY(p->view()->chat()->isVisible());
        QVERIFY(!connect->isEnabled());
        press(*p, "cmdCancel");
        QCOMPARE(session(*p).state(), State::Standalone);
        QVERIFY(!p->view()->chat()->isVisible());
        QVERIFY(connect->isEnabled());
        QCOMPARE(p->t().speedDelay, speed);
        QCOMPARE(p->button(1)->text(), QStringLiteral("&Deal"));
    }

    // The name and the server come back in the next run's lobby dialog, and the key only while
    // "Remember key" is ticked.
    void lobbyFieldsComeBackInTheNextRun() {
        LobbyServer lobby;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("corvane.conf"));
        const auto run = [&](std::uint64_t seed, bool tick) {
            auto p = player(seed, lobby.address(), std::make_unique<Preferences>(file));
            if (!openLobby(*p))
                return QStringList();
            const QStringList shown{field<QLineEdit>(*p, "txtUserName")->text(),
                                    field<QLineEdit>(*p, "txtPassword")->text()};
            if (shown[0].isEmpty()) {
                QTest::keyClicks(field<QLineEdit>(*p, "txtUserName"), QStringLiteral("Hosty"));
                QTest::keyClicks(field<QLineEdit>(*p, "txtPassword"), QStringLiteral("sesame"));
            }
            if (tick)
                press(*p, "chkRememberKey");
            press(*p, "cmdNew");
            return reaches(*p, State::Hosting) ? shown : QStringList();
        };
        QCOMPARE(run(31, true), (QStringList{"", ""}));
        QCOMPARE(Preferences(file).lobby(),
                 (LobbyPreferences{QStringLiteral("Hosty"), lobby.address().text(), true,
                                   QStringLiteral("sesame")}));
        QCOMPARE(run(32, true), (QStringList{"Hosty", "sesame"})); // unticked
        QCOMPARE(run(33, false), (QStringList{"Hosty", ""}));
    }
};

QTEST_MAIN(OnlineWindowTest)
#include "online_window_test.moc"
