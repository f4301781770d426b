// Blocking test clients of the lobby: connections that read whole messages through the
// protocol's own decoders.
#pragma once

#include "protocol/decoder.h"

#include <asio.hpp>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace corvane::testing {

// A blocking connection. Reads give up after a generous safety limit so that a broken server
// fails the test instead of hanging it; nothing here measures speed.
class RawClient {
public:
    // `from` is the loopback source address: each home's players come from an address of
    // their own.
    explicit RawClient(std::uint16_t port, const std::string& from = "127.0.0.1");

    void send(std::string_view bytes);
    // Says that nothing more will be sent (a half close); reading goes on.
    void finishSending();
    // Some bytes, or nothing when the server closed the connection (or the safety limit hit).
    std::optional<std::string> readSome();
    // Reads until the server closes the connection; false if it did not within the limit.
    bool waitForClose();
    // True when bytes (or the end of the stream) are waiting to be read right now.
    bool readable();
    // True when bytes (or the end of the stream) arrive within `wait`.
    bool readableWithin(std::chrono::milliseconds wait);
    void close();

private:
    asio::io_context m_io;
    asio::ip::tcp::socket m_socket;
};

template <class Message> class Client {
public:
    explicit Client(std::uint16_t port, const std::string& from = "127.0.0.1")
        : m_raw(port, from) {}

    void send(std::string_view bytes) { m_raw.send(bytes); }
    void finishSending() { m_raw.finishSending(); }
    void close() { m_raw.close(); }
    bool waitForClose() { return m_raw.waitForClose(); }
    bool readable() { return m_decoder.buffered() > 0 || m_raw.readable(); }

    // The next whole message with its exact bytes, or nothing if the connection ended first.
    std::optional<protocol::Decoded<Message>> next() {
        while (true) {
            if (auto decoded = m_decoder.next())
                return decoded;
            if (m_decoder.failed())
                return std::nullopt;
            std::optional<std::string> bytes = m_raw.readSome();
            if (!bytes)
                return std::nullopt;
            m_decoder.feed(*bytes);
        }
    }

    // The next whole message if one comes within `wait` of the last bytes; nothing otherwise.
    std::optional<protocol::Decoded<Message>> nextWithin(std::chrono::milliseconds wait) {
        while (true) {
            if (auto decoded = m_decoder.next())
                return decoded;
            if (m_decoder.failed() || !m_raw.readableWithin(wait))
                return std::nullopt;
            std::optional<std::string> bytes = m_raw.readSome();
            if (!bytes)
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
    RawClient m_raw;
    protocol::Decoder<Message> m_decoder;
};

// The lobby client's and host's connection, and a seated player's.
using HostClient = Client<protocol::HostDownMessage>;
using PlayerClient = Client<protocol::PlayerDownMessage>;

} // namespace corvane::testing
