// The lobby server's connection: reading, writing, limits and the end of a connection.
#include "server/session.h"

#include "server/event_log.h"

#include <algorithm>

namespace corvane::lobby {

namespace {

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
      m_address(std::move(address)), m_lobby(lobby), m_registry(registry), m_options(options) {
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
    m_lastRefill = m_lastListRefill = Clock::now();
    m_inputTokens = static_cast<double>(m_options.inputBurst);
    m_listTokens = m_options.listBurst;
}

void Session::start() {
    asio::error_code ignored;
    m_socket.set_option(asio::ip::tcp::no_delay(true), ignored);
    m_socket.set_option(asio::socket_base::keep_alive(true), ignored);
    // Left to itself the kernel lets a reader that never reads hold megabytes here, and the
    // backlog cap would never see them.
    m_socket.set_option(asio::socket_base::send_buffer_size(static_cast<int>(m_options.sendBuffer)),
                        ignored);
    // Relayed messages are written straight from the reader of the sender when the socket
    // takes them, which saves waking the writer for each message.
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

void Session::setIdentified(bool identified) {
    if (m_stopped) {
        return;
    }
    if (identified != m_identified) {
        m_registry.identified(shared_from_this(), identified);
    }
    m_identified = identified;
    m_deadline = Clock::now() + (identified ? m_options.idleTimeout : m_options.helloTimeout);
    // The deadline may have come closer than the one the watchdog sleeps towards.
    m_watchdog.cancel();
}

bool Session::mayList() {
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - m_lastListRefill).count();
    m_lastListRefill = now;
    m_listTokens = std::min(static_cast<double>(m_options.listBurst),
                            m_listTokens + elapsed * m_options.listRate);
    if (m_listTokens < 1) {
        return false;
    }
    m_listTokens -= 1;
    return true;
}

bool Session::withinRate(std::size_t bytes) {
    if (m_options.maxInputRate == 0) {
        return true;
    }
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - m_lastRefill).count();
    m_lastRefill = now;
    m_inputTokens = std::min(static_cast<double>(m_options.inputBurst),
                             m_inputTokens + elapsed * static_cast<double>(m_options.maxInputRate));
    m_inputTokens -= static_cast<double>(bytes);
    return m_inputTokens >= 0;
}

bool Session::consume(std::string_view bytes) {
    return std::visit(
        [&](auto& decoder) {
            decoder.feed(bytes);
            while (auto decoded = decoder.next()) {
                m_lobby.received(*this, *decoded);
                if (m_stopped || m_closing) {
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
    while (!m_stopped) {
        asio::error_code ec;
        const std::size_t n = co_await m_socket.async_read_some(
            asio::buffer(buffer), asio::redirect_error(asio::use_awaitable, ec));
        if (ec) {
            stop(ec == asio::error::eof ? "closed by peer" : "read failed: " + ec.message());
            break;
        }
        // Only a connection with a role earns more time by sending; one that has not said who
        // it is keeps the deadline it got on connecting.
        if (m_identified) {
            m_deadline = Clock::now() + m_options.idleTimeout;
        }
        if (!withinRate(n)) {
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
    while (!m_stopped) {
        if (!m_stalled) {
            asio::error_code ignored;
            co_await m_writeSignal.async_wait(asio::redirect_error(asio::use_awaitable, ignored));
            continue;
        }
        m_sending.swap(m_outbox);
        std::size_t sent = 0;
        asio::error_code ec;
        while (sent < m_sending.size() && !m_stopped) {
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
        m_stalled = !m_outbox.empty();
    }
}

asio::awaitable<void> Session::watchdog() {
    while (!m_stopped) {
        const Clock::time_point now = Clock::now();
        if (m_deadline <= now) {
            stop(m_identified ? "idle too long" : "said nothing in time");
            break;
        }
        Clock::time_point wake = m_deadline;
        if (m_stalled) {
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
    if (m_stopped || m_closing) {
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
    if (m_stalled) {
        return;
    }
    // Everything delivered to this connection while the current batch of arrivals is handled
    // (the four players' moves to their host, say) goes out in one send at the batch's end.
    if (!m_flushPosted) {
        m_flushPosted = true;
        asio::post(m_socket.get_executor(), [self = shared_from_this()] { self->flush(); });
    }
}

void Session::flush() {
    m_flushPosted = false;
    if (m_stopped || m_closing || m_stalled || m_outbox.empty()) {
        return;
    }
    const std::string_view rest = writeNow(m_outbox);
    if (rest.empty()) {
        m_outbox.clear();
        return;
    }
    // The socket took part of it: the writer waits for room and sends the rest, and the
    // watchdog starts timing the write.
    m_outbox.erase(0, m_outbox.size() - rest.size());
    m_stalled = true;
    m_lastProgress = Clock::now();
    m_writeSignal.cancel_one();
    m_watchdog.cancel();
}

std::string_view Session::writeNow(std::string_view bytes) {
    asio::error_code ec;
    const std::size_t written = m_socket.write_some(asio::buffer(bytes), ec);
    if (ec && ec != asio::error::would_block && ec != asio::error::try_again) {
        closeSoon("write failed: " + ec.message());
        return {};
    }
    return bytes.substr(ec ? 0 : written);
}

void Session::closeSoon(std::string reason) {
    if (m_stopped || m_closing) {
        return;
    }
    m_closing = true;
    auto self = shared_from_this();
    asio::post(m_socket.get_executor(), [self, reason = std::move(reason)] { self->stop(reason); });
}

void Session::stop(const std::string& reason) {
    if (m_stopped) {
        return;
    }
    m_stopped = true;
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
