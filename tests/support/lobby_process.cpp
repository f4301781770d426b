// Starting and stopping the real corvane-lobby, and the bot's command line.
#include "tests/support/lobby_process.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace corvane::testing {

LobbyProcess::LobbyProcess(std::vector<std::string> extraArgs, Launch launch) {
    std::vector<std::string> args{
        CORVANE_LOBBY_BINARY, "--address", "127.0.0.1", "--list-port", "0", "--host-port", "0",
        "--player-port",      "0"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    m_logPath = launch.stderrPath = temporaryFile("corvane-lobby-log");
    m_process = std::make_unique<ChildProcess>(args, launch);
    // The server's first line names the ports it got.
    std::string line;
    m_process->nextLine(line, within(std::chrono::seconds(10)));
    std::smatch match;
    static const std::regex ports("list=(\\d+) host=(\\d+) player=(\\d+)");
    if (!std::regex_search(line, match, ports)) {
        m_process->finish(within(std::chrono::seconds(1)));
        std::remove(m_logPath.c_str());
        throw std::runtime_error("corvane-lobby did not report its ports: " +
                                 m_process->describe());
    }
    m_ports = {static_cast<std::uint16_t>(std::stoi(match[1])),
               static_cast<std::uint16_t>(std::stoi(match[2])),
               static_cast<std::uint16_t>(std::stoi(match[3]))};
}

LobbyProcess::~LobbyProcess() {
    ::kill(m_process->pid(), SIGTERM);
    m_process->finish(within(std::chrono::seconds(10)));
    std::remove(m_logPath.c_str());
}

std::string LobbyProcess::log() const {
    std::stringstream text;
    text << std::ifstream(m_logPath).rdbuf();
    return text.str();
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

namespace {

std::vector<std::string> botCommand(const LobbyPorts& lobby, std::vector<std::string> args) {
    std::vector<std::string> argv{CORVANE_BOT_BINARY,
                                  "--server",
                                  "127.0.0.1",
                                  "--list-port",
                                  std::to_string(lobby.list),
                                  "--host-port",
                                  std::to_string(lobby.host),
                                  "--player-port",
                                  std::to_string(lobby.player)};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

} // namespace

BotProcess::BotProcess(const LobbyPorts& lobby, std::vector<std::string> args)
    : ChildProcess(botCommand(lobby, std::move(args))) {}

} // namespace corvane::testing
