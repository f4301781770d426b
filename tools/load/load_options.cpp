// Command-line parsing for corvane-load.
#include "tools/load/load_options.h"

#include "server/command_line.h"

#include <asio/ip/address_v4.hpp>

namespace corvane::load {

namespace {

// The source addresses must stay inside 127.0.0.0/8, one per table.
std::string checkSources(const LoadOptions& options) {
    asio::error_code ec;
    const auto first = asio::ip::make_address_v4(options.firstSource, ec);
    if (ec || (first.to_uint() >> 24) != 127) {
        return "--first-source: " + options.firstSource + " is not a loopback IPv4 address";
    }
    const std::uint64_t last = std::uint64_t{first.to_uint()} + std::uint64_t(options.tables) - 1;
    if (last >= 0x7FFFFFFFull) {
        return "--tables: " + std::to_string(options.tables) + " tables from --first-source " +
               options.firstSource + " run past 127.255.255.254";
    }
    return {};
}

} // namespace

LoadCommandLine parseLoadCommandLine(int argc, const char* const* argv) {
    LoadOptions options;
    CLI::App app{"corvane-load: many tables of one host and three players relaying through a "
                 "running corvane-lobby",
                 "corvane-load"};
    cli::setUp(app);
    app.add_option("--address", options.address, "the lobby's address or host name")
        ->type_name("ADDR");
    for (auto [name, port, what] :
         {std::tuple{"--list-port", &options.listPort, "the lobby's table-list port"},
          std::tuple{"--host-port", &options.hostPort, "the lobby's host-channel port"},
          std::tuple{"--player-port", &options.playerPort, "the lobby's player-channel port"}}) {
        app.add_option(name, *port, what)->check(CLI::Range(1, 65535))->type_name("N");
    }
    app.add_option("--tables", options.tables, "tables of five connections each")
        ->check(CLI::Range(1, 1000000))
        ->type_name("N");
    app.add_option("--rate", options.rate, "relayed messages a second across all tables")
        ->check(CLI::Range(1.0, 1e8))
        ->type_name("MSGS/S");
    app.add_option("--seconds", options.seconds, "length of the relaying run")
        ->check(CLI::Range(0.1, 86400.0))
        ->type_name("S");
    app.add_option("--first-source", options.firstSource,
                   "loopback source address of the first table; each next table takes the "
                   "next address")
        ->type_name("ADDR");
    app.add_option("--setup-timeout", options.setupTimeout,
                   "stop with an error when one table's set-up takes longer")
        ->check(CLI::Range(0.1, 3600.0))
        ->type_name("S");

    const cli::ParseOutcome parsed = cli::parseQuietly(app, argc, argv);
    LoadCommandLine result{std::nullopt, parsed.exitCode, parsed.out, parsed.err};
    if (!parsed.run) {
        return result;
    }
    if (std::string problem = checkSources(options); !problem.empty()) {
        result.err = cli::refusal(app, problem);
        result.exitCode = cli::ExitUsage;
        return result;
    }
    result.options = options;
    return result;
}

} // namespace corvane::load
