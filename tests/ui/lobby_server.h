// The real corvane-lobby for the window tests: started on free loopback ports, stopped (or
// killed) by the test.
#pragma once

#include "ui/server_address.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace corvane::ui::test {

class LobbyServer {
public:
    explicit LobbyServer(const QStringList& extra = {}) {
        m_process.setProgram(QStringLiteral(CORVANE_LOBBY_BINARY));
        m_process.setArguments(QStringList{QStringLiteral("--address"), QStringLiteral("127.0.0.1"),
                                           QStringLiteral("--list-port"), QStringLiteral("0"),
                                           QStringLiteral("--host-port"), QStringLiteral("0"),
                                           QStringLiteral("--player-port"), QStringLiteral("0"),
                                           QStringLiteral("--quiet")} +
                               extra);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(5000) || !m_process.waitForReadyRead(5000))
            return;
        const QString first = QString::fromUtf8(m_process.readLine());
        const QRegularExpression ports(QStringLiteral("list=(\\d+) host=(\\d+) player=(\\d+)"));
        const auto match = ports.match(first);
        if (!match.hasMatch())
            return;
        m_address.host = QStringLiteral("127.0.0.1");
        m_address.listPort = static_cast<quint16>(match.captured(1).toUInt());
        m_address.hostPort = static_cast<quint16>(match.captured(2).toUInt());
        m_address.playerPort = static_cast<quint16>(match.captured(3).toUInt());
        m_running = true;
    }
    ~LobbyServer() { kill(); }

    bool running() const { return m_running; }
    const ServerAddress& address() const { return m_address; }
    void kill() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        m_running = false;
    }

private:
    QProcess m_process;
    ServerAddress m_address;
    bool m_running = false;
};

} // namespace corvane::ui::test
