// corvane-bot: a headless player of online tables through corvane-lobby. It hosts a table or
// joins a listed one and plays its seat by the hints; with --tables it runs many tables of a
// host and three joined bots in one process and reports games per second and how long the host
// takes to answer a person's move.
#include "tools/bot/bot_table.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <sys/resource.h>

namespace {

using namespace corvane::bot;

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
    int waitFor = 1;
    bool fast = false;
    bool quiet = false;
    std::uint64_t seed = 0;
};

bool number(const std::string& text, int& out) {
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc{} && p == text.data() + text.size();
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string v = argv[++i];
        int n = 0;
        if (a == "--server")
            o.server = v;
        else if (a == "--key")
            o.key = v;
        else if (a == "--name")
            o.name = v.substr(0, 10);
        else if (a == "--host")
            o.hostTable = v;
        else if (a == "--join")
            o.joinTable = v;
        else if (a == "--pace" && (v == "fast" || v == "normal"))
            o.fast = v == "fast";
        else if (!number(v, n) || n < 0)
            return false;
        else if (a == "--list-port")
            o.listPort = n;
        else if (a == "--host-port")
            o.hostPort = n;
        else if (a == "--player-port")
            o.playerPort = n;
        else if (a == "--seat" && n <= 3)
            o.seat = n;
        else if (a == "--games" && n >= 1)
            o.games = n;
        else if (a == "--tables" && n >= 1)
            o.tables = n;
        else if (a == "--wait-for" && n >= 1 && n <= 4)
            o.waitFor = n;
        else if (a == "--seed")
            o.seed = static_cast<std::uint64_t>(n);
        else
            return false;
    }
    const int modes =
        (o.hostTable.empty() ? 0 : 1) + (o.joinTable.empty() ? 0 : 1) + (o.tables > 0 ? 1 : 0);
    if (modes != 1)
        return false;
    if (!o.joinTable.empty() && o.seat < 1)
        return false;
    return true;
}

void usage() {
    std::cerr << "usage: corvane-bot (--host TABLE | --join TABLE --seat N | --tables N)\n"
                 "       [--server HOST] [--list-port N] [--host-port N] [--player-port N]\n"
                 "       [--key KEY] [--name NAME] [--games N] [--pace normal|fast]\n"
                 "       [--wait-for PERSONS] [--seed N] [--quiet]\n";
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(at, v.size() - 1)];
}

struct Run {
    asio::io_context io{1};
    Options options;
    Endpoints endpoints;
    std::unique_ptr<AsioScheduler> scheduler;
    std::vector<std::unique_ptr<BotHost>> hosts;
    std::vector<std::unique_ptr<BotJoin>> joins;
    AnswerTimes answers;
    Clock::time_point started;
    Clock::time_point ended;
    int failures = 0;

    BotSettings settings(const std::string& prefix) const {
        BotSettings s;
        s.fast = options.fast;
        s.quiet = options.quiet;
        s.games = options.games;
        s.prefix = prefix;
        return s;
    }
    std::uint64_t seed(int n) const {
        const std::uint64_t base =
            options.seed ? options.seed
                         : static_cast<std::uint64_t>(Clock::now().time_since_epoch().count());
        return base + static_cast<std::uint64_t>(n) * 1000003u;
    }

    void stopWhenAllFinished() {
        for (auto& h : hosts)
            if (!h->finished())
                return;
        for (auto& j : joins)
            if (!j->player().finished())
                return;
        ended = Clock::now();
        io.stop();
    }

    void hostOne() {
        auto host = std::make_unique<BotHost>(io, *scheduler, settings(""), endpoints,
                                              options.hostTable, options.name, seed(0));
        BotHost& h = *host;
        hosts.push_back(std::move(host));
        h.ownSeat().channel().measureAnswers(&answers);
        h.setFinishedHandler([this] { stopWhenAllFinished(); });
        h.setSeatedHandler([this, &h] {
            if (h.seatedPersons() == options.waitFor && started == Clock::time_point{}) {
                started = Clock::now();
                h.startGame();
            }
        });
        h.start([this](bool ok) {
            if (!ok) {
                std::fprintf(stderr, "corvane-bot: could not host the table\n");
                ++failures;
                io.stop();
            }
        });
    }

    void joinOne() {
        auto join =
            std::make_unique<BotJoin>(io, *scheduler, settings(""), endpoints, options.joinTable,
                                      options.seat, options.name, seed(options.seat));
        BotJoin& j = *join;
        joins.push_back(std::move(join));
        j.player().channel().measureAnswers(&answers);
        j.player().setFinishedHandler([this] { stopWhenAllFinished(); });
        started = Clock::now();
        j.start([this](bool ok) {
            if (!ok) {
                std::fprintf(stderr, "corvane-bot: could not join the table\n");
                ++failures;
                io.stop();
            }
        });
    }

