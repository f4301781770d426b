// corvane-bot: a headless player of online tables through corvane-lobby. It hosts a table or
// joins a listed one and plays its seat by the hints; with --tables it runs many tables of a
// host and three joined bots in one process and reports games per second and how long the host
// takes to answer a person's move.
#include "server/command_line.h"
#include "tools/bot/bot_options.h"
#include "tools/bot/bot_table.h"
#include "tools/bot/table_farm.h"

#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace corvane::bot;

// One bot at one seat: hosting a table or joining one.
struct OneSeat {
    asio::io_context io{1};
    Options options;
    Endpoints endpoints;
    std::uint64_t seed = 0;
    std::unique_ptr<AsioScheduler> scheduler;
    std::unique_ptr<BotHost> host;
    std::unique_ptr<BotJoin> join;
    bool failed = false;
    bool dealt = false;

    BotSettings settings() const {
        BotSettings s;
        s.fast = options.fast;
        s.quiet = options.quiet;
        s.games = options.games;
        return s;
    }

    void failWith(const char* what) {
        std::fprintf(stderr, "corvane-bot: %s (lobby at %s, ports %d, %d, %d)\n", what,
                     options.server.c_str(), options.listPort, options.hostPort,
                     options.playerPort);
        failed = true;
        io.stop();
    }

    void hostTable() {
        host = std::make_unique<BotHost>(io, *scheduler, settings(), endpoints, options.hostTable,
                                         options.name, seed);
        host->setFinishedHandler([this] { io.stop(); });
        host->setSeatedHandler([this] {
            if (!dealt && host->seatedPersons() == options.waitFor) {
                dealt = true;
                host->startGame();
            }
        });
        host->start([this](bool ok) {
            if (!ok)
                failWith("could not host the table");
        });
    }

    void joinTable() {
        join = std::make_unique<BotJoin>(io, *scheduler, settings(), endpoints, options.joinTable,
                                         options.seat, options.name, seed + options.seat);
        join->player().setFinishedHandler([this] { io.stop(); });
        join->start([this](bool ok) {
            if (!ok)
                failWith("could not join the table");
        });
    }

    int run() {
        scheduler = std::make_unique<AsioScheduler>(io, options.fast);
        options.hostTable.empty() ? joinTable() : hostTable();
        io.run();
        BotPlayer& player = host ? host->ownSeat() : join->player();
        const int games = host ? host->gamesFinished() : player.games();
        std::printf("games finished: %d\n", games);
        std::printf("hands: %d\n", player.hands());
        std::printf("messages sent: %d, received: %d\n", player.seat().messagesSent(),
                    player.seat().messagesReceived());
        if (failed)
            return corvane::cli::ExitRunFailed;
        // A joined seat whose host left has played as long as its table lived.
        if (games == 0 && !(join && player.hostGone())) {
            std::fprintf(stderr, "corvane-bot: no game finished\n");
            return corvane::cli::ExitRunFailed;
        }
        return 0;
    }
};

// Raises the soft descriptor limit to the hard one; the limit in force.
rlim_t raiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur;
}

int run(int argc, char** argv) {
    // One line a hand, seen as it happens even through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options o;
    if (auto code = parseOptions(argc, argv, o))
        return *code;

    const rlim_t limit = raiseDescriptorLimit();
    if (o.tables > 0 && limit != RLIM_INFINITY &&
        static_cast<long long>(limit) < TableFarm::descriptorsNeeded(o)) {
        std::fprintf(stderr,
                     "corvane-bot: --tables %d needs about %lld file descriptors, and the "
                     "limit is %llu (ulimit -n)\n",
                     o.tables, TableFarm::descriptorsNeeded(o),
                     static_cast<unsigned long long>(limit));
        return corvane::cli::ExitUsage;
    }

    asio::io_context resolving;
    asio::ip::address address;
    try {
        asio::ip::tcp::resolver resolver(resolving);
        address = resolver.resolve(o.server, "").begin()->endpoint().address();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane-bot: --server %s: %s\n", o.server.c_str(), e.what());
        return corvane::cli::ExitRunFailed;
    }
    const Endpoints endpoints{{address, static_cast<unsigned short>(o.listPort)},
                              {address, static_cast<unsigned short>(o.hostPort)},
                              {address, static_cast<unsigned short>(o.playerPort)},
                              o.key,
                              {}};
    const std::uint64_t seed =
        o.seed ? o.seed : static_cast<std::uint64_t>(Clock::now().time_since_epoch().count());

    int code = 0;
    if (o.tables > 0) {
        TableFarm farm(o, endpoints, seed);
        code = farm.run();
    } else {
        OneSeat seat;
        seat.options = o;
        seat.endpoints = endpoints;
        seat.seed = seed;
        code = seat.run();
    }
    std::fflush(stdout);
    return code;
}

} // namespace

int main(int argc, char** argv) {
    return corvane::cli::finish("corvane-bot", run(argc, argv));
}
