// The window online with corvane-bots at the table, through the real corvane-lobby: hosting a
// table two bots join, joining a bot's table (the seat's own history shown, the game record
// not to be saved), a refused key, a table full of people, and the
// lobby dialog with three waiting tables (written to lobby-three-tables.png).
#include "online_fixture.h"
#include "ui/twips.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

// Keeps asking for the list until the table shows with `persons` people seated.
bool waitForTable(TableUnderTest& p, const QString& name, int persons) {
    auto* list = field<QListWidget>(p, "lstGames");
    // The seat buttons show a table's seats only for a person with a name.
    if (field<QLineEdit>(p, "txtUserName")->text().isEmpty())
        QTest::keyClicks(field<QLineEdit>(p, "txtUserName"), QStringLiteral("Looker"));
    return QTest::qWaitFor(
        [&] {
            const auto items = list->findItems(name, Qt::MatchExactly);
            if (!items.isEmpty()) {
                list->setCurrentItem(items.front());
                int people = 0;
                for (int s = 0; s < 4; ++s)
                    people += !field<QRadioButton>(
                                   p, QStringLiteral("optSeat%1").arg(s).toLatin1().constData())
                                   ->isEnabled();
                if (people == persons)
                    return true;
            }
            QTest::mouseClick(field<QPushButton>(p, "cmdRefresh"), Qt::LeftButton);
            QTest::qWait(100);
            return false;
        },
        15000);
}

} // namespace

class OnlineBotsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void windowHostsTwoBots();
    void windowJoinsABotsTable();
    void finishedTricksStayForThePause();
    void refusedKeyKeepsTheDialogOpen();
    void onlyTheFreeSeatOfAFullishTable();
    void lobbyWithThreeTables();
};

void OnlineBotsTest::initTestCase() {
#if !defined(CORVANE_LOBBY_BINARY) || !defined(CORVANE_BOT_BINARY)
    QSKIP("built without the lobby server and the bot");
#endif
    quietOffscreenWarnings();
}

void OnlineBotsTest::windowHostsTwoBots() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto hosting = player(21, lobby.address());
    QVERIFY(host(*hosting, QStringLiteral("Hosty"), QStringLiteral("Evening")));
    auto west = startBot(lobby.address(), {QStringLiteral("--join"), QStringLiteral("Evening"),
                                           QStringLiteral("--seat"), QStringLiteral("1"),
                                           QStringLiteral("--name"), QStringLiteral("Westy"),
                                           QStringLiteral("--pace"), QStringLiteral("fast")});
    auto east = startBot(lobby.address(), {QStringLiteral("--join"), QStringLiteral("Evening"),
                                           QStringLiteral("--seat"), QStringLiteral("3"),
                                           QStringLiteral("--name"), QStringLiteral("Easty"),
                                           QStringLiteral("--pace"), QStringLiteral("fast")});
    QVERIFY(QTest::qWaitFor(
        [&] {
            return hosting->view()->playerName(1)->text() == QStringLiteral("Westy") &&
                   hosting->view()->playerName(3)->text() == QStringLiteral("Easty");
        },
        15000));
    QVERIFY2(playUntil(
                 {hosting.get()}, [&] { return gameOver(*hosting); }, 240000),
             "the game did not end");
    // Each bot played its seat to the end of the game and said so.
    for (corvane::testing::BotProcess* bot : {west.get(), east.get()}) {
        // The event loop runs meanwhile: the host's last messages leave through it.
        QVERIFY2(QTest::qWaitFor([&] { return !bot->running(); }, 30000), bot->describe().c_str());
        QCOMPARE(bot->finish(corvane::testing::within(std::chrono::seconds(1))), 0);
        QCOMPARE(bot->lines("games finished: "), std::vector<std::string>{"1"});
    }
}

