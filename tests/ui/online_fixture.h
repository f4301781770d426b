// Online window tests' helpers: windows that play online at a hundredth of the real pauses,
// the lobby dialog filled in as a person would, and a loop that lets chosen people play.
#pragma once

#include "table_fixture.h"
#include "tests/support/bot_process.h"
#include "tests/support/lobby_process.h"
#include "ui/lobby_dialog.h"
#include "ui/online_session.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane::ui::test {

using State = OnlineSession::State;

// The real lobby, quiet, with its address as the window takes it; not running() when it could
// not start (a port asked for was taken) or once killed.
class LobbyServer {
public:
    explicit LobbyServer(const QStringList& extra = {}) {
        std::vector<std::string> args{"--quiet"};
        for (const QString& arg : extra)
            args.push_back(arg.toStdString());
        try {
            m_lobby = std::make_unique<corvane::testing::LobbyProcess>(args);
        } catch (const std::exception&) {
            return;
        }
        m_address.host = QStringLiteral("127.0.0.1");
        m_address.listPort = m_lobby->listPort();
        m_address.hostPort = m_lobby->hostPort();
        m_address.playerPort = m_lobby->playerPort();
        m_running = true;
    }
    bool running() const { return m_running; }
    const ServerAddress& address() const { return m_address; }
    void kill() {
        if (m_lobby)
            m_lobby->kill();
        m_running = false;
    }

private:
    std::unique_ptr<corvane::testing::LobbyProcess> m_lobby;
    ServerAddress m_address;
    bool m_running = false;
};

// The real bot at that lobby, quiet: a headless person at a table.
inline std::unique_ptr<corvane::testing::BotProcess> startBot(const ServerAddress& server,
                                                              const QStringList& args) {
    std::vector<std::string> argv{"--quiet"};
    for (const QString& arg : args)
        argv.push_back(arg.toStdString());
    return std::make_unique<corvane::testing::BotProcess>(
        corvane::testing::LobbyPorts{server.listPort, server.hostPort, server.playerPort}, argv);
}

// Pauses a hundred times shorter than in play: the 20-second time-out lasts 200 ms.
inline constexpr double OnlineTimeScale = 0.01;

inline std::unique_ptr<TableUnderTest> player(std::uint64_t seed, const ServerAddress& server) {
    auto p = std::make_unique<TableUnderTest>(seed, OnlineTimeScale, server);
    p->settleAfterClicks = false;
    return p;
}

inline OnlineSession& session(TableUnderTest& p) {
    return p.program.online;
}

template <class T> T* field(TableUnderTest& p, const char* name) {
    return session(p).lobbyDialog()->findChild<T*>(QString::fromLatin1(name));
}

inline bool openLobby(TableUnderTest& p) {
    p.window.action(QStringLiteral("mnuConnect"))->trigger();
    return QTest::qWaitFor([&] { return session(p).state() == State::Lobby; }, 5000);
}

inline bool host(TableUnderTest& p, const QString& user, const QString& table) {
    if (!openLobby(p))
        return false;
    QTest::keyClicks(field<QLineEdit>(p, "txtUserName"), user);
    QTest::keyClicks(field<QLineEdit>(p, "txtTable"), table);
    QTest::mouseClick(field<QPushButton>(p, "cmdNew"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return session(p).state() == State::Hosting; }, 5000);
}

inline bool join(TableUnderTest& p, const QString& user, int seat, const QString& table = {}) {
    if (!openLobby(p))
        return false;
    QTest::keyClicks(field<QLineEdit>(p, "txtUserName"), user);
    auto* list = field<QListWidget>(p, "lstGames");
    if (!QTest::qWaitFor([&] { return list->count() > 0; }, 5000))
        return false;
    if (!table.isEmpty() &&
        !QTest::qWaitFor([&] { return !list->findItems(table, Qt::MatchExactly).isEmpty(); }, 5000))
        return false;
    list->setCurrentRow(
        table.isEmpty() ? 0 : list->row(list->findItems(table, Qt::MatchExactly).front()));
    QTest::mouseClick(field<QRadioButton>(p, QStringLiteral("optSeat%1").arg(seat).toLatin1()),
                      Qt::LeftButton);
    QTest::mouseClick(field<QPushButton>(p, "cmdJoin"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return session(p).state() == State::Seated; }, 5000);
}

// Lets the given people play (the others sit idle) until `done`, or `ms` pass.
inline bool playUntil(const std::vector<TableUnderTest*>& people, const std::function<bool()>& done,
                      int ms) {
    QElapsedTimer clock;
    clock.start();
    qint64 said = 0;
    while (!done() && clock.elapsed() < ms) {
        QTest::qWait(1);
        if (qEnvironmentVariableIsSet("CORVANE_TEST_TRACE") && clock.elapsed() - said > 1000) {
            said = clock.elapsed();
            for (TableUnderTest* p : people)
                qInfo("phase %d buttons %d mode %d bid %d trump %d turn %d text %s",
                      p->t().gamePhase, p->window.buttonWindow()->isVisible(),
                      static_cast<int>(p->t().buttonMenu.modeX), p->window.bidDialog()->isVisible(),
                      p->window.trumpDialog()->isVisible(), p->localTurn(),
                      qPrintable(p->button(1)->text()));
        }
        for (TableUnderTest* p : people)
            p->tryMove();
    }
    return done();
}

inline bool gameOver(const TableUnderTest& p) {
    for (const std::string& m : p.messages)
        if (m == "You're not easy!" || m == "She's gone b'y." || m == "She's gone, b'y.")
            return true;
    return false;
}

} // namespace corvane::ui::test
