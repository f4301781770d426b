// The command line of corvane-lobby: where it listens, the optional key and its limits.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::lobby {

struct ServerOptions {
    std::string address = "0.0.0.0";
    std::uint16_t listPort = 9000;
    std::uint16_t hostPort = 9100;
    std::uint16_t playerPort = 9200;
    // Without a key every key is accepted.
    std::optional<std::string> key;
    // A connection that has not said who it is (a table-list request, a new table, a join or
    // the host's own seat) within this time is closed.
    std::chrono::seconds helloTimeout{30};
    // A connection that has a role but neither sends nor receives anything for this long.
    std::chrono::seconds idleTimeout{3600};
    // Bytes queued for a reader that does not keep up, before its connection is dropped.
    std::size_t maxBacklog = 256 * 1024;
    // Sustained input per connection in bytes per second (0: no limit), with a burst allowance.
    std::size_t maxInputRate = 32 * 1024;
    std::size_t inputBurst = 128 * 1024;
    bool quiet = false;
};

// Parses the arguments after the program name. On a bad or help request returns nothing and
// fills `message` with what to print.
std::optional<ServerOptions> parseOptions(const std::vector<std::string>& args,
                                          std::string& message);

std::string usage();

} // namespace corvane::lobby