void OnlineBotsTest::windowJoinsABotsTable() {
    LobbyServer lobby;
    auto bot = startBot(lobby.address(), {QStringLiteral("--host"), QStringLiteral("Night"),
                                          QStringLiteral("--name"), QStringLiteral("Botty"),
                                          QStringLiteral("--wait-for"), QStringLiteral("2"),
                                          QStringLiteral("--pace"), QStringLiteral("fast")});
    auto guest = player(22, lobby.address());
    QVERIFY(openLobby(*guest));
    QVERIFY(waitForTable(*guest, QStringLiteral("Night"), 1));
    QTest::mouseClick(field<QPushButton>(*guest, "cmdCancel"), Qt::LeftButton);
    QVERIFY(join(*guest, QStringLiteral("Guesty"), 2, QStringLiteral("Night")));
    QCOMPARE(guest->t().localSeat, 2);
    // The deal of another's table is not this program's to write.
    QVERIFY(!guest->window.action(QStringLiteral("mnuSaveGameRecord"))->isEnabled());
    // The bot host sits opposite: at the top of the guest's table.
    QVERIFY(QTest::qWaitFor(
        [&] { return guest->view()->playerName(2)->text() == QStringLiteral("Botty"); }, 10000));
    QVERIFY(playUntil(
        {guest.get()}, [&] { return guest->view()->picture(4)->isVisible(); }, 20000));
    for (int i = 0; i < 5; ++i) {
        QVERIFY(guest->t().picCard[static_cast<size_t>(i)].showsFace());
        QCOMPARE(guest->view()->picture(i)->pos(), toPixels(homePosition(i)));
    }
    // While seated, the history shown is the seat's: its own cards, never the others' hands,
    // though every deal carried them.
    const GameRecord& record = guest->program.record;
    size_t seatsHands = 0;
    const auto watch = [&] {
        if (record.source() == GameRecord::Source::Seated) {
            seatsHands = 0;
            for (const RecordedHand& h : record.history().hands)
                seatsHands += h.dealt[0][0].isValid() && !h.dealt[1][0].isValid() &&
                              !h.dealt[2][0].isValid() && !h.dealt[3][0].isValid();
        }
        return gameOver(*guest);
    };
    QVERIFY2(playUntil({guest.get()}, watch, 240000), "the game did not end");
    QVERIFY(seatsHands >= 2);
    bot->kill();
}

// At a person's pace (the bot host's and the window's own), each finished trick stays on the
// joined window's table, all four cards, for the standalone pause before the next lead clears it.
void OnlineBotsTest::finishedTricksStayForThePause() {
    LobbyServer lobby;
    auto bot = startBot(lobby.address(),
                        {QStringLiteral("--host"), QStringLiteral("Slow"), QStringLiteral("--name"),
                         QStringLiteral("Botty"), QStringLiteral("--wait-for"), QStringLiteral("2"),
                         QStringLiteral("--pace"), QStringLiteral("normal")});
    auto guest = std::make_unique<TableUnderTest>(24, 1.0, lobby.address());
    guest->settleAfterClicks = false;
    QVERIFY(openLobby(*guest));
    QVERIFY(waitForTable(*guest, QStringLiteral("Slow"), 1));
    QTest::mouseClick(field<QPushButton>(*guest, "cmdCancel"), Qt::LeftButton);
    QVERIFY(join(*guest, QStringLiteral("Guesty"), 2, QStringLiteral("Slow")));

    const auto trickShown = [&] {
        const Table& t = guest->t();
        for (int s = 0; s < 4; ++s) {
            const int card = t.tableCard[static_cast<size_t>(s)];
            if (card < 0 || !guest->view()->picture(t.localPicture(card))->isVisible())
                return false;
        }
        return true;
    };
    std::vector<qint64> shownFor;
    QElapsedTimer since;
    bool shown = false;
    const auto watch = [&] {
        const bool now = trickShown();
        if (now && !shown) {
            since.start();
            if (shownFor.empty() && qEnvironmentVariableIsSet("CORVANE_SCREENSHOTS"))
                guest->window.grab().save(QStringLiteral("trick-on-joined-table.png"));
        } else if (!now && shown) {
            shownFor.push_back(since.elapsed());
        }
        shown = now;
        return shownFor.size() >= 4;
    };
    QVERIFY2(playUntil({guest.get()}, watch, 120000), "four tricks did not finish");
    for (const qint64 ms : shownFor)
        QVERIFY2(ms >= 900, qPrintable(QStringLiteral("a trick was shown for %1 ms").arg(ms)));
    bot->kill();
}

