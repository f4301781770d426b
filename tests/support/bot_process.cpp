// The bot's command line in the tests.
#include "tests/support/bot_process.h"

namespace corvane::testing {

std::vector<std::string> BotProcess::command(const LobbyPorts& lobby,
                                             std::vector<std::string> args) {
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

BotProcess::BotProcess(const LobbyPorts& lobby, std::vector<std::string> args, Launch launch)
    : ChildProcess(command(lobby, std::move(args)), std::move(launch)) {}

} // namespace corvane::testing
