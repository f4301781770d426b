// The three listening ports of the lobby server and the loop that accepts on each.
#pragma once

#include "server/connection_registry.h"
#include "server/lobby.h"
#include "server/options.h"
#include "server/peer.h"

#include <asio.hpp>
#include <cstdint>

namespace corvane::lobby {

class Listener {
public:
    Listener(asio::io_context& io, const ServerOptions& options, Lobby& lobby,
             ConnectionRegistry& registry);

    // Resolves --address and opens the three ports; throws std::runtime_error naming the
    // option, address and port when one cannot be opened.
    void open();
    std::uint16_t port(Channel channel) const;
    // The address the ports are bound to, as text.
    std::string boundAddress() const;

private:
    asio::awaitable<void> acceptLoop(asio::ip::tcp::acceptor& acceptor, Channel channel);
    void admit(asio::ip::tcp::socket socket, Channel channel);

    asio::io_context& m_io;
    const ServerOptions& m_options;
    Lobby& m_lobby;
    ConnectionRegistry& m_registry;
    asio::ip::tcp::acceptor m_list;
    asio::ip::tcp::acceptor m_host;
    asio::ip::tcp::acceptor m_player;
    std::uint64_t m_nextSession = 1;
    // Refusals are logged at most once a second, with how many there were meanwhile.
    std::chrono::steady_clock::time_point m_lastRefusalLog;
    std::uint64_t m_refusalsUnlogged = 0;
};

} // namespace corvane::lobby
