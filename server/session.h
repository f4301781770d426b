// One client connection of the lobby server: a reader and a writer coroutine over the socket,
// a capped write queue, an input rate limit, a list allowance and a watchdog for connections
// that say nothing, go silent or stop reading.
#pragma once

#include "protocol/decoder.h"
#include "server/connection_registry.h"
#include "server/lobby.h"
#include "server/options.h"
#include "server/peer.h"

#include <asio.hpp>
#include <chrono>
#include <memory>
#include <string>
#include <variant>

namespace corvane::lobby {

class Session : public Peer, public std::enable_shared_from_this<Session> {
public:
    Session(asio::ip::tcp::socket socket, std::string address, Channel channel, std::uint64_t id,
            Lobby& lobby, ConnectionRegistry& registry, const ServerOptions& options);

    void start();

    std::uint64_t id() const override { return m_id; }
    Channel channel() const override { return m_channel; }
    const std::string& address() const override { return m_address; }
    void deliver(std::string_view bytes) override;
    void closeSoon(std::string reason) override;
    void setIdentified(bool identified) override;
    bool mayList() override;

private:
    using Clock = std::chrono::steady_clock;

    asio::awaitable<void> reader();
    asio::awaitable<void> writer();
    asio::awaitable<void> watchdog();
    // Feeds what arrived to this port's decoder and hands each whole message to the lobby.
    bool consume(std::string_view bytes);
    bool withinRate(std::size_t bytes);
    // Writes what the socket takes at once when nothing is queued; returns what is left.
    std::string_view writeNow(std::string_view bytes);
    void flush();
    void stop(const std::string& reason);

    asio::ip::tcp::socket m_socket;
    asio::steady_timer m_writeSignal;
    asio::steady_timer m_watchdog;
    Channel m_channel;
    std::uint64_t m_id;
    std::string m_address;
    Lobby& m_lobby;
    ConnectionRegistry& m_registry;
    const ServerOptions& m_options;
    std::variant<protocol::ListUpDecoder, protocol::HostUpDecoder, protocol::PlayerUpDecoder>
        m_decoder;
    std::string m_outbox;
    std::string m_sending;
    // The socket did not take everything: the writer waits for room and sends the rest.
    bool m_stalled = false;
    bool m_flushPosted = false;
    bool m_identified = false;
    bool m_stopped = false;
    bool m_closing = false;
    // Closed for silence or idleness when this passes; reads move it only once the
    // connection has a role.
    Clock::time_point m_deadline;
    // The last time the socket took bytes while some were waiting.
    Clock::time_point m_lastProgress;
    Clock::time_point m_lastRefill;
    double m_inputTokens = 0;
    Clock::time_point m_lastListRefill;
    double m_listTokens = 0;
};

} // namespace corvane::lobby
