// The bot's sockets and clock: a channel over an Asio TCP socket and a scheduler on Asio timers,
// both on the one thread that runs every table of the process.
#pragma once

#include "flow/scheduler.h"
#include "online/channel.h"

#include <asio.hpp>
#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane::bot {

using Clock = std::chrono::steady_clock;

// Times from a move sent on a player channel to the next message that arrives on it.
struct AnswerTimes {
    std::vector<double> ms;
};

class AsioChannel final : public online::Channel {
public:
    explicit AsioChannel(asio::io_context& io) : m_socket(io) {}
    ~AsioChannel() override { close(); }

    // Connects and starts reading; `done` gets false when the connection could not be made. A
    // `local` address that is not unspecified is bound as this side's source address first.
    void connect(const asio::ip::tcp::endpoint& endpoint, const asio::ip::address& local,
                 std::function<void(bool)> done);
    void send(std::string_view bytes) override;
    void close() override;
    bool isOpen() const override { return m_open; }

    void measureAnswers(AnswerTimes* times) { m_times = times; }
    long long bytesIn() const { return m_bytesIn; }

private:
    void readMore();
    void flush();

    asio::ip::tcp::socket m_socket;
    std::array<char, 4096> m_buffer{};
    std::string m_outbox;
    bool m_writing = false;
    bool m_flushPosted = false;
    bool m_open = false;
    AnswerTimes* m_times = nullptr;
    bool m_moveWaiting = false;
    Clock::time_point m_moveSent;
    long long m_bytesIn = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// Pauses on Asio timers; at fast pace every pause ends at the next turn of the loop.
class AsioScheduler final : public Scheduler {
public:
    AsioScheduler(asio::io_context& io, bool fast) : m_io(io), m_fast(fast) {}
    void after(int ms, std::coroutine_handle<> waiter, const void* owner) override;
    void cancel(const void* owner) override;

private:
    struct Entry {
        const void* owner;
        std::shared_ptr<asio::steady_timer> timer;
        std::shared_ptr<bool> live;
    };
    // A table's pauses at fast pace: posted to the loop, dropped when the table's generation
    // has moved on (its flows were abandoned).
    std::shared_ptr<std::uint64_t> generationOf(const void* owner);

    asio::io_context& m_io;
    bool m_fast;
    std::vector<Entry> m_entries;
    std::unordered_map<const void*, std::shared_ptr<std::uint64_t>> m_generations;
};

} // namespace corvane::bot
