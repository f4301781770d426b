// The Asio channel and scheduler of corvane-bot.
#include "tools/bot/asio_glue.h"

#include <algorithm>

namespace corvane::bot {

void AsioChannel::connect(const asio::ip::tcp::endpoint& endpoint, const asio::ip::address& local,
                          std::function<void(bool)> done) {
    if (!local.is_unspecified()) {
        asio::error_code ec;
        m_socket.open(endpoint.protocol(), ec);
        if (!ec)
            m_socket.bind({local, 0}, ec);
        if (ec) {
            m_socket.close(ec);
            asio::post(m_socket.get_executor(), [alive = m_alive, done] {
                if (*alive)
                    done(false);
            });
            return;
        }
    }
    m_socket.async_connect(endpoint, [this, alive = m_alive, done](const asio::error_code& ec) {
        if (!*alive)
            return;
        if (ec) {
            done(false);
            return;
        }
        asio::error_code ignored;
        m_socket.set_option(asio::ip::tcp::no_delay(true), ignored);
        m_open = true;
        readMore();
        done(true);
    });
}

void AsioChannel::readMore() {
    m_socket.async_read_some(
        asio::buffer(m_buffer), [this, alive = m_alive](const asio::error_code& ec, std::size_t n) {
            if (!*alive || !m_open)
                return;
            if (ec) {
                m_open = false;
                asio::error_code ignored;
                m_socket.close(ignored);
                deliverClosed();
                return;
            }
            m_bytesIn += static_cast<long long>(n);
            if (m_times && m_moveWaiting) {
                m_moveWaiting = false;
                m_times->ms.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - m_moveSent).count());
            }
            // The receiver may close this channel (the host gone): read on only while open.
            auto keep = alive;
            deliver(std::string_view(m_buffer.data(), n));
            if (*keep && m_open)
                readMore();
        });
}

void AsioChannel::send(std::string_view bytes) {
    if (!m_open)
        return;
    if (m_times && !m_moveWaiting) {
        m_moveWaiting = true;
        m_moveSent = Clock::now();
    }
    m_outbox.append(bytes);
    if (m_writing || m_flushPosted)
        return;
    // Whatever the table sends while this batch of arrivals and the steps it posts are handled
    // (a card played, then whose turn it is) goes out in one write: posted twice, the flush runs
    // after the steps posted alongside it.
    m_flushPosted = true;
    asio::post(m_socket.get_executor(), [this, alive = m_alive] {
        if (!*alive)
            return;
        asio::post(m_socket.get_executor(), [this, alive] {
            if (!*alive)
                return;
            m_flushPosted = false;
            if (!m_writing)
                flush();
        });
    });
}

void AsioChannel::flush() {
    if (m_outbox.empty() || !m_open) {
        m_writing = false;
        return;
    }
    m_writing = true;
    auto sending = std::make_shared<std::string>();
    sending->swap(m_outbox);
    asio::async_write(m_socket, asio::buffer(*sending),
                      [this, alive = m_alive, sending](const asio::error_code& ec, std::size_t) {
                          if (!*alive)
                              return;
                          if (ec) {
                              m_writing = false;
                              return; // the read side reports the end
                          }
                          flush();
                      });
}

void AsioChannel::close() {
    if (!m_open && !m_socket.is_open())
        return;
    m_open = false;
    asio::error_code ignored;
    m_socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    m_socket.close(ignored);
    *m_alive = false;
    m_alive = std::make_shared<bool>(true);
}

std::shared_ptr<std::uint64_t> AsioScheduler::generationOf(const void* owner) {
    auto& generation = m_generations[owner];
    if (!generation)
        generation = std::make_shared<std::uint64_t>(0);
    return generation;
}

void AsioScheduler::after(int ms, std::coroutine_handle<> waiter, const void* owner) {
    if (m_fast) {
        auto generation = generationOf(owner);
        asio::post(m_io, [waiter, generation, expected = *generation] {
            if (*generation == expected)
                waiter.resume();
        });
        return;
    }
    std::erase_if(m_entries, [](const Entry& e) { return !*e.live; });
    auto timer = std::make_shared<asio::steady_timer>(m_io);
    auto live = std::make_shared<bool>(true);
    timer->expires_after(std::chrono::milliseconds(m_fast ? 0 : std::max(ms, 0)));
    m_entries.push_back({owner, timer, live});
    timer->async_wait([waiter, live, timer](const asio::error_code& ec) {
        if (ec || !*live)
            return;
        *live = false;
        waiter.resume();
    });
}

void AsioScheduler::cancel(const void* owner) {
    ++*generationOf(owner);
    for (auto& e : m_entries) {
        if (e.owner == owner && *e.live) {
            *e.live = false;
            e.timer->cancel();
        }
    }
    std::erase_if(m_entries, [](const Entry& e) { return !*e.live; });
}

} // namespace corvane::bot
