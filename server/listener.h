// The three listening ports of the lobby server and the loop that accepts on each.
#pragma once

#include "server/lobby.h"
#include "server/options.h"
#include "server/peer.h"

#include <asio.hpp>
#include <cstdint>

namespace corvane::lobby {

class Listener {
public:
    Listener(asio::io_context& io, const ServerOptions& options, Lobby& lobby);

    // Opens the three ports; throws asio::system_error when one cannot be bound.
    void open();
    std::uint16_t port(Channel channel) const;

private:
    asio::awaitable<void> acceptLoop(asio::ip::tcp::acceptor& acceptor, Channel channel);

    asio::io_context& m_io;
    const ServerOptions& m_options;
    Lobby& m_lobby;
    asio::ip::tcp::acceptor m_list;
    asio::ip::tcp::acceptor m_host;
    asio::ip::tcp::acceptor m_player;
    std::uint64_t m_nextSession = 1;
};

} // namespace corvane::lobby
