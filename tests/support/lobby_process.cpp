// Starting and stopping the real corvane-lobby.
#include "tests/support/lobby_process.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace corvane::testing {

namespace {

std::string readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

LobbyProcess::LobbyProcess(std::vector<std::string> extraArgs, LobbyLaunch launch) {
    std::vector<std::string> args{
        CORVANE_LOBBY_BINARY, "--address", "127.0.0.1", "--list-port", "0", "--host-port", "0",
        "--player-port",      "0"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    Launch how{launch.environment, launch.descriptorLimit, {}};
    if (launch.keepLog) {
        char path[] = "/tmp/corvane-lobby-log-XXXXXX";
        const int fd = mkstemp(path);
        if (fd < 0)
            throw std::runtime_error("mkstemp failed");
        ::close(fd);
        m_logPath = path;
        how.stderrPath = m_logPath;
    }
    m_process = std::make_unique<ChildProcess>(args, how);
    // The server's first line names the ports it got.
    std::string line;
    m_process->nextLine(line, within(std::chrono::seconds(10)));
    std::smatch match;
    static const std::regex ports("list=(\\d+) host=(\\d+) player=(\\d+)");
    if (!std::regex_search(line, match, ports)) {
        m_process->finish(within(std::chrono::seconds(1)));
        throw std::runtime_error("corvane-lobby did not report its ports: " +
                                 m_process->describe());
    }
    m_ports.list = static_cast<std::uint16_t>(std::stoi(match[1]));
    m_ports.host = static_cast<std::uint16_t>(std::stoi(match[2]));
    m_ports.player = static_cast<std::uint16_t>(std::stoi(match[3]));
}

LobbyProcess::~LobbyProcess() {
    m_process->stop(within(std::chrono::seconds(10)));
    if (!m_logPath.empty())
        std::remove(m_logPath.c_str());
}

std::string LobbyProcess::log() const {
    return readAll(m_logPath);
}

bool LobbyProcess::waitForLog(const std::string& text) const {
    // The log is a file the server appends to; a short pause between looks, bounded.
    for (int i = 0; i < 200; ++i) {
        if (log().find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace corvane::testing
