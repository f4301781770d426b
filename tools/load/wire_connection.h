// A load-tool connection to the lobby server: coroutine reads of whole messages through the
// protocol's decoder, and writes.
#pragma once

#include "protocol/decoder.h"

#include <asio.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::load {

template <class Message> class WireConnection {
public:
    explicit WireConnection(asio::any_io_executor executor) : m_socket(executor) {}

    // Connects from `source` (any port), so that each table can come from an address of its own.
    asio::awaitable<void> connect(const asio::ip::tcp::endpoint& endpoint,
                                  const asio::ip::address& source) {
        m_socket.open(endpoint.protocol());
        m_socket.bind({source, 0});
        co_await m_socket.async_connect(endpoint, asio::use_awaitable);
        m_socket.set_option(asio::ip::tcp::no_delay(true));
        m_socket.non_blocking(true);
    }

    // Writes at once what the socket takes, and queues the rest behind one flushing
    // coroutine; the relay loop never waits on a write, so its clock stays honest.
    void post(std::string_view bytes) {
        if (m_outbox.empty() && !m_flushing) {
            asio::error_code ec;
            const std::size_t written = m_socket.write_some(asio::buffer(bytes), ec);
            if (ec && ec != asio::error::would_block && ec != asio::error::try_again) {
                m_closed = true;
                return;
            }
            bytes.remove_prefix(ec ? 0 : written);
            if (bytes.empty()) {
                return;
            }
        }
        m_outbox.append(bytes);
        if (!m_flushing) {
            m_flushing = true;
            asio::co_spawn(m_socket.get_executor(), flush(), asio::detached);
        }
    }

    asio::awaitable<void> send(std::string_view bytes) {
        co_await asio::async_write(m_socket, asio::buffer(bytes), asio::use_awaitable);
    }

    // The next whole message; nothing when the connection ended or the input was garbled.
    asio::awaitable<std::optional<protocol::Decoded<Message>>> next() {
        while (true) {
            if (auto decoded = m_decoder.next()) {
                co_return decoded;
            }
            if (m_decoder.failed()) {
                co_return std::nullopt;
            }
            asio::error_code ec;
            const std::size_t n = co_await m_socket.async_read_some(
                asio::buffer(m_buffer), asio::redirect_error(asio::use_awaitable, ec));
            if (ec) {
                co_return std::nullopt;
            }
            m_decoder.feed(std::string_view(m_buffer.data(), n));
        }
    }

    bool isOpen() const { return m_socket.is_open() && !m_closed; }
    void markClosed() { m_closed = true; }
    void close() {
        asio::error_code ignored;
        m_socket.close(ignored);
    }

private:
    asio::awaitable<void> flush() {
        while (!m_outbox.empty()) {
            std::string sending;
            sending.swap(m_outbox);
            asio::error_code ec;
            co_await asio::async_write(m_socket, asio::buffer(sending),
                                       asio::redirect_error(asio::use_awaitable, ec));
            if (ec) {
                m_closed = true;
                break;
            }
        }
        m_flushing = false;
    }

    asio::ip::tcp::socket m_socket;
    std::string m_outbox;
    bool m_flushing = false;
    protocol::Decoder<Message> m_decoder;
    std::array<char, 2048> m_buffer{};
    bool m_closed = false;
};

} // namespace corvane::load
