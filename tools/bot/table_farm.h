// corvane-bot --tables: many tables of a host and three joined bots in one process, spread over
// one event loop per thread, set up through the lobby as people would, then all played at once.
// It reports games per second and how long a move waits for its answer.
#pragma once

#include "tools/bot/bot_options.h"
#include "tools/bot/bot_table.h"

#include <memory>
#include <string>
#include <vector>

namespace corvane::bot {

class TableFarm {
public:
    // `endpoints` names the lobby; each table gets its own source address unless the options
    // say otherwise or the lobby is not on loopback.
    TableFarm(const Options& options, const Endpoints& endpoints, std::uint64_t seed);
    ~TableFarm();

    // Sets up, plays and reports; the exit code (1 when set-up failed or stalled, or fewer games
    // finished than asked).
    int run();

    // Sockets the run will hold at most.
    static long long descriptorsNeeded(const Options& options);
    // Table `index`'s source address: 127.0.0.2 and up.
    static asio::ip::address tableAddress(int index);

private:
    struct Shard;
    void dispatchSetUps();
    void tableReady();
    void shardFinished(Clock::time_point at);
    void fail(const std::string& why);
    void armStallTimer();
    void armProgressTimer();
    void startGames();
    void stopAll();
    int report();

    Options m_options;
    Endpoints m_endpoints;
    bool m_ownAddresses;
    std::uint64_t m_seed;
    asio::io_context m_io{1};
    asio::steady_timer m_stall{m_io};
    asio::steady_timer m_progress{m_io};
    std::vector<std::unique_ptr<Shard>> m_shards;
    int m_dispatched = 0;
    int m_ready = 0;
    int m_inFlight = 0;
    int m_shardsFinished = 0;
    bool m_failed = false;
    Clock::time_point m_setUpStarted;
    Clock::time_point m_started;
    Clock::time_point m_ended;
};

// The value at fraction `p` of the sorted values (0 for none).
double percentile(std::vector<double> values, double p);

} // namespace corvane::bot
