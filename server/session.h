// One client connection of the lobby server: a reader and a writer coroutine over the socket,
// a capped write queue, an input rate limit, list and chat allowances and a watchdog for
// connections that say nothing, go silent or stop reading.
#pragma once

#include "protocol/decoder.h"
#include "server/connection_registry.h"
#include "server/lobby.h"
#include "server/options.h"
#include "server/peer.h"
#include "server/token_bucket.h"

#include <asio.hpp>
#include <chrono>
#include <memory>
#include <string>
#include <variant>

namespace corvane::lobby {

class Session : public Peer, public std::enable_shared_from_this<Session> {
public:
    // What the connection is doing. It starts without a role, under the short hello
    // time-out and among those that make room when the server is full; a role (a table
    // created, a seat taken or a host seat opened) gives it the long idle time-out, and the
    // end of its table takes the role away again. Closing waits for the caller's loop to
    // end; Closed is final.
    enum class Lifecycle { WithoutRole, WithRole, Closing, Closed };

    // The writer's state: nothing to send, bytes queued with the writer woken to send them
    // once the current batch of arrivals is handled, or bytes the socket would not take
    // yet, which the watchdog times.
    enum class Writing { Idle, Due, Stalled };

    Session(asio::ip::tcp::socket socket, std::string address, Channel channel, std::uint64_t id,
            Lobby& lobby, ConnectionRegistry& registry, const ServerOptions& options);

    void start();

    std::uint64_t id() const override { return m_id; }
    Channel channel() const override { return m_channel; }
    const std::string& address() const override { return m_address; }
    void deliver(std::string_view bytes) override;
    void closeSoon(std::string reason) override;
    void setIdentified(bool identified) override;
    ListAllowance takeList() override;
    bool takeChatLine() override;

private:
    using Clock = std::chrono::steady_clock;

    asio::awaitable<void> reader();
    asio::awaitable<void> writer();
    asio::awaitable<void> watchdog();
    // Feeds what arrived to this port's decoder and hands each whole message to the lobby.
    bool consume(std::string_view bytes);
    void moveTo(Lifecycle next);
    bool open() const {
        return m_lifecycle == Lifecycle::WithoutRole || m_lifecycle == Lifecycle::WithRole;
    }
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
    Lifecycle m_lifecycle = Lifecycle::WithoutRole;
    // Whole messages read, for the reason the watchdog logs.
    std::uint64_t m_messages = 0;
    Writing m_writing = Writing::Idle;
    // Bytes waiting to go out, and those the writer is sending while the socket is stalled.
    std::string m_outbox;
    std::string m_sending;
    // Closed for silence or idleness when this passes; reads move it only once the
    // connection has a role.
    Clock::time_point m_deadline;
    // The last time the socket took bytes while some were waiting.
    Clock::time_point m_lastProgress;
    // Unlimited input when the rate is 0.
    std::optional<TokenBucket> m_input;
    TokenBucket m_lists;
    TokenBucket m_chat;
};

} // namespace corvane::lobby
