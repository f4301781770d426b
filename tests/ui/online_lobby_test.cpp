// The ways into and out of online play, end to end through the real corvane-lobby: the lobby
// dialog reports a refused server in its own words, a seat taken meanwhile or a table that has
// just ended returns it to choosing, every way out leaves a standalone table that deals, Play
// Online is offered between hands only, chat is cut where a character ends, and a person who leaves
// is shown to everyone as a computer player. The protocol's field names include Qt's "slots"
// keyword: its headers come before any of Qt's.
// clang-format off
#include "online/seat.h"
#include "online_fixture.h"
// clang-format on
#include "table/name_pool.h"
#include "ui/lobby_dialog.h"
#include "ui/online_session.h"
#include "ui/socket_channel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

using namespace corvane;
using namespace corvane::ui;
using namespace corvane::ui::test;

namespace {

QString statusOf(TableUnderTest& p) {
    return session(p).lobbyDialog() ? session(p).lobbyDialog()->status() : QString();
}

bool statusIs(TableUnderTest& p, const char* text) {
    return QTest::qWaitFor([&] { return statusOf(p) == QString::fromUtf8(text); }, 10000);
}

// A standalone table again: no chat, Play Online offered, and Deal deals.
bool standaloneAndDeals(TableUnderTest& p) {
    if (session(p).state() != State::Standalone || p.view()->chat()->isVisible() || p.t().online)
        return false;
    if (p.messageShown())
        p.click(p.button(1));
    if (!QTest::qWaitFor([&] { return p.window.buttonWindow()->isVisible(); }, 5000) ||
        p.button(1)->text() != QStringLiteral("&Deal"))
        return false;
    p.click(p.button(1));
    return QTest::qWaitFor([&] { return p.t().gamePhase != PhaseIdle; }, 5000);
}

void pickSeat(TableUnderTest& p, int row, int seat) {
    auto* list = field<QListWidget>(p, "lstGames");
    list->setCurrentRow(row);
    QTest::mouseClick(field<QRadioButton>(p, QStringLiteral("optSeat%1").arg(seat).toLatin1()),
                      Qt::LeftButton);
}

// With CORVANE_SCREENSHOTS set, the screen as a person sees it at that moment.
void shot(QWidget* widget, const char* name) {
    if (qEnvironmentVariableIsSet("CORVANE_SCREENSHOTS") && widget)
        widget->grab().save(QString::fromLatin1(name) + QStringLiteral(".png"));
}

// Opens a table from the lobby dialog as it was filled in; true once hosting.
bool newTableFromTheDialog(TableUnderTest& p) {
    QTest::mouseClick(field<QPushButton>(p, "cmdNew"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return session(p).state() == State::Hosting; }, 5000);
}

// A window hosting the table "Evening" as Hosty; null if it could not.
std::unique_ptr<TableUnderTest> hostingEvening(const LobbyServer& lobby, std::uint64_t seed) {
    auto p = player(seed, lobby.address());
    return host(*p, QStringLiteral("Hosty"), QStringLiteral("Evening")) ? std::move(p) : nullptr;
}

// Opens the lobby under `user` and waits for the one listed table.
bool readingTheList(TableUnderTest& p, const QString& user) {
    if (!openLobby(p))
        return false;
    QTest::keyClicks(field<QLineEdit>(p, "txtUserName"), user);
    return QTest::qWaitFor([&] { return field<QListWidget>(p, "lstGames")->count() == 1; }, 5000);
}

ServerAddress deadPorts() {
    LobbyServer gone; // ports that were just free
    return gone.address();
}

} // namespace

class OnlineLobbyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void refusedServerIsReportedInTheDialog();
    void playOnlineBetweenHandsOnly();
    void takenSeatReturnsToChoosing();
    void vanishedTableReturnsToChoosing();
    void failedNewTableLeavesAStandaloneTable();
    void accentedChatIsCutOnACharacterBoundary();
    void leaverIsShownAsAComputerToEveryone();
    void lobbyFieldsComeBackInTheNextRun();
};