    // Tables are set up one at a time (a join names a row of the list the server last sent to
    // this address), then every game starts at once.
    void setUpTable(int index) {
        if (index == options.tables) {
            std::printf("set-up: %d tables\n", options.tables);
            started = Clock::now();
            for (auto& h : hosts)
                h->startGame();
            return;
        }
        const std::string table = "bots-" + std::to_string(index);
        auto host = std::make_unique<BotHost>(io, *scheduler, settings(table + " "), endpoints,
                                              table, "h" + std::to_string(index), seed(4 * index));
        BotHost& h = *host;
        hosts.push_back(std::move(host));
        h.ownSeat().channel().measureAnswers(&answers);
        h.setFinishedHandler([this] { stopWhenAllFinished(); });
        h.setSeatedHandler([this, &h, index, table] {
            const int seated = h.seatedPersons();
            if (seated == 4)
                return setUpTable(index + 1);
            if (seated < 1 || seated > 3 || static_cast<int>(joins.size()) >= 3 * (index + 1))
                return;
            const int seat = seated;
            auto join = std::make_unique<BotJoin>(
                io, *scheduler, settings(table + " "), endpoints, table, seat,
                "p" + std::to_string(index) + "-" + std::to_string(seat), seed(4 * index + seat));
            BotJoin& j = *join;
            joins.push_back(std::move(join));
            j.player().channel().measureAnswers(&answers);
            j.player().setFinishedHandler([this] { stopWhenAllFinished(); });
            j.start([this, index](bool ok) {
                if (!ok) {
                    std::fprintf(stderr, "table %d: a join failed\n", index);
                    ++failures;
                    io.stop();
                }
            });
        });
        h.start([this, index](bool ok) {
            if (!ok) {
                std::fprintf(stderr, "table %d could not be hosted\n", index);
                ++failures;
                io.stop();
            }
        });
    }

    void report() {
        int games = 0;
        int hands = 0;
        long long sent = 0;
        long long received = 0;
        const auto count = [&](BotPlayer& p) {
            sent += p.seat().messagesSent();
            received += p.seat().messagesReceived();
        };
        for (auto& h : hosts) {
            games += h->gamesFinished();
            hands += h->ownSeat().hands();
            count(h->ownSeat());
        }
        for (auto& j : joins) {
            if (hosts.empty()) {
                games += j->player().games();
                hands += j->player().hands();
            }
            count(j->player());
        }
        std::printf("games finished: %d\n", games);
        std::printf("hands: %d\n", hands);
        std::printf("messages sent: %lld, received: %lld\n", sent, received);
        if (options.tables > 0) {
            const double seconds = std::chrono::duration<double>(ended - started).count();
            std::printf("games per second: %.1f (%d games in %.2f s)\n",
                        seconds > 0 ? games / seconds : 0.0, games, seconds);
            std::printf("move to answer: p50 %.2f ms, p99 %.2f ms, max %.2f ms (%zu moves)\n",
                        percentile(answers.ms, 0.5), percentile(answers.ms, 0.99),
                        answers.ms.empty() ? 0.0 : percentile(answers.ms, 1.0), answers.ms.size());
        }
    }
};

asio::ip::address resolve(asio::io_context& io, const std::string& server) {
    asio::ip::tcp::resolver resolver(io);
    const auto results = resolver.resolve(server, "");
    return results.begin()->endpoint().address();
}

} // namespace

int main(int argc, char** argv) {
    // One line a hand, seen as it happens even through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Run run;
    if (!parse(argc, argv, run.options)) {
        usage();
        return 2;
    }
    // Five sockets a table: the usual soft limit would stop a run of a few hundred tables.
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    const Options& o = run.options;
    asio::ip::address address;
    try {
        address = resolve(run.io, o.server);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane-bot: %s: %s\n", o.server.c_str(), e.what());
        return 1;
    }
    run.endpoints = {{address, static_cast<unsigned short>(o.listPort)},
                     {address, static_cast<unsigned short>(o.hostPort)},
                     {address, static_cast<unsigned short>(o.playerPort)},
                     o.key};
    run.scheduler = std::make_unique<AsioScheduler>(run.io, o.fast);
    if (o.tables > 0) {
        run.options.quiet = true;
        run.setUpTable(0);
    } else if (!o.hostTable.empty()) {
        run.hostOne();
    } else {
        run.joinOne();
    }
    run.io.run();
    if (run.ended == Clock::time_point{})
        run.ended = Clock::now();
    run.report();
    std::fflush(stdout);
    return run.failures == 0 ? 0 : 1;
}
