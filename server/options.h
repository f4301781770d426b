// The command line of corvane-lobby: where it listens, the optional key and its limits.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace corvane::lobby {

// The environment variable that may hold the key, so that it need not appear on the command
// line, where every local user can read it.
inline constexpr const char* kKeyVariable = "CORVANE_LOBBY_KEY";

struct ServerOptions {
    // A numeric address or a host name.
    std::string address = "0.0.0.0";
    std::uint16_t listPort = 9000;
    std::uint16_t hostPort = 9100;
    std::uint16_t playerPort = 9200;
    // Without a key every key is accepted. Set from --key or the environment; --key-file is
    // read at start and again on SIGHUP.
    std::optional<std::string> key;
    std::string keyFile;
    // A connection that has not created a table, joined or opened a host seat within this
    // time of connecting is closed. Asking for the list does not count.
    std::chrono::seconds helloTimeout{30};
    // A connection that has a role but sends nothing for this long.
    std::chrono::seconds idleTimeout{3600};
    // A connection with bytes waiting to go out whose socket takes none for this long.
    std::chrono::seconds writeTimeout{30};
    // Bytes queued for a reader that does not keep up, before its connection is dropped.
    std::size_t maxBacklog = 256 * 1024;
    // The kernel's send buffer of each connection; a reader that does not read shows up in
    // the write deadline instead of in megabytes of kernel memory.
    std::size_t sendBuffer = 64 * 1024;
    // Sustained input per connection in bytes per second (0: no limit), with a burst allowance.
    std::size_t maxInputRate = 32 * 1024;
    std::size_t inputBurst = 128 * 1024;
    // Chat lines a player channel may pass to its host: a burst, then this many a second.
    // A person types far slower; bids and cards, which a computer player at full speed sends
    // by the hundred a second, are not limited here. Lines beyond it are dropped, so a
    // flood never reaches the host, which answers each line to every seat.
    unsigned chatBurst = 10;
    double chatRate = 1;
    // Table lists per connection: a burst, then this many a second.
    unsigned listBurst = 20;
    double listRate = 10;
    // Table lists for all connections from one address together, so that reconnecting gains
    // nothing: a home of several players behind one router asks far less often.
    unsigned addressListBurst = 60;
    double addressListRate = 20;
    // Per peer address: tables waiting for players, and open connections on all three ports.
    unsigned maxTablesPerAddress = 4;
    unsigned maxConnectionsPerAddress = 64;
    // All connections together (0: from the descriptor limit), and how many of the last
    // places are kept for host and player channels.
    std::size_t maxConnections = 0;
    std::size_t connectionReserve = 64;
    // Seconds between the log's figures line (0: only on SIGUSR1).
    std::chrono::seconds statsInterval{300};
    bool quiet = false;
};

// What the command line asks for: options to run with, or an exit code with what to print
// (help and the version on standard output, a usage error on standard error).
struct CommandLine {
    std::optional<ServerOptions> options;
    int exitCode = 0;
    std::string out;
    std::string err;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

} // namespace corvane::lobby
