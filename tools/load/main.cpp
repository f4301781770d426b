// corvane-load: opens many tables of one host and three players against a running
// corvane-lobby, relays bids and cards through it, and reports connections held, relayed
// messages per second and relay latency.
#include "server/resolve.h"
#include "tools/load/load_options.h"
#include "tools/load/load_table.h"
#include "tools/load/relay_stats.h"

#include <asio.hpp>
#include <cstdio>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace corvane::load;

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

// Sets one table up, closing its connections (which ends every step it waits on) when it
// takes longer than the set-up time-out.
asio::awaitable<std::string> setUpWithin(LoadTable& table, const LoadEndpoints& endpoints,
                                         double timeout) {
    auto executor = co_await asio::this_coro::executor;
    auto timer = std::make_shared<asio::steady_timer>(executor);
    auto stalled = std::make_shared<bool>(false);
    timer->expires_after(
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeout)));
    timer->async_wait([timer, stalled, &table](const asio::error_code& ec) {
        if (!ec) {
            *stalled = true;
            table.closeAll();
        }
    });
    std::string failure;
    try {
        failure = co_await table.setUp(endpoints);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    timer->cancel();
    if (*stalled) {
        char text[64];
        std::snprintf(text, sizeof text, "set-up stalled for %.1f s", timeout);
        co_return std::string(text);
    }
    co_return failure;
}

asio::awaitable<void> drive(asio::io_context& io, const LoadOptions& options, RelayStats& stats,
                            std::vector<std::unique_ptr<LoadTable>>& tables, int& exitCode) {
    auto executor = co_await asio::this_coro::executor;
    const auto address = corvane::lobby::resolveAddress(io, options.address);
    const LoadEndpoints endpoints{
        {address, options.listPort}, {address, options.hostPort}, {address, options.playerPort}};
    const std::uint32_t firstSource = asio::ip::make_address_v4(options.firstSource).to_uint();

    const Clock::time_point setupStart = Clock::now();
    for (int i = 0; i < options.tables; ++i) {
        const asio::ip::address source =
            asio::ip::address_v4(firstSource + static_cast<std::uint32_t>(i));
        auto table = std::make_unique<LoadTable>(executor, i, source, stats);
        const std::string failure = co_await setUpWithin(*table, endpoints, options.setupTimeout);
        if (!failure.empty()) {
            std::fprintf(stderr, "corvane-load: table %d from %s (lobby %s ports %u, %u, %u): %s\n",
                         i, source.to_string().c_str(), address.to_string().c_str(),
                         options.listPort, options.hostPort, options.playerPort, failure.c_str());
            table->closeAll();
            exitCode = 1;
            break;
        }
        tables.push_back(std::move(table));
        if ((i + 1) % 500 == 0) {
            std::fprintf(stderr, "  %d tables set up\n", i + 1);
        }
    }
    const int expected = static_cast<int>(tables.size()) * 5;
    std::printf("set-up: %zu of %d tables in %.1f s\n", tables.size(), options.tables,
                secondsSince(setupStart));
    if (tables.empty()) {
        io.stop();
        co_return;
    }

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
    const LoadCommandLine command = parseLoadCommandLine(argc, argv);
    std::cout << command.out;
    std::cerr << command.err;
    if (!command.options) {
        return command.exitCode;
    }
    const LoadOptions& options = *command.options;
    const rlim_t descriptors = raiseDescriptorLimit();
    std::printf("tables %d, target %.0f msgs/s for %.0f s, descriptor limit %llu\n", options.tables,
                options.rate, options.seconds, static_cast<unsigned long long>(descriptors));
    asio::io_context io(1);
    RelayStats stats;
    std::vector<std::unique_ptr<LoadTable>> tables;
    int exitCode = 0;
    asio::co_spawn(io, drive(io, options, stats, tables, exitCode), [&](std::exception_ptr error) {
        if (error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "corvane-load: %s\n", e.what());
            }
            exitCode = 1;
        }
    });
    io.run();
    return exitCode;
}
