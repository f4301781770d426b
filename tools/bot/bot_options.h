// corvane-bot's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::bot {

struct Options {
    std::string server = "127.0.0.1";
    int listPort = 9000;
    int hostPort = 9100;
    int playerPort = 9200;
    std::string key;
    std::string name = "Bot";
    std::string hostTable;
    std::string joinTable;
    int seat = -1;
    int games = 1;
    int tables = 0;
    int threads = 1;
    int waitFor = 1;
    int setUpTimeout = 10;
    bool sharedAddress = false;
    bool fast = false;
    bool quiet = false;
    std::uint64_t seed = 0;
};

// Reads the arguments into `options`; nothing when the bot goes on, else the exit code (0 after
// --help or --version, 2 with the reason on standard error).
std::optional<int> parseOptions(int argc, char** argv, Options& options);

} // namespace corvane::bot
