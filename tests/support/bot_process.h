// corvane-bot as the tests run it: the real binary in a process of its own, pointed at a lobby.
#pragma once

#include "tests/support/child_process.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::testing {

// The lobby's loopback ports, as a bot is told them.
struct LobbyPorts {
    std::uint16_t list = 0;
    std::uint16_t host = 0;
    std::uint16_t player = 0;
};

class BotProcess : public ChildProcess {
public:
    // `args` follow the lobby's address and ports.
    BotProcess(const LobbyPorts& lobby, std::vector<std::string> args, Launch launch = {});
    // The bot's own command line, the program first.
    static std::vector<std::string> command(const LobbyPorts& lobby, std::vector<std::string> args);
};

} // namespace corvane::testing
