// Setting up a load table through the lobby protocol and relaying through it.
#include "tools/load/load_table.h"

#include "protocol/encode.h"

namespace corvane::load {

using namespace corvane::protocol;

namespace {

template <class T, class Decoded> bool is(const Decoded& decoded) {
    return decoded && std::holds_alternative<T>(decoded->message);
}

} // namespace

LoadTable::LoadTable(asio::any_io_executor executor, int index, asio::ip::address source,
                     RelayStats& stats)
    : m_executor(executor), m_index(index), m_source(source), m_stats(stats), m_host(executor),
      m_list(executor) {
    for (auto& seat : m_seats) {
        seat = std::make_unique<PlayerConnection>(executor);
    }
}

asio::awaitable<std::string> LoadTable::setUp(const LoadEndpoints& endpoints) {
    // Every awaited value is held in a named local: GCC 12 mishandles temporaries that live
    // across a suspension inside a larger expression.
    const std::string tableName = "load-" + std::to_string(m_index);
    const std::string hostName = "h" + std::to_string(m_index);
    co_await m_host.connect(endpoints.host, m_source);
    const std::string create = encode(CreateTable{"", tableName, "127.0.0.1", hostName});
    co_await m_host.send(create);
    auto created = co_await m_host.next();
    if (!is<TableCreated>(created)) {
        co_return "no \"H\" for the new table";
    }
    co_await m_seats[0]->connect(endpoints.player, m_source);
    const std::string open = "Z" + encode(TakeSeat{0, hostName});
    co_await m_seats[0]->send(open);
    auto hostSeat = co_await m_host.next();
    if (!is<TakeSeatWithId>(hostSeat)) {
        co_return "the host's own seat did not open";
    }

    // The list as this home sees it; tables fill one at a time, so this one is waiting.
    co_await m_list.connect(endpoints.list, m_source);
    const std::string request = "Q";
    co_await m_list.send(request);
    int row = -1;
    for (int i = 0; i < 21 && row < 0; ++i) {
        auto entry = co_await m_list.next();
        if (!is<TableEntry>(entry)) {
            co_return "the list ended before the table";
        }
        if (std::get<TableEntry>(entry->message).name == tableName) {
            row = i;
        }
    }
    m_list.close();
    if (row < 0) {
        co_return "the table is not in the list";
    }

    for (int seat = 1; seat < 4; ++seat) {
        PlayerConnection& player = *m_seats[static_cast<std::size_t>(seat)];
        const std::string name = "p" + std::to_string(m_index) + "-" + std::to_string(seat);
        co_await player.connect(endpoints.player, m_source);
        const std::string join = encode(JoinTable{"", row, seat, name});
        co_await player.send(join);
        auto asked = co_await m_host.next();
        auto accepted = co_await player.next();
        if (!is<SeatListRequest>(asked) || !is<JoinAccepted>(accepted)) {
            co_return "the join at seat " + std::to_string(seat) + " was not accepted";
        }
        std::string answers;
        for (int s = 0; s < 4; ++s) {
            answers += encode(SeatName{s, s < seat ? "x" : "`Computer"});
        }
        co_await m_host.send(answers);
        for (int s = 0; s < 4; ++s) {
            auto answer = co_await player.next();
            if (!is<SeatName>(answer)) {
                co_return "no seat list for seat " + std::to_string(seat);
            }
        }
        const std::string take = encode(TakeSeat{seat, name});
        co_await player.send(take);
        auto taken = co_await m_host.next();
        if (!is<TakeSeatWithId>(taken)) {
            co_return "seat " + std::to_string(seat) + " was not taken";
        }
    }
    co_return std::string();
}

void LoadTable::startReaders() {
    asio::co_spawn(m_executor, readHost(), asio::detached);
    for (int seat = 0; seat < 4; ++seat) {
        asio::co_spawn(m_executor, readSeat(seat), asio::detached);
    }
}

asio::awaitable<void> LoadTable::readHost() {
    while (true) {
        auto decoded = co_await m_host.next();
        if (!decoded) {
            break;
        }
        const int seat = std::visit(
            [](const auto& m) -> int {
                if constexpr (requires { m.seat; }) {
                    return m.seat;
                } else {
                    return -1;
                }
            },
            decoded->message);
        auto& pending = m_fromSeat[static_cast<std::size_t>(std::max(seat, 0))];
        if (seat >= 0 && !pending.empty()) {
            m_stats.record(pending.front(), Clock::now());
            pending.pop_front();
        }
    }
    m_host.markClosed();
}

asio::awaitable<void> LoadTable::readSeat(int seat) {
    auto& pending = m_toSeat[static_cast<std::size_t>(seat)];
    PlayerConnection& connection = *m_seats[static_cast<std::size_t>(seat)];
    while (true) {
        auto decoded = co_await connection.next();
        if (!decoded) {
            break;
        }
        if (!pending.empty()) {
            m_stats.record(pending.front(), Clock::now());
            pending.pop_front();
        }
    }
    connection.markClosed();
}

asio::awaitable<void> LoadTable::relay(Clock::duration interval, Clock::duration phase,
                                       Clock::time_point stopAt) {
    asio::steady_timer timer(m_executor);
    Clock::time_point next = Clock::now() + phase;
    asio::error_code ec;
    for (int tick = 0;; ++tick) {
        timer.expires_at(next);
        co_await timer.async_wait(asio::redirect_error(asio::use_awaitable, ec));
        if (Clock::now() >= stopAt || !m_host.isOpen()) {
            break;
        }
        m_stats.recordLag(Clock::now() - next);
        next += interval;
        // The host's step to every seat in one send, as its broadcast does.
        const std::string step = tick % 2 == 0 ? encode(BidMade{tick % 4, Bid::passed()})
                                               : encode(CardPlayed{tick % 20});
        std::string broadcast;
        const Clock::time_point now = Clock::now();
        for (int seat = 0; seat < 4; ++seat) {
            broadcast += addressedTo(seat, step);
            m_toSeat[static_cast<std::size_t>(seat)].push_back(now);
        }
        m_host.post(broadcast);
        for (int seat = 0; seat < 4; ++seat) {
            PlayerConnection& player = *m_seats[static_cast<std::size_t>(seat)];
            const std::string move = tick % 2 == 0 ? encode(PlayerBid{seat, Bid::passed()})
                                                   : encode(Discards{seat, {5 * seat + tick % 5}});
            m_fromSeat[static_cast<std::size_t>(seat)].push_back(Clock::now());
            player.post(move);
        }
    }
}

int LoadTable::openConnections() const {
    int open = m_host.isOpen() ? 1 : 0;
    for (const auto& seat : m_seats) {
        open += seat->isOpen() ? 1 : 0;
    }
    return open;
}

void LoadTable::closeAll() {
    m_list.close();
    m_host.close();
    for (auto& seat : m_seats) {
        seat->close();
    }
}

} // namespace corvane::load
