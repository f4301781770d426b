// The command line of corvane-load.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::load {

struct LoadOptions {
    // The lobby: a numeric address or a host name.
    std::string address = "127.0.0.1";
    std::uint16_t listPort = 9000;
    std::uint16_t hostPort = 9100;
    std::uint16_t playerPort = 9200;
    int tables = 100;
    // Relayed messages per second across all tables; each table step relays eight.
    double rate = 5000;
    double seconds = 10;
    // Each table connects from a loopback address of its own, as a home would: the first
    // table from this one, the next from the address after it.
    std::string firstSource = "127.0.0.2";
    // A table whose set-up has not finished in this time stops the run with an error.
    double setupTimeout = 10;
};

// Options to run with, or an exit code with what to print (help and the version on standard
// output, a usage error on standard error).
struct LoadCommandLine {
    std::optional<LoadOptions> options;
    int exitCode = 0;
    std::string out;
    std::string err;
};

LoadCommandLine parseLoadCommandLine(int argc, const char* const* argv);

} // namespace corvane::load