void OnlineLobbyTest::initTestCase() {
#ifndef CORVANE_LOBBY_BINARY
    QSKIP("built without the lobby server");
#endif
    quietOffscreenWarnings();
}

void OnlineLobbyTest::refusedServerIsReportedInTheDialog() {
    auto p = player(11, deadPorts());
    p->window.action(QStringLiteral("mnuConnect"))->trigger();
    // The dialog opens at once, says it is connecting, then why it could not.
    QVERIFY(session(*p).lobbyDialog());
    QVERIFY(statusIs(*p, SocketChannel::RefusedText));
    QCOMPARE(session(*p).state(), State::Lobby);
    QVERIFY(!session(*p).lobbyDialog()->isBusy());
    shot(session(*p).lobbyDialog(), "lobby-refused-server");
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
    // Another server can be typed and tried with Refresh.
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto* server = field<QLineEdit>(*p, "txtServer");
    server->setText(QStringLiteral("127.0.0.1:%1").arg(lobby.address().listPort));
    QTest::mouseClick(field<QPushButton>(*p, "cmdRefresh"), Qt::LeftButton);
    QVERIFY(statusIs(*p, OnlineSession::NoTablesText));
    QCOMPARE(session(*p).state(), State::Lobby);
    QTest::mouseClick(field<QPushButton>(*p, "cmdCancel"), Qt::LeftButton);
    QVERIFY(standaloneAndDeals(*p));
}

void OnlineLobbyTest::playOnlineBetweenHandsOnly() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto p = player(13, lobby.address());
    QAction* connect = p->window.action(QStringLiteral("mnuConnect"));
    auto* menu = qobject_cast<QMenu*>(connect->parent());
    QVERIFY(menu);
    p->click(p->button(1)); // Deal: a standalone hand begins
    QVERIFY(QTest::qWaitFor([&] { return p->t().gamePhase != PhaseIdle; }, 5000));
    emit menu->aboutToShow();
    QVERIFY(!connect->isEnabled());
    // Neither the menu command nor a double click can take the table online mid-hand.
    connect->setEnabled(true);
    connect->trigger();
    QCOMPARE(session(*p).state(), State::Standalone);
    QVERIFY(!session(*p).lobbyDialog());
    QVERIFY(!p->t().online);
    // A new game is between hands again.
    p->window.action(QStringLiteral("mnuNew"))->trigger();
    emit menu->aboutToShow();
    QVERIFY(connect->isEnabled());
    QVERIFY(openLobby(*p));
}

void OnlineLobbyTest::takenSeatReturnsToChoosing() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto hosting = hostingEvening(lobby, 14);
    QVERIFY(hosting);
    auto late = player(15, lobby.address());
    QVERIFY(readingTheList(*late, QStringLiteral("Late")));
    // Someone else takes seat 1 while the late one still reads the old list.
    auto quick = player(16, lobby.address());
    QVERIFY(join(*quick, QStringLiteral("Quick"), 1));
    pickSeat(*late, 0, 1);
    QTest::mouseClick(field<QPushButton>(*late, "cmdJoin"), Qt::LeftButton);
    QVERIFY(statusIs(*late, OnlineSession::SeatTakenText));
    QCOMPARE(session(*late).state(), State::Lobby);
    QVERIFY(!session(*late).lobbyDialog()->isBusy());
    auto* seat1 = field<QRadioButton>(*late, "optSeat1");
    QCOMPARE(seat1->text(), QStringLiteral("Quick"));
    QVERIFY(!seat1->isEnabled());
    QVERIFY(field<QRadioButton>(*late, "optSeat0")->text().startsWith(QStringLiteral("Hosty")));
    QVERIFY(late->view()->chat()->isVisible());
    shot(session(*late).lobbyDialog(), "lobby-seat-taken");
    // Choosing again works: a free seat is taken.
    pickSeat(*late, 0, 3);
    QTest::mouseClick(field<QPushButton>(*late, "cmdJoin"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return session(*late).state() == State::Seated; }, 5000));
    QCOMPARE(late->t().localSeat, 3);
}

