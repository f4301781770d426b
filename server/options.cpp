// Command-line parsing for corvane-lobby.
#include "server/options.h"

#include "server/command_line.h"

namespace corvane::lobby {

namespace {

constexpr unsigned kWeek = 7 * 86400;

CLI::Option* seconds(CLI::App& app, const std::string& name, std::chrono::seconds& target,
                     unsigned& holder, unsigned low, const std::string& what) {
    holder = static_cast<unsigned>(target.count());
    return app.add_option(name, holder, what)
        ->transform(cli::range(low, kWeek))
        ->default_val(holder)
        ->type_name("S");
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    ServerOptions options;
    CLI::App app{"corvane-lobby: lists the tables waiting for players and relays their messages",
                 "corvane-lobby"};
    cli::setUp(app);

    app.add_option("--address", options.address, "address or host name to listen on")
        ->type_name("ADDR");
    for (auto [name, port, what] :
         {std::tuple{"--list-port", &options.listPort, "table-list port (0 picks a free port)"},
          std::tuple{"--host-port", &options.hostPort, "host-channel port (0 picks a free port)"},
          std::tuple{"--player-port", &options.playerPort,
                     "player-channel port (0 picks a free port)"}}) {
        app.add_option(name, *port, what)->transform(cli::range(0, 65535))->type_name("N");
    }
    std::string key;
    CLI::Option* keyOption =
        app.add_option("--key", key,
                       std::string("only hosts and players with this key (first 8 characters); "
                                   "also read from ") +
                           kKeyVariable + ", which keeps it out of the process list")
            ->envname(kKeyVariable)
            ->type_name("KEY");
    app.add_option("--key-file", options.keyFile,
                   "read the key from the first line of this file, again on SIGHUP")
        ->type_name("PATH")
        ->excludes(keyOption);

    unsigned hello = 0, idle = 0, write = 0, stats = 0;
    seconds(app, "--hello-timeout", options.helloTimeout, hello, 1,
            "close a connection that has not created a table, joined or opened a seat within "
            "S seconds of connecting");
    seconds(app, "--idle-timeout", options.idleTimeout, idle, 1,
            "close a connection with a role that has sent nothing for S seconds");
    seconds(app, "--write-timeout", options.writeTimeout, write, 1,
            "drop a connection whose writes make no progress for S seconds");
    seconds(app, "--stats-interval", options.statsInterval, stats, 0,
            "log a line of figures every S seconds, 0 for only on SIGUSR1");
    app.add_option("--max-backlog", options.maxBacklog,
                   "drop a reader that falls this many bytes behind")
        ->transform(cli::range(std::size_t{4096}, std::size_t{1} << 30))
        ->type_name("BYTES");
    app.add_option("--send-buffer", options.sendBuffer, "kernel send buffer of each connection")
        ->transform(cli::range(std::size_t{4096}, std::size_t{1} << 26))
        ->type_name("BYTES");
    app.add_option("--max-input-rate", options.maxInputRate,
                   "drop a sender above this sustained rate (bursts up to four times it), 0 for "
                   "none")
        ->transform(cli::range(std::size_t{0}, std::size_t{1} << 30))
        ->type_name("B/S");
    app.add_option("--chat-burst", options.chatBurst,
                   "chat lines a seat may send at once, beyond them lines are dropped")
        ->transform(cli::range(1u, 100000u))
        ->type_name("N");
    app.add_option("--chat-rate", options.chatRate, "chat lines a second after the burst")
        ->transform(cli::range(0.01, 100000.0))
        ->type_name("N/S");
    app.add_option("--list-burst", options.listBurst,
                   "table lists a connection may ask for at once, beyond them lists are dropped")
        ->transform(cli::range(1u, 100000u))
        ->type_name("N");
    app.add_option("--list-rate", options.listRate, "table lists a second after the burst")
        ->transform(cli::range(0.01, 100000.0))
        ->type_name("N/S");
    app.add_option("--address-list-burst", options.addressListBurst,
                   "table lists all connections from one address may ask for at once")
        ->transform(cli::range(1u, 1000000u))
        ->type_name("N");
    app.add_option("--address-list-rate", options.addressListRate,
                   "table lists a second for one address after its burst")
        ->transform(cli::range(0.01, 100000.0))
        ->type_name("N/S");
    app.add_option("--max-tables-per-address", options.maxTablesPerAddress,
                   "tables waiting for players that one address may hold")
        ->transform(cli::range(1u, 1000000u))
        ->type_name("N");
    app.add_option("--max-connections-per-address", options.maxConnectionsPerAddress,
                   "open connections that one address may hold")
        ->transform(cli::range(1u, 1000000u))
        ->type_name("N");
    app.add_option("--max-connections", options.maxConnections,
                   "open connections in all, 0 for what the descriptor limit allows")
        ->transform(cli::range(std::size_t{0}, std::size_t{10000000}))
        ->type_name("N");
    app.add_option("--connection-reserve", options.connectionReserve,
                   "the last places under --max-connections, kept for host and player "
                   "channels; a new one there takes the place of the oldest connection that "
                   "has not said who it is")
        ->transform(cli::range(std::size_t{0}, std::size_t{1000000}))
        ->type_name("N");
    app.add_flag("--quiet", options.quiet, "log nothing");

    const cli::ParseOutcome parsed = cli::parseQuietly(app, argc, argv);
    CommandLine result{std::nullopt, parsed.exitCode, parsed.out, parsed.err};
    if (!parsed.run) {
        return result;
    }
    options.helloTimeout = std::chrono::seconds(hello);
    options.idleTimeout = std::chrono::seconds(idle);
    options.writeTimeout = std::chrono::seconds(write);
    options.statsInterval = std::chrono::seconds(stats);
    if (!key.empty()) {
        options.key = key.substr(0, 8);
    }
    if (options.maxInputRate > 0) {
        options.inputBurst = std::max<std::size_t>(options.maxInputRate * 4, 4096);
    }
    result.options = options;
    return result;
}

} // namespace corvane::lobby
