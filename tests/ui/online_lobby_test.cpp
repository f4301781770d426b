// The lobby dialog as the window feeds it, through the real corvane-lobby: a refused server said
// in its status line with the buttons uncovered, another server tried with Refresh, a seat taken
// meanwhile shown in the seat buttons, Play Online offered between hands only, and the fields
// kept for the next run. Which answer leads where is the lobby client's, tested in the core.
#include "online_fixture.h"
#include "ui/socket_channel.h"

#include <QCheckBox>
#include <QMenu>
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

class OnlineLobbyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void refusedServerIsReportedInTheDialog() {
        ServerAddress dead = LobbyServer().address(); // ports that were just free
        auto p = player(11, dead);
        p->window.action(QStringLiteral("mnuConnect"))->trigger();
        QVERIFY(statusIs(*p, SocketChannel::RefusedText));
        QVERIFY(!session(*p).lobbyDialog()->isBusy());
        // A message meanwhile (a refused key says one) leaves the dialog's buttons and its status
        // line uncovered.
        p->engine.start(p->engine.MessageButton("The Corvane Server refused that key."));
        p->window.refresh();
        QVERIFY(p->messageShown());
        const QRect message = p->window.buttonWindow()->frameGeometry();
        for (const char* name : {"cmdJoin", "cmdNew", "cmdRefresh", "cmdCancel", "lblStatus"}) {
            QWidget* w = field<QWidget>(*p, name);
            QVERIFY2(!message.intersects(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())), name);
        }
        p->click(p->button(1));
        // Another server typed is tried with Refresh.
        LobbyServer lobby;
        field<QLineEdit>(*p, "txtServer")
            ->setText(QStringLiteral("127.0.0.1:%1").arg(lobby.address().listPort));
        press(*p, "cmdRefresh");
        QVERIFY(statusIs(*p, OnlineSession::NoTablesText));
        // Cancel leaves a standalone table that deals.
        press(*p, "cmdCancel");
        QCOMPARE(session(*p).state(), State::Standalone);
        QCOMPARE(p->button(1)->text(), QStringLiteral("&Deal"));
        p->click(p->button(1));
        QTRY_VERIFY(p->t().gamePhase != PhaseIdle);
    }

    void playOnlineBetweenHandsOnly() {
        LobbyServer lobby;
        auto p = player(13, lobby.address());
        QAction* connect = p->window.action(QStringLiteral("mnuConnect"));
        auto* menu = qobject_cast<QMenu*>(connect->parent());
        QVERIFY(menu);
        p->click(p->button(1)); // Deal: a standalone hand begins
        QTRY_VERIFY(p->t().gamePhase != PhaseIdle);
        emit menu->aboutToShow();
        QVERIFY(!connect->isEnabled());
        p->window.action(QStringLiteral("mnuNew"))->trigger();
        emit menu->aboutToShow();
        QVERIFY(connect->isEnabled());
    }

    // Someone else takes the seat while the late one still reads the old list: the seat buttons
    // show who took it, and a free seat can be chosen again.
    void takenSeatReturnsToChoosing() {
        LobbyServer lobby;
        auto hosting = player(14, lobby.address());
        QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Evening")));
        auto late = player(15, lobby.address());
        QVERIFY(openLobby(*late, QStringLiteral("Late")));
        QTRY_COMPARE(field<QListWidget>(*late, "lstGames")->count(), 1);
        auto quick = player(16, lobby.address());
        QVERIFY(join(*quick, QStringLiteral("Quick"), 1));
        QVERIFY(pickSeat(*late, 1));
        QVERIFY(statusIs(*late, OnlineSession::SeatTakenText));
        QVERIFY(!session(*late).lobbyDialog()->isBusy());
        auto* seat1 = field<QRadioButton>(*late, "optSeat1");
        QCOMPARE(seat1->text(), QStringLiteral("Quick"));
        QVERIFY(!seat1->isEnabled());
        QVERIFY(pickSeat(*late, 3));
        QVERIFY(reaches(*late, State::Seated));
        QCOMPARE(late->t().localSeat, 3);
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

QTEST_MAIN(OnlineLobbyTest)
#include "online_lobby_test.moc"
