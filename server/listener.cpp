// Accepting connections on the table-list, host and player ports.
#include "server/listener.h"

#include "server/event_log.h"
#include "server/resolve.h"
#include "server/session.h"

#include <chrono>
#include <stdexcept>

namespace corvane::lobby {

namespace {

std::string remoteAddress(const asio::ip::tcp::socket& socket) {
    asio::error_code ec;
    const auto endpoint = socket.remote_endpoint(ec);
    if (ec) {
        return "unknown";
    }
    asio::ip::address address = endpoint.address();
    // A dual-stack listener sees IPv4 peers as mapped addresses; the plain form keeps one
    // machine's connections on the three ports under one name.
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        address = asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
    }
    return address.to_string();
}

} // namespace

Listener::Listener(asio::io_context& io, const ServerOptions& options, Lobby& lobby,
                   ConnectionRegistry& registry)
    : m_io(io), m_options(options), m_lobby(lobby), m_registry(registry), m_list(io), m_host(io),
      m_player(io) {}

void Listener::open() {
    const asio::ip::address address = resolveAddress(m_io, m_options.address);
    auto bind = [&](asio::ip::tcp::acceptor& acceptor, std::uint16_t port, const char* option) {
        const asio::ip::tcp::endpoint endpoint(address, port);
        try {
            acceptor.open(endpoint.protocol());
            acceptor.set_option(asio::socket_base::reuse_address(true));
            acceptor.bind(endpoint);
            acceptor.listen(asio::socket_base::max_listen_connections);
        } catch (const asio::system_error& error) {
            throw std::runtime_error(std::string("cannot listen on ") + option + " " +
                                     std::to_string(port) + " at --address " + m_options.address +
                                     (m_options.address == address.to_string()
                                          ? std::string()
                                          : " (" + address.to_string() + ")") +
                                     ": " + error.code().message());
        }
    };
    bind(m_list, m_options.listPort, "--list-port");
    bind(m_host, m_options.hostPort, "--host-port");
    bind(m_player, m_options.playerPort, "--player-port");
    asio::co_spawn(m_io, acceptLoop(m_list, Channel::List), asio::detached);
    asio::co_spawn(m_io, acceptLoop(m_host, Channel::Host), asio::detached);
    asio::co_spawn(m_io, acceptLoop(m_player, Channel::Player), asio::detached);
}

std::string Listener::boundAddress() const {
    asio::error_code ec;
    const auto endpoint = m_list.local_endpoint(ec);
    return ec ? m_options.address : endpoint.address().to_string();
}

std::uint16_t Listener::port(Channel channel) const {
    const asio::ip::tcp::acceptor& acceptor =
        channel == Channel::List ? m_list : (channel == Channel::Host ? m_host : m_player);
    return acceptor.local_endpoint().port();
}

void Listener::admit(asio::ip::tcp::socket socket, Channel channel) {
    std::string address = remoteAddress(socket);
    std::string reason;
    if (!m_registry.admit(address, channel, reason)) {
        // A flood of refusals is one log line a second, not one per connection.
        ++m_refusalsUnlogged;
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastRefusalLog >= std::chrono::seconds(1)) {
            logLine(address + " refused: " + reason + " (" + std::to_string(m_refusalsUnlogged) +
                    " refused since the last such line)");
            m_refusalsUnlogged = 0;
            m_lastRefusalLog = now;
        }
        asio::error_code ignored;
        socket.close(ignored);
        return;
    }
    std::make_shared<Session>(std::move(socket), std::move(address), channel, m_nextSession++,
                              m_lobby, m_registry, m_options)
        ->start();
}

asio::awaitable<void> Listener::acceptLoop(asio::ip::tcp::acceptor& acceptor, Channel channel) {
    asio::steady_timer pause(m_io);
    std::chrono::steady_clock::time_point lastLogged;
    while (acceptor.is_open()) {
        asio::error_code ec;
        asio::ip::tcp::socket socket =
            co_await acceptor.async_accept(asio::redirect_error(asio::use_awaitable, ec));
        if (ec == asio::error::operation_aborted) {
            break;
        }
        if (ec) {
            // Out of descriptors or memory: say so at most every ten seconds and give the
            // tables a moment to free some, rather than spinning on the error.
            const auto now = std::chrono::steady_clock::now();
            if (m_registry.counts().acceptFailed++ == 0 ||
                now - lastLogged >= std::chrono::seconds(10)) {
                logLine("accept failed: " + ec.message() + " (" +
                        std::to_string(m_registry.counts().acceptFailed) + " failures so far)");
                lastLogged = now;
            }
            pause.expires_after(std::chrono::milliseconds(100));
            co_await pause.async_wait(asio::redirect_error(asio::use_awaitable, ec));
            continue;
        }
        admit(std::move(socket), channel);
    }
}

} // namespace corvane::lobby