void OnlineLobbyTest::vanishedTableReturnsToChoosing() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto hosting = hostingEvening(lobby, 17);
    QVERIFY(hosting);
    auto guest = player(18, lobby.address());
    QVERIFY(readingTheList(*guest, QStringLiteral("Guesty")));
    // The host leaves: its table ends while the guest still reads it in the list.
    hosting->window.action(QStringLiteral("mnuNew"))->trigger();
    QTest::qWait(100);
    pickSeat(*guest, 0, 2);
    QTest::mouseClick(field<QPushButton>(*guest, "cmdJoin"), Qt::LeftButton);
    QVERIFY(statusIs(*guest, OnlineSession::TableGoneText));
    QCOMPARE(session(*guest).state(), State::Lobby);
    QVERIFY(!session(*guest).lobbyDialog()->isBusy());
    // Nobody sat down, so nobody's host "disconnected"; the list is read again.
    for (const std::string& m : guest->messages)
        QVERIFY(m != "Your host has disconnected.");
    QVERIFY(guest->t().buttonMessage != "Your host has disconnected.");
    QVERIFY(QTest::qWaitFor([&] { return field<QListWidget>(*guest, "lstGames")->count() == 0; },
                            5000));
    shot(session(*guest).lobbyDialog(), "lobby-table-gone");
    QTest::mouseClick(field<QPushButton>(*guest, "cmdCancel"), Qt::LeftButton);
    QVERIFY(standaloneAndDeals(*guest));
}

void OnlineLobbyTest::failedNewTableLeavesAStandaloneTable() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    // Only the list port answers, as when a friend forwards port 9000 alone.
    ServerAddress listOnly = lobby.address();
    const ServerAddress dead = deadPorts();
    listOnly.hostPort = dead.hostPort;
    listOnly.playerPort = dead.playerPort;
    auto p = player(19, listOnly);
    const std::string name = p->t().lblPlayerName[0].caption;
    QVERIFY(openLobby(*p));
    QTest::keyClicks(field<QLineEdit>(*p, "txtUserName"), QStringLiteral("Hosty"));
    QTest::mouseClick(field<QPushButton>(*p, "cmdNew"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return p->messageShown(); }, 10000));
    QCOMPARE(p->window.buttonWindow()->message(),
             QString::fromLatin1(OnlineSession::CouldNotConnect));
    shot(&p->window, "new-table-failed");
    QVERIFY(!session(*p).lobbyDialog());
    QCOMPARE(p->t().lblPlayerName[0].caption, name);
    QVERIFY(standaloneAndDeals(*p));
}

void OnlineLobbyTest::accentedChatIsCutOnACharacterBoundary() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto hosting = hostingEvening(lobby, 21);
    QVERIFY(hosting);
    auto guest = player(22, lobby.address());
    QVERIFY(join(*guest, QStringLiteral("Guesty"), 2));
    // Typed or pasted, the line takes 80 characters.
    guest->view()->chat()->setText(QString(100, QChar(0x00E9)));
    QCOMPARE(guest->view()->chat()->text().size(), 80);
    QTest::keyClick(guest->view()->chat(), Qt::Key_Return);
    // "Guesty: " leaves 91 of the 99 bytes: 45 two-byte letters.
    const QString expected = QStringLiteral("Guesty: ") + QString(45, QChar(0x00E9));
    for (TableUnderTest* p : {hosting.get(), guest.get()}) {
        QVERIFY(QTest::qWaitFor(
            [&] { return p->view()->whiteboard()->toPlainText().contains(expected); }, 5000));
        QVERIFY(
            !p->view()->whiteboard()->toPlainText().contains(QChar(QChar::ReplacementCharacter)));
    }
    QVERIFY(guest->view()->whiteboard()->toPlainText().contains(
        QString::fromUtf8(online::Seat::ChatShortenedMessage)));
    shot(&guest->window, "chat-cut-guest");
    QVERIFY(!hosting->view()->whiteboard()->toPlainText().contains(
        QString::fromUtf8(online::Seat::ChatShortenedMessage)));
}

