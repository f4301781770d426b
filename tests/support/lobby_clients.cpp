// The blocking test clients.
#include "tests/support/lobby_clients.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

namespace corvane::testing {

RawClient::RawClient(std::uint16_t port, const std::string& from) : m_socket(m_io) {
    m_socket.open(asio::ip::tcp::v4());
    m_socket.bind({asio::ip::make_address(from), 0});
    m_socket.connect({asio::ip::make_address("127.0.0.1"), port});
    m_socket.set_option(asio::ip::tcp::no_delay(true));
    timeval limit{10, 0};
    setsockopt(m_socket.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

void RawClient::send(std::string_view bytes) {
    asio::write(m_socket, asio::buffer(bytes));
}

void RawClient::finishSending() {
    asio::error_code ignored;
    m_socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
}

// Plain recv: it honours the socket's receive limit, where a blocking Asio read would wait on.
std::optional<std::string> RawClient::readSome() {
    char buffer[4096];
    const ssize_t n = ::recv(m_socket.native_handle(), buffer, sizeof buffer, 0);
    if (n <= 0)
        return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(n));
}

bool RawClient::waitForClose() {
    char buffer[4096];
    while (true) {
        const ssize_t n = ::recv(m_socket.native_handle(), buffer, sizeof buffer, 0);
        if (n == 0 || (n < 0 && errno == ECONNRESET))
            return true;
        if (n < 0)
            return false;
    }
}

bool RawClient::readable() {
    pollfd entry{m_socket.native_handle(), POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0;
}

bool RawClient::readableWithin(std::chrono::milliseconds wait) {
    pollfd entry{m_socket.native_handle(), POLLIN, 0};
    return ::poll(&entry, 1, static_cast<int>(wait.count())) > 0;
}

void RawClient::close() {
    asio::error_code ignored;
    m_socket.close(ignored);
}

} // namespace corvane::testing
