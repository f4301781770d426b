// The real corvane-lobby as the tests run it: started on free loopback ports (it names them on
// its first line), its log kept in a file when a test reads it, stopped with SIGTERM at the end.
#pragma once

#include "tests/support/bot_process.h"
#include "tests/support/child_process.h"

#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace corvane::testing {

// How a test starts the lobby beyond its options: the log kept in a file to read back, and
// a descriptor limit (soft and hard) set before the binary starts.
struct LobbyLaunch {
    bool keepLog = false;
    unsigned descriptorLimit = 0;
    std::vector<std::pair<std::string, std::string>> environment;
};

// A launch that keeps the log, optionally under a descriptor limit.
inline LobbyLaunch keptLog(unsigned descriptorLimit = 0) {
    LobbyLaunch launch;
    launch.keepLog = true;
    launch.descriptorLimit = descriptorLimit;
    return launch;
}

class LobbyProcess {
public:
    // Throws when the lobby does not start or names no ports.
    explicit LobbyProcess(std::vector<std::string> extraArgs = {}, LobbyLaunch launch = {});
    ~LobbyProcess();
    LobbyProcess(const LobbyProcess&) = delete;
    LobbyProcess& operator=(const LobbyProcess&) = delete;

    std::uint16_t listPort() const { return m_ports.list; }
    std::uint16_t hostPort() const { return m_ports.host; }
    std::uint16_t playerPort() const { return m_ports.player; }
    const LobbyPorts& ports() const { return m_ports; }
    pid_t pid() const { return m_process->pid(); }
    // Ends it at once (SIGKILL), as a crash would.
    void kill() { m_process->kill(); }
    // The log so far, when it is kept.
    std::string log() const;
    // Waits (a bounded while) for a log line containing `text`; true when one came.
    bool waitForLog(const std::string& text) const;

private:
    std::string m_logPath;
    std::unique_ptr<ChildProcess> m_process;
    LobbyPorts m_ports;
};

} // namespace corvane::testing