void OnlineLobbyTest::leaverIsShownAsAComputerToEveryone() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    auto hosting = hostingEvening(lobby, 23);
    QVERIFY(hosting);
    auto west = player(24, lobby.address());
    const std::string westName = west->t().lblPlayerName[0].caption;
    QVERIFY(join(*west, QStringLiteral("Westy"), 1));
    auto north = player(25, lobby.address());
    QVERIFY(join(*north, QStringLiteral("Northy"), 2));
    // North sees West at its right-hand seat (table seat 1 is North's seat 3).
    QVERIFY(QTest::qWaitFor([&] { return north->t().lblPlayerName[3].caption == "Westy"; }, 5000));
    west->window.action(QStringLiteral("mnuNew"))->trigger();
    const auto& pool = NamePool::all();
    const auto computerAt = [&](TableUnderTest& p, int seat) {
        const std::string& name = p.t().lblPlayerName[static_cast<size_t>(seat)].caption;
        return std::find(pool.begin(), pool.end(), name) != pool.end();
    };
    QVERIFY(QTest::qWaitFor([&] { return computerAt(*north, 3); }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return computerAt(*hosting, 1); }, 5000));
    QVERIFY(north->view()->whiteboard()->toPlainText().contains(
        QStringLiteral("Westy has disconnected.")));
    // West is standalone again under its own name, with computer players around it.
    QCOMPARE(west->t().lblPlayerName[0].caption, westName);
    for (int seat = 1; seat <= 3; ++seat)
        QVERIFY(computerAt(*west, seat));
    shot(&north->window, "leaver-shown-as-computer");
}

// The name and the server come back in the next run's lobby dialog, and the key only while
// "Remember key" is ticked; unticking it forgets a key kept before.
void OnlineLobbyTest::lobbyFieldsComeBackInTheNextRun() {
    LobbyServer lobby;
    QVERIFY(lobby.running());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("corvane.conf"));
    const auto run = [&](std::uint64_t seed) {
        auto p = std::make_unique<TableUnderTest>(seed, OnlineTimeScale, lobby.address(),
                                                  std::make_unique<Preferences>(file));
        p->settleAfterClicks = false;
        return p;
    };
    {
        auto first = run(31);
        QVERIFY(openLobby(*first));
        QVERIFY(field<QLineEdit>(*first, "txtUserName")->text().isEmpty());
        QVERIFY(!field<QCheckBox>(*first, "chkRememberKey")->isChecked());
        QTest::keyClicks(field<QLineEdit>(*first, "txtUserName"), QStringLiteral("Hosty"));
        QTest::keyClicks(field<QLineEdit>(*first, "txtPassword"), QStringLiteral("sesame"));
        QTest::mouseClick(field<QCheckBox>(*first, "chkRememberKey"), Qt::LeftButton);
        QVERIFY(newTableFromTheDialog(*first));
    }
    const LobbyPreferences kept = Preferences(file).lobby();
    QCOMPARE(kept, (LobbyPreferences{QStringLiteral("Hosty"), lobby.address().text(), true,
                                     QStringLiteral("sesame")}));
    {
        auto second = run(32);
        QVERIFY(openLobby(*second));
        QCOMPARE(field<QLineEdit>(*second, "txtUserName")->text(), QStringLiteral("Hosty"));
        QCOMPARE(field<QLineEdit>(*second, "txtPassword")->text(), QStringLiteral("sesame"));
        auto* remember = field<QCheckBox>(*second, "chkRememberKey");
        QVERIFY(remember->isChecked());
        QTest::mouseClick(remember, Qt::LeftButton);
        QVERIFY(newTableFromTheDialog(*second));
    }
    QCOMPARE(Preferences(file).lobby(),
             (LobbyPreferences{QStringLiteral("Hosty"), lobby.address().text(), false, {}}));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(!written.readAll().contains("sesame"));
    {
        auto third = run(33);
        QVERIFY(openLobby(*third));
        QCOMPARE(field<QLineEdit>(*third, "txtUserName")->text(), QStringLiteral("Hosty"));
        QVERIFY(field<QLineEdit>(*third, "txtPassword")->text().isEmpty());
    }
}

QTEST_MAIN(OnlineLobbyTest)
#include "online_lobby_test.moc"
