// The real corvane-lobby and corvane-bot as the tests run them: the lobby on free loopback
// ports (it names them on its first line) with its log in a file, stopped with SIGTERM at the
// end; a bot pointed at it.
#pragma once

#include "tests/support/child_process.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane::testing {

// The lobby's loopback ports, as a bot is told them.
struct LobbyPorts {
    std::uint16_t list = 0;
    std::uint16_t host = 0;
    std::uint16_t player = 0;
};

class LobbyProcess {
public:
    // Throws when the lobby does not start or names no ports. The launch's standard error is
    // the lobby's log file.
    explicit LobbyProcess(std::vector<std::string> extraArgs = {}, Launch launch = {});
    ~LobbyProcess();

    std::uint16_t listPort() const { return m_ports.list; }
    std::uint16_t hostPort() const { return m_ports.host; }
    std::uint16_t playerPort() const { return m_ports.player; }
    const LobbyPorts& ports() const { return m_ports; }
    pid_t pid() const { return m_process->pid(); }
    // The log so far.
    std::string log() const;
    // Waits (a bounded while) for a log line containing `text`; true when one came.
    bool waitForLog(const std::string& text) const;

private:
    std::string m_logPath;
    std::unique_ptr<ChildProcess> m_process;
    LobbyPorts m_ports;
};

class BotProcess : public ChildProcess {
public:
    // `args` follow the lobby's address and ports.
    BotProcess(const LobbyPorts& lobby, std::vector<std::string> args);
};

} // namespace corvane::testing
