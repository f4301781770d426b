// corvane-load: opens many tables of one host and three players against a running
// corvane-lobby, relays bids and cards through it, and reports connections held, relayed
// messages per second and relay latency.
#include "tools/load/load_table.h"
#include "tools/load/relay_stats.h"

#include <asio.hpp>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace corvane::load;

struct LoadOptions {
    std::string address = "127.0.0.1";
    std::uint16_t listPort = 9000;
    std::uint16_t hostPort = 9100;
    std::uint16_t playerPort = 9200;
    int tables = 100;
    // Relayed messages per second across all tables; each table step relays eight.
    double rate = 5000;
    double seconds = 10;
};

bool parse(int argc, char** argv, LoadOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[++i];
        double number = 0;
        auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        const bool numeric = ec == std::errc{} && ptr == value.data() + value.size();
        if (name == "--address") {
            options.address = value;
        } else if (!numeric || number < 0) {
            return false;
        } else if (name == "--list-port") {
            options.listPort = static_cast<std::uint16_t>(number);
        } else if (name == "--host-port") {
            options.hostPort = static_cast<std::uint16_t>(number);
        } else if (name == "--player-port") {
            options.playerPort = static_cast<std::uint16_t>(number);
        } else if (name == "--tables") {
            options.tables = static_cast<int>(number);
        } else if (name == "--rate") {
            options.rate = number;
        } else if (name == "--seconds") {
            options.seconds = number;
        } else {
            return false;
        }
    }
    return options.tables > 0 && options.rate > 0 && options.seconds > 0;
}

// Five sockets per table: the soft limit of 1024 would stop the run near two hundred tables.
rlim_t raiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 0;
    }
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

asio::awaitable<void> drive(asio::io_context& io, const LoadOptions& options, RelayStats& stats,
                            std::vector<std::unique_ptr<LoadTable>>& tables) {
    auto executor = co_await asio::this_coro::executor;
    const auto address = asio::ip::make_address(options.address);
    const LoadEndpoints endpoints{
        {address, options.listPort}, {address, options.hostPort}, {address, options.playerPort}};
    HostConnection list(executor);
    co_await list.connect(endpoints.list);

    const Clock::time_point setupStart = Clock::now();
    for (int i = 0; i < options.tables; ++i) {
        auto table = std::make_unique<LoadTable>(executor, i, stats);
        bool ready = false;
        try {
            ready = co_await table->setUp(endpoints, list);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "table %d: %s\n", i, error.what());
        }
        if (!ready) {
            std::fprintf(stderr, "table %d could not be set up; stopping set-up there\n", i);
            table->closeAll();
            break;
        }
        tables.push_back(std::move(table));
        if ((i + 1) % 500 == 0) {
            std::fprintf(stderr, "  %d tables set up\n", i + 1);
        }
    }
    list.close();
    const int expected = static_cast<int>(tables.size()) * 5;
    std::printf("set-up: %zu of %d tables in %.1f s\n", tables.size(), options.tables,
                secondsSince(setupStart));

    for (auto& table : tables) {
        table->startReaders();
    }
    // Each step relays eight messages: four from the host's broadcast, one from each seat.
    const double stepsPerTable = options.rate / 8.0 / static_cast<double>(tables.size());
    const auto interval = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / stepsPerTable));
    const Clock::time_point start = Clock::now();
    const Clock::time_point stopAt = start + std::chrono::duration_cast<Clock::duration>(
                                                 std::chrono::duration<double>(options.seconds));
    std::mt19937 random(1);
    std::uniform_real_distribution<double> spread(0.0, 1.0);
    stats.startMeasuring();
    for (auto& table : tables) {
        const auto phase = std::chrono::duration_cast<Clock::duration>(interval * spread(random));
        asio::co_spawn(executor, table->relay(interval, phase, stopAt), asio::detached);
    }
    asio::steady_timer timer(executor);
    timer.expires_at(stopAt);
    co_await timer.async_wait(asio::use_awaitable);
    stats.stopMeasuring();
    const double elapsed = secondsSince(start);

    int held = 0;
    for (auto& table : tables) {
        held += table->openConnections();
    }
    std::printf("connections held: %d of %d (%zu host channels, %zu player channels)\n", held,
                expected, tables.size(), tables.size() * 4);
    std::printf("relayed: %llu messages in %.1f s = %.0f msgs/s (target %.0f)\n",
                static_cast<unsigned long long>(stats.relayed()), elapsed,
                static_cast<double>(stats.relayed()) / elapsed, options.rate);
    std::printf("relay latency: %s\n", stats.summary().c_str());
    std::printf("load tool's own wake-up lag: %s\n", stats.lagSummary().c_str());
    for (auto& table : tables) {
        table->closeAll();
    }
    io.stop();
}

} // namespace

int main(int argc, char** argv) {
    LoadOptions options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: corvane-load [--address A] [--list-port N] [--host-port N]"
                     " [--player-port N] [--tables N] [--rate MSGS_PER_S] [--seconds S]\n";
        return 2;
    }
    const rlim_t descriptors = raiseDescriptorLimit();
    std::printf("tables %d, target %.0f msgs/s for %.0f s, descriptor limit %llu\n", options.tables,
                options.rate, options.seconds, static_cast<unsigned long long>(descriptors));
    asio::io_context io(1);
    RelayStats stats;
    std::vector<std::unique_ptr<LoadTable>> tables;
    asio::co_spawn(io, drive(io, options, stats, tables), [](std::exception_ptr error) {
        if (error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "corvane-load: %s\n", e.what());
            }
        }
    });
    io.run();
    return 0;
}