void OnlineBotsTest::refusedKeyKeepsTheDialogOpen() {
    LobbyServer lobby({QStringLiteral("--key"), QStringLiteral("open")});
    auto bot = startBot(lobby.address(), {QStringLiteral("--host"), QStringLiteral("Locked"),
                                          QStringLiteral("--key"), QStringLiteral("open"),
                                          QStringLiteral("--wait-for"), QStringLiteral("4")});
    auto p = player(23, lobby.address());
    QVERIFY(openLobby(*p));
    QTest::keyClicks(field<QLineEdit>(*p, "txtUserName"), QStringLiteral("Nokey"));
    QTest::keyClicks(field<QLineEdit>(*p, "txtPassword"), QStringLiteral("shut"));

    // New Table with the wrong key: said plainly, the dialog stays, the list comes back.
    QTest::mouseClick(field<QPushButton>(*p, "cmdNew"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return p->messageShown(); }, 5000));
    QCOMPARE(p->window.buttonWindow()->message(),
             QString::fromLatin1(OnlineSession::KeyRefusedMessage));
    // The list shared its connection with the host channel: it is opened again.
    QVERIFY(QTest::qWaitFor([&] { return session(*p).state() == State::Lobby; }, 5000));
    QVERIFY(session(*p).lobbyDialog()->isVisible());
    p->click(p->button(1));
    QVERIFY(waitForTable(*p, QStringLiteral("Locked"), 1));

    // Join with the wrong key: the same.
    QTest::mouseClick(field<QPushButton>(*p, "cmdJoin"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return p->messageShown(); }, 5000));
    QCOMPARE(p->window.buttonWindow()->message(),
             QString::fromLatin1(OnlineSession::KeyRefusedMessage));
    QVERIFY(QTest::qWaitFor([&] { return session(*p).state() == State::Lobby; }, 5000));
    QVERIFY(session(*p).lobbyDialog()->isVisible());
    QVERIFY(p->view()->chat()->isVisible());
    bot->kill();
}

// The lobby lists only tables with a free seat, so the last free seat is what a late-comer sees.
void OnlineBotsTest::onlyTheFreeSeatOfAFullishTable() {
    LobbyServer lobby;
    std::vector<std::unique_ptr<corvane::testing::BotProcess>> bots;
    bots.push_back(startBot(lobby.address(), {QStringLiteral("--host"), QStringLiteral("Full"),
                                              QStringLiteral("--wait-for"), QStringLiteral("4")}));
    auto p = player(24, lobby.address());
    QVERIFY(openLobby(*p));
    QVERIFY(waitForTable(*p, QStringLiteral("Full"), 1));
    for (int seat : {1, 3})
        bots.push_back(
            startBot(lobby.address(), {QStringLiteral("--join"), QStringLiteral("Full"),
                                       QStringLiteral("--seat"), QString::number(seat),
                                       QStringLiteral("--name"), QStringLiteral("P%1").arg(seat)}));
    QVERIFY(waitForTable(*p, QStringLiteral("Full"), 3));
    for (int s = 0; s < 4; ++s) {
        auto* seat =
            field<QRadioButton>(*p, QStringLiteral("optSeat%1").arg(s).toLatin1().constData());
        QCOMPARE(seat->isEnabled(), s == 2);
        QCOMPARE(seat->isChecked(), s == 2);
    }
    QCOMPARE(field<QRadioButton>(*p, "optSeat1")->text(), QStringLiteral("P1"));
    QVERIFY(field<QPushButton>(*p, "cmdJoin")->isEnabled());
    for (auto& bot : bots) {
        bot->kill();
    }
}

void OnlineBotsTest::lobbyWithThreeTables() {
    LobbyServer lobby;
    std::vector<std::unique_ptr<corvane::testing::BotProcess>> bots;
    const QStringList names{QStringLiteral("Kitchen"), QStringLiteral("Harbour"),
                            QStringLiteral("Saturday")};
    for (const QString& name : names)
        bots.push_back(startBot(lobby.address(),
                                {QStringLiteral("--host"), name, QStringLiteral("--name"),
                                 name.left(4), QStringLiteral("--wait-for"), QStringLiteral("4")}));
    auto p = player(25, lobby.address());
    QVERIFY(openLobby(*p));
    QVERIFY(waitForTable(*p, names.back(), 1));
    QVERIFY(waitForTable(*p, names.front(), 1));
    QCOMPARE(session(*p).lobbyDialog()->rowCount(), 3);
    QVERIFY(field<QPushButton>(*p, "cmdJoin")->isEnabled());
    const QImage shot = session(*p).lobbyDialog()->grab().toImage();
    QVERIFY(shot.save(QDir::current().filePath(QStringLiteral("lobby-three-tables.png"))));
    for (auto& bot : bots) {
        bot->kill();
    }
}

QTEST_MAIN(OnlineBotsTest)
#include "online_bots_test.moc"
