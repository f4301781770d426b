// The lobby server's connection: reading, writing, limits and the end of a connection.
#include "server/session.h"

#include "server/event_log.h"

#include <algorithm>
#include <cassert>

namespace corvane::lobby {

namespace {

using Lifecycle = Session::Lifecycle;

// Every change of lifecycle the session makes; anything else is a fault in this file.
struct Transition {
    Lifecycle from;
    Lifecycle to;
};
constexpr Transition kTransitions[] = {
    // A table created, a seat taken or a host seat opened.
    {Lifecycle::WithoutRole, Lifecycle::WithRole},
    // Its table ended: the player closes on "K", and until then it has no role.
    {Lifecycle::WithRole, Lifecycle::WithoutRole},
    // Ended from inside a handler, after the handler returns.
    {Lifecycle::WithoutRole, Lifecycle::Closing},
    {Lifecycle::WithRole, Lifecycle::Closing},
    // Ended by its reader, writer or watchdog, or after closing.
    {Lifecycle::WithoutRole, Lifecycle::Closed},
    {Lifecycle::WithRole, Lifecycle::Closed},
    {Lifecycle::Closing, Lifecycle::Closed},
};

constexpr bool allowed(Lifecycle from, Lifecycle to) {
    for (const Transition& t : kTransitions) {
        if (t.from == from && t.to == to) {
            return true;
        }
    }
    return false;
}

std::optional<TokenBucket> inputLimit(const ServerOptions& options,
                                      TokenBucket::Clock::time_point now) {
    if (options.maxInputRate == 0) {
        return std::nullopt;
    }
    return TokenBucket(static_cast<double>(options.inputBurst),
                       static_cast<double>(options.maxInputRate), now);
}

const char* channelName(Channel channel) {
    switch (channel) {
    case Channel::List:
        return "table list";
    case Channel::Host:
        return "host channel";
    case Channel::Player:
        return "player channel";
    }
    return "?";
}

} // namespace

Session::Session(asio::ip::tcp::socket socket, std::string address, Channel channel,
                 std::uint64_t id, Lobby& lobby, ConnectionRegistry& registry,
                 const ServerOptions& options)
    : m_socket(std::move(socket)), m_writeSignal(m_socket.get_executor()),
      m_watchdog(m_socket.get_executor()), m_channel(channel), m_id(id),
      m_address(std::move(address)), m_lobby(lobby), m_registry(registry), m_options(options),
      m_input(inputLimit(options, Clock::now())),
      m_lists(options.listBurst, options.listRate, Clock::now()),
      m_chat(options.chatBurst, options.chatRate, Clock::now()) {
    m_writeSignal.expires_at(Clock::time_point::max());
    switch (channel) {
    case Channel::List:
        m_decoder.emplace<protocol::ListUpDecoder>();
        break;
    case Channel::Host:
        m_decoder.emplace<protocol::HostUpDecoder>();
        break;
    case Channel::Player:
        m_decoder.emplace<protocol::PlayerUpDecoder>();
        break;
    }
}

void Session::start() {
    asio::error_code ignored;
    m_socket.set_option(asio::ip::tcp::no_delay(true), ignored);
    m_socket.set_option(asio::socket_base::keep_alive(true), ignored);
    // Left to itself the kernel lets a reader that never reads hold megabytes here, and the
    // backlog cap would never see them.
    m_socket.set_option(asio::socket_base::send_buffer_size(static_cast<int>(m_options.sendBuffer)),
                        ignored);
    // The writer first writes what the socket takes at once and waits only for the rest.
    m_socket.non_blocking(true, ignored);
    auto self = shared_from_this();
    m_registry.added(self);
    m_lobby.opened(*this);
    logLine("#" + std::to_string(m_id) + " " + m_address + " connected on the " +
            channelName(m_channel));
    m_deadline = Clock::now() + m_options.helloTimeout;
    asio::co_spawn(
        m_socket.get_executor(), [self] { return self->reader(); }, asio::detached);
    asio::co_spawn(
        m_socket.get_executor(), [self] { return self->writer(); }, asio::detached);
    asio::co_spawn(
        m_socket.get_executor(), [self] { return self->watchdog(); }, asio::detached);
}

void Session::moveTo(Lifecycle next) {
    assert(allowed(m_lifecycle, next));
    m_lifecycle = next;
}

void Session::setIdentified(bool identified) {
    if (!open()) {
        return;
    }
    const Lifecycle next = identified ? Lifecycle::WithRole : Lifecycle::WithoutRole;
    if (next != m_lifecycle) {
        m_registry.identified(shared_from_this(), identified);
        moveTo(next);
    }
    m_deadline = Clock::now() + (identified ? m_options.idleTimeout : m_options.helloTimeout);
    // The deadline may have come closer than the one the watchdog sleeps towards.
    m_watchdog.cancel();
}

ListAllowance Session::takeList() {
    const Clock::time_point now = Clock::now();
    // The connection's own allowance is looked at first, so that a connection over its own
    // rate does not spend its address's.
    if (!m_lists.holds(1, now)) {
        return ListAllowance::ConnectionSpent;
    }
    if (!m_registry.takeList(m_address, now)) {
        return ListAllowance::AddressSpent;
    }
    m_lists.take(1, now);
    return ListAllowance::Given;
}

bool Session::takeChatLine() {
    return m_chat.take(1, Clock::now());
}

bool Session::consume(std::string_view bytes) {
    return std::visit(
        [&](auto& decoder) {
            decoder.feed(bytes);
            while (auto decoded = decoder.next()) {
                ++m_messages;
                m_lobby.received(*this, *decoded);
                if (!open()) {
                    return true;
                }
            }
            if (decoder.failed()) {
                stop("protocol error: " + decoder.error());
                return false;
            }
            return true;
        },
        m_decoder);
}

asio::awaitable<void> Session::reader() {
    std::array<char, 4096> buffer;
    while (m_lifecycle != Lifecycle::Closed) {
        asio::error_code ec;
        const std::size_t n = co_await m_socket.async_read_some(
            asio::buffer(buffer), asio::redirect_error(asio::use_awaitable, ec));
        if (ec) {
            stop(ec == asio::error::eof ? "closed by peer" : "read failed: " + ec.message());
            break;
        }
        // Only a connection with a role earns more time by sending; one that has not said who
        // it is keeps the deadline it got on connecting.
        if (m_lifecycle == Lifecycle::WithRole) {
            m_deadline = Clock::now() + m_options.idleTimeout;
        }
        if (m_input && !m_input->take(static_cast<double>(n), Clock::now())) {
            ++m_registry.counts().droppedInputRate;
            stop("sends too much");
            break;
        }
        if (!consume(std::string_view(buffer.data(), n))) {
            break;
        }
    }
}

asio::awaitable<void> Session::writer() {
    while (m_lifecycle != Lifecycle::Closed) {
        // Once the connection is closing nothing more goes out.
        if (m_outbox.empty() || !open()) {
            m_writing = Writing::Idle;
            asio::error_code ignored;
            co_await m_writeSignal.async_wait(asio::redirect_error(asio::use_awaitable, ignored));
            continue;
        }
        // Everything delivered while the last batch of arrivals was handled (the four
        // players' moves to their host, say) goes out in one write, most often taken at once.
        asio::error_code ec;
        const std::size_t taken = m_socket.write_some(asio::buffer(m_outbox), ec);
        if (ec && ec != asio::error::would_block && ec != asio::error::try_again) {
            stop("write failed: " + ec.message());
            break;
        }
        if (!ec && taken == m_outbox.size()) {
            m_outbox.clear();
            continue;
        }
        // The socket took part of it: wait for room and send the rest, the watchdog timing
        // the write.
        m_sending.assign(m_outbox, ec ? 0 : taken);
        m_outbox.clear();
        m_writing = Writing::Stalled;
        m_lastProgress = Clock::now();
        m_watchdog.cancel();
        std::size_t sent = 0;
        while (sent < m_sending.size() && m_lifecycle != Lifecycle::Closed) {
            const std::size_t n = co_await m_socket.async_write_some(
                asio::buffer(m_sending.data() + sent, m_sending.size() - sent),
                asio::redirect_error(asio::use_awaitable, ec));
            if (ec) {
                break;
            }
            sent += n;
            m_lastProgress = Clock::now();
        }
        m_sending.clear();
        if (ec) {
            stop("write failed: " + ec.message());
            break;
        }
        m_writing = Writing::Due;
    }
}

asio::awaitable<void> Session::watchdog() {
    while (m_lifecycle != Lifecycle::Closed) {
        const Clock::time_point now = Clock::now();
        if (m_deadline <= now) {
            // A list connection that asked for lists, or a refused joiner, did say something:
            // what it never did was take a seat or a table.
            stop(m_lifecycle == Lifecycle::WithRole ? "idle too long"
                 : m_messages == 0                  ? "said nothing in time"
                                                    : "took no seat or table in time");
            break;
        }
        Clock::time_point wake = m_deadline;
        if (m_writing == Writing::Stalled) {
            const Clock::time_point writeDeadline = m_lastProgress + m_options.writeTimeout;
            if (writeDeadline <= now) {
                ++m_registry.counts().droppedSlowReader;
                stop("reads nothing: no write progress for " +
                     std::to_string(m_options.writeTimeout.count()) + " s");
                break;
            }
            wake = std::min(wake, writeDeadline);
        }
        m_watchdog.expires_at(wake);
        asio::error_code ignored;
        co_await m_watchdog.async_wait(asio::redirect_error(asio::use_awaitable, ignored));
    }
}

void Session::deliver(std::string_view bytes) {
    if (!open()) {
        return;
    }
    if (m_outbox.size() + m_sending.size() + bytes.size() > m_options.maxBacklog) {
        ++m_registry.counts().droppedBacklog;
        closeSoon("reads too slowly: backlog over " + std::to_string(m_options.maxBacklog) +
                  " bytes");
        return;
    }
    // Not activity by this connection: what others send it does not keep it open.
    m_outbox.append(bytes);
    if (m_writing == Writing::Idle) {
        // The writer runs after the current handler, so what else is delivered meanwhile
        // joins this write.
        m_writing = Writing::Due;
        m_writeSignal.cancel_one();
    }
}

void Session::closeSoon(std::string reason) {
    if (!open()) {
        return;
    }
    moveTo(Lifecycle::Closing);
    auto self = shared_from_this();
    asio::post(m_socket.get_executor(), [self, reason = std::move(reason)] { self->stop(reason); });
}

void Session::stop(const std::string& reason) {
    if (m_lifecycle == Lifecycle::Closed) {
        return;
    }
    moveTo(Lifecycle::Closed);
    logLine("#" + std::to_string(m_id) + " " + m_address + " " + channelName(m_channel) +
            " closed: " + reason);
    m_lobby.closed(*this);
    m_registry.removed(*this);
    asio::error_code ignored;
    m_socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    m_socket.close(ignored);
    m_writeSignal.cancel();
    m_watchdog.cancel();
}

} // namespace corvane::lobby
