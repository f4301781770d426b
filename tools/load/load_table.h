// One table of the load run: a host, its own seat channel and three joined players, set up
// through the real protocol, then relaying bids and cards both ways at a steady pace.
#pragma once

#include "protocol/messages.h"
#include "tools/load/relay_stats.h"
#include "tools/load/wire_connection.h"

#include <array>
#include <asio.hpp>
#include <deque>
#include <memory>
#include <string>

namespace corvane::load {

struct LoadEndpoints {
    asio::ip::tcp::endpoint list;
    asio::ip::tcp::endpoint host;
    asio::ip::tcp::endpoint player;
};

using HostConnection = WireConnection<protocol::HostDownMessage>;
using PlayerConnection = WireConnection<protocol::PlayerDownMessage>;

class LoadTable {
public:
    // Every connection of the table comes from `source`, as from one home.
    LoadTable(asio::any_io_executor executor, int index, asio::ip::address source,
              RelayStats& stats);

    // Creates the table, opens the host's seat, lists the tables and seats three players.
    // Returns nothing when all went well, otherwise the step that failed.
    asio::awaitable<std::string> setUp(const LoadEndpoints& endpoints);
    // Starts reading every connection of the table and recording relay latencies.
    void startReaders();
    // Every `interval`, one broadcast from the host and one move from each seat, until `stopAt`.
    asio::awaitable<void> relay(Clock::duration interval, Clock::duration phase,
                                Clock::time_point stopAt);
    int openConnections() const;
    void closeAll();

private:
    asio::awaitable<void> readHost();
    asio::awaitable<void> readSeat(int seat);

    asio::any_io_executor m_executor;
    int m_index;
    asio::ip::address m_source;
    RelayStats& m_stats;
    HostConnection m_host;
    HostConnection m_list;
    std::array<std::unique_ptr<PlayerConnection>, 4> m_seats;
    // Send times in order, per seat: host to seat, and seat to host.
    std::array<std::deque<Clock::time_point>, 4> m_toSeat;
    std::array<std::deque<Clock::time_point>, 4> m_fromSeat;
};

} // namespace corvane::load
