// Accepting connections on the table-list, host and player ports.
#include "server/listener.h"

#include "server/event_log.h"
#include "server/session.h"

#include <chrono>

namespace corvane::lobby {

Listener::Listener(asio::io_context& io, const ServerOptions& options, Lobby& lobby)
    : m_io(io), m_options(options), m_lobby(lobby), m_list(io), m_host(io), m_player(io) {}

void Listener::open() {
    const asio::ip::address address = asio::ip::make_address(m_options.address);
    auto bind = [&](asio::ip::tcp::acceptor& acceptor, std::uint16_t port) {
        const asio::ip::tcp::endpoint endpoint(address, port);
        acceptor.open(endpoint.protocol());
        acceptor.set_option(asio::socket_base::reuse_address(true));
        acceptor.bind(endpoint);
        acceptor.listen(asio::socket_base::max_listen_connections);
    };
    bind(m_list, m_options.listPort);
    bind(m_host, m_options.hostPort);
    bind(m_player, m_options.playerPort);
    asio::co_spawn(m_io, acceptLoop(m_list, Channel::List), asio::detached);
    asio::co_spawn(m_io, acceptLoop(m_host, Channel::Host), asio::detached);
    asio::co_spawn(m_io, acceptLoop(m_player, Channel::Player), asio::detached);
}

std::uint16_t Listener::port(Channel channel) const {
    const asio::ip::tcp::acceptor& acceptor =
        channel == Channel::List ? m_list : (channel == Channel::Host ? m_host : m_player);
    return acceptor.local_endpoint().port();
}

asio::awaitable<void> Listener::acceptLoop(asio::ip::tcp::acceptor& acceptor, Channel channel) {
    asio::steady_timer pause(m_io);
    while (acceptor.is_open()) {
        asio::error_code ec;
        asio::ip::tcp::socket socket =
            co_await acceptor.async_accept(asio::redirect_error(asio::use_awaitable, ec));
        if (ec == asio::error::operation_aborted) {
            break;
        }
        if (ec) {
            // Out of descriptors or memory: say so once per failure and give the tables a
            // moment to free some, rather than spinning on the error.
            logLine("accept failed: " + ec.message());
            pause.expires_after(std::chrono::milliseconds(100));
            co_await pause.async_wait(asio::redirect_error(asio::use_awaitable, ec));
            continue;
        }
        std::make_shared<Session>(std::move(socket), channel, m_nextSession++, m_lobby, m_options)
            ->start();
    }
}

} // namespace corvane::lobby
