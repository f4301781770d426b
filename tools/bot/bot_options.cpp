// corvane-bot's options over CLI11.
#include "tools/bot/bot_options.h"

#include "server/command_line.h"

#include <thread>

namespace corvane::bot {

std::optional<int> parseOptions(int argc, char** argv, Options& o) {
    CLI::App app("A headless player of online Corvane tables through corvane-lobby: it hosts a "
                 "table, joins one, or runs many tables in one process for load.",
                 "corvane-bot");
    cli::setUp(app);
    app.get_formatter()->column_width(32);
    const CLI::Validator port = cli::range(0, 65535);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    o.threads = static_cast<int>(cores);

    auto* host = app.add_option("--host", o.hostTable, "Create and host a table of that name")
                     ->type_name("TABLE");
    auto* join = app.add_option("--join", o.joinTable, "Join the listed table of that name")
                     ->type_name("TABLE");
    // No default to show for --tables and --seat: each is a choice, not a setting.
    auto* tables = app.add_option("--tables", o.tables,
                                  "Run N tables of a host and three joined bots, for load")
                       ->type_name("N")
                       ->transform(cli::range(1, 1000000))
                       ->default_str("");
    auto* seat = app.add_option("--seat", o.seat, "The seat to join (1-3; 0 is the host's)")
                     ->type_name("N")
                     ->transform(cli::range(1, 3))
                     ->default_str("");
    host->excludes(join)->excludes(tables);
    join->excludes(tables)->needs(seat);
    seat->needs(join);

    app.add_option("--server", o.server, "The lobby's address")
        ->type_name("HOST")
        ->capture_default_str();
    app.add_option("--list-port", o.listPort, "The lobby's table-list port")
        ->type_name("PORT")
        ->transform(port)
        ->capture_default_str();
    app.add_option("--host-port", o.hostPort, "The lobby's host port")
        ->type_name("PORT")
        ->transform(port)
        ->capture_default_str();
    app.add_option("--player-port", o.playerPort, "The lobby's player port")
        ->type_name("PORT")
        ->transform(port)
        ->capture_default_str();
    app.add_option("--key", o.key, "The key sent when hosting and joining")->type_name("KEY");
    app.add_option("--name", o.name, "The user name, at most 10 characters")
        ->type_name("NAME")
        ->check(CLI::Validator(
            [](std::string& value) {
                return value.size() <= 10 ? std::string()
                                          : "\"" + value + "\" is longer than 10 characters";
            },
            "TEXT"))
        ->capture_default_str();
    app.add_option("--wait-for", o.waitFor,
                   "A host deals the first hand once N persons, itself included, sit (1-4)")
        ->type_name("N")
        ->transform(cli::range(1, 4))
        ->capture_default_str();
    app.add_option("--games", o.games, "Games to play; a host ends its table after them")
        ->type_name("N")
        ->transform(cli::range(1, 1000000))
        ->capture_default_str();
    std::string pace = "normal";
    app.add_option("--pace", pace, "normal, or fast: no pauses, for tests and load")
        ->type_name("PACE")
        ->check(CLI::IsMember({"normal", "fast"}))
        ->capture_default_str();
    app.add_option("--threads", o.threads,
                   "With --tables: event loops, each on a thread of its own (default: the cores)")
        ->type_name("N")
        ->transform(cli::range(1, 256));
    app.add_flag("--shared-address", o.sharedAddress,
                 "With --tables: every table from one source address, instead of 127.0.0.2 "
                 "and up, one a table (the default on a loopback lobby)");
    app.add_option("--setup-timeout", o.setUpTimeout,
                   "With --tables: give up when no table has been set up for S seconds")
        ->type_name("S")
        ->transform(cli::range(1, 3600))
        ->capture_default_str();
    cli::addSeed(app, o.seed, "The bots' random source (default, and 0: the clock)");
    app.add_flag("--quiet", o.quiet, "No per-hand lines");

    if (auto code = cli::parse(app, argc, argv))
        return code;
    if (host->count() + join->count() + tables->count() != 1)
        return cli::refuse(app, "choose one of --host TABLE, --join TABLE --seat N or --tables N");
    o.fast = pace == "fast";
    return std::nullopt;
}

} // namespace corvane::bot
