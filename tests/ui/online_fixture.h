// Online window tests' helpers: windows that play online at a hundredth of the real pauses
// through the real lobby, the lobby dialog filled in as a person would, and a loop that lets
// chosen people play.
#pragma once

#include "table_fixture.h"
#include "tests/support/lobby_process.h"
#include "ui/online/lobby_dialog.h"
#include "ui/online/online_session.h"

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
// not start (a port asked for was taken).
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
        m_address = {QStringLiteral("127.0.0.1"), m_lobby->listPort(), m_lobby->hostPort(),
                     m_lobby->playerPort()};
    }
    bool running() const { return m_lobby != nullptr; }
    const ServerAddress& address() const { return m_address; }

private:
    std::unique_ptr<corvane::testing::LobbyProcess> m_lobby;
    ServerAddress m_address;
};

// Pauses a hundred times shorter than in play: the 20-second time-out lasts 200 ms.
inline std::unique_ptr<TableUnderTest> player(std::uint64_t seed, const ServerAddress& server,
                                              std::unique_ptr<Preferences> prefs = {}) {
    auto p = std::make_unique<TableUnderTest>(seed, 0.01, server, std::move(prefs));
    p->settleAfterClicks = false;
    return p;
}

inline OnlineSession& session(TableUnderTest& p) {
    return p.program.online;
}

template <class T> T* field(TableUnderTest& p, const char* name) {
    return session(p).lobbyDialog()->findChild<T*>(QString::fromLatin1(name));
}

inline void press(TableUnderTest& p, const char* name) {
    QTest::mouseClick(field<QAbstractButton>(p, name), Qt::LeftButton);
}

inline bool reaches(TableUnderTest& p, State state) {
    return QTest::qWaitFor([&] { return session(p).state() == state; }, 5000);
}

// Play Online, and the name typed once the dialog is up.
inline bool openLobby(TableUnderTest& p, const QString& user = {}) {
    p.window.action(QStringLiteral("mnuConnect"))->trigger();
    if (!reaches(p, State::Lobby))
        return false;
    QTest::keyClicks(field<QLineEdit>(p, "txtUserName"), user);
    return true;
}

inline bool host(TableUnderTest& p, const QString& user, const QString& table) {
    if (!openLobby(p, user))
        return false;
    QTest::keyClicks(field<QLineEdit>(p, "txtTable"), table);
    press(p, "cmdNew");
    return reaches(p, State::Hosting);
}

// Chooses the first listed table's seat as a person would.
inline bool pickSeat(TableUnderTest& p, int seat) {
    auto* list = field<QListWidget>(p, "lstGames");
    if (!QTest::qWaitFor([&] { return list->count() > 0; }, 5000))
        return false;
    list->setCurrentRow(0);
    press(p, QStringLiteral("optSeat%1").arg(seat).toLatin1().constData());
    press(p, "cmdJoin");
    return true;
}

inline bool join(TableUnderTest& p, const QString& user, int seat) {
    return openLobby(p, user) && pickSeat(p, seat) && reaches(p, State::Seated);
}

// Lets the given people play (the others sit idle) until `done`, or `ms` pass.
inline bool playUntil(const std::vector<TableUnderTest*>& people, const std::function<bool()>& done,
                      int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(ms))
            return false;
        for (TableUnderTest* p : people)
            p->tryMove();
        QTest::qWait(1); // the event loop runs the tables; the moves wait on nothing else
    }
    return true;
}

} // namespace corvane::ui::test
