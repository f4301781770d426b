// corvane-bot as the window tests use it: a headless person at a table, in a process of its own.
#pragma once

#include "ui/server_address.h"

#include <QProcess>
#include <QStringList>
#include <memory>

namespace corvane::ui::test {

inline std::unique_ptr<QProcess> startBot(const ServerAddress& server, const QStringList& args) {
    auto bot = std::make_unique<QProcess>();
#ifdef CORVANE_BOT_BINARY
    bot->setProgram(QStringLiteral(CORVANE_BOT_BINARY));
#endif
    bot->setArguments(QStringList{QStringLiteral("--server"), server.host,
                                  QStringLiteral("--list-port"), QString::number(server.listPort),
                                  QStringLiteral("--host-port"), QString::number(server.hostPort),
                                  QStringLiteral("--player-port"),
                                  QString::number(server.playerPort), QStringLiteral("--quiet")} +
                      args);
    bot->setProcessChannelMode(QProcess::MergedChannels);
    bot->start();
    bot->waitForStarted(5000);
    return bot;
}

} // namespace corvane::ui::test
