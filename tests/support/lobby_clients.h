// Blocking test clients of the lobby: connections that read whole messages through the
// protocol's own decoders.
#pragma once

#include "protocol/decoder.h"

#include <asio.hpp>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>

namespace corvane::testing {

// Far beyond any answer on loopback: reached only when the server broke. Nothing here measures
// speed.
inline constexpr std::chrono::milliseconds kSafetyLimit{10000};

// A blocking connection.
class RawClient {
public:
    // `from` is the loopback source address: each home's players come from an address of
    // their own.
    explicit RawClient(std::uint16_t port, const std::string& from = "127.0.0.1") {
        m_socket.open(asio::ip::tcp::v4());
        m_socket.bind({asio::ip::make_address(from), 0});
        m_socket.connect({asio::ip::make_address("127.0.0.1"), port});
        m_socket.set_option(asio::ip::tcp::no_delay(true));
    }

    void send(std::string_view bytes) { asio::write(m_socket, asio::buffer(bytes)); }
    // Says that nothing more will be sent (a half close); reading goes on.
    void finishSending() {
        asio::error_code ignored;
        m_socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    }
    // Bytes that came within `wait`; nothing at the end of the stream or after the wait.
    std::optional<std::string> readSome(std::chrono::milliseconds wait = kSafetyLimit) {
        char buffer[4096];
        const ssize_t n = readable(wait) ? ::recv(m_socket.native_handle(), buffer, 4096, 0) : 0;
        return n > 0 ? std::optional(std::string(buffer, static_cast<std::size_t>(n)))
                     : std::nullopt;
    }
    // Reads until the server closes the connection; false if it did not within the limit.
    bool waitForClose() {
        char buffer[4096];
        ssize_t n = 1;
        while (n > 0 && readable(kSafetyLimit))
            n = ::recv(m_socket.native_handle(), buffer, sizeof buffer, 0);
        return n == 0 || (n < 0 && errno == ECONNRESET);
    }
    // True when bytes (or the end of the stream) arrive within `wait`.
    bool readable(std::chrono::milliseconds wait = {}) {
        pollfd entry{m_socket.native_handle(), POLLIN, 0};
        return ::poll(&entry, 1, static_cast<int>(wait.count())) > 0;
    }

private:
    asio::io_context m_io;
    asio::ip::tcp::socket m_socket{m_io};
};

template <class Message> class Client : public RawClient {
public:
    using RawClient::RawClient;

    bool readable() { return m_decoder.buffered() > 0 || RawClient::readable(); }

    // The next whole message with its exact bytes if one comes within `wait` of the last
    // bytes; nothing otherwise, or when the connection ended first.
    std::optional<protocol::Decoded<Message>> next(std::chrono::milliseconds wait = kSafetyLimit) {
        while (true) {
            if (auto decoded = m_decoder.next())
                return decoded;
            std::optional<std::string> bytes;
            if (m_decoder.failed() || !(bytes = readSome(wait)))
                return std::nullopt;
            m_decoder.feed(*bytes);
        }
    }

    // The raw bytes of the next message, "<closed>" if none came.
    std::string nextRaw() {
        auto decoded = next();
        return decoded ? decoded->raw : std::string("<closed>");
    }

private:
    protocol::Decoder<Message> m_decoder;
};

// The lobby client's and host's connection, and a seated player's.
using HostClient = Client<protocol::HostDownMessage>;
using PlayerClient = Client<protocol::PlayerDownMessage>;

} // namespace corvane::testing
