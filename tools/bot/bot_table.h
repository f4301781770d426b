// The bot's ways to a seat: hosting a table (the host's engine on the host channel, and its own
// seat on a player channel) and joining a listed table through the table list.
#pragma once

#include "online/host.h"
#include "protocol/decoder.h"
#include "tools/bot/bot_player.h"

#include <memory>

namespace corvane::bot {

struct Endpoints {
    asio::ip::tcp::endpoint list;
    asio::ip::tcp::endpoint host;
    asio::ip::tcp::endpoint player;
    std::string key;
    // This side's source address; unspecified lets the system choose.
    asio::ip::address local;
};

class TableObserverLines;

class BotHost {
public:
    BotHost(asio::io_context& io, Scheduler& scheduler, const BotSettings& settings,
            const Endpoints& endpoints, std::string tableName, std::string userName,
            std::uint64_t seed);
    ~BotHost();

    // Creates the table; `ready` runs once the host sits in its own seat (false on failure).
    void start(std::function<void(bool)> ready);
    // Persons seated, the host included.
    int seatedPersons() const;
    // The host's own seat may ask for the first deal.
    void startGame() { m_own.allowDeal(); }
    void setFinishedHandler(std::function<void()> handler) { m_onFinished = std::move(handler); }
    void setSeatedHandler(std::function<void()> handler) {
        m_host.setSeatedHandler(std::move(handler));
    }

    bool finished() const { return m_finished; }
    int gamesFinished() const { return m_games; }
    BotPlayer& ownSeat() { return m_own; }
    online::Host& host() { return m_host; }
    AsioChannel& channel() { return m_channel; }
    void finish();

private:
    friend class TableObserverLines;
    asio::io_context& m_io;
    BotSettings m_settings;
    Endpoints m_endpoints;
    std::string m_tableName;
    std::string m_userName;
    Random m_random;
    Engine m_engine;
    AsioChannel m_channel;
    online::Host m_host;
    BotPlayer m_own;
    std::unique_ptr<TableObserverLines> m_lines;
    std::function<void(bool)> m_ready;
    std::function<void()> m_onFinished;
    int m_games = 0;
    bool m_finished = false;
};

// Joins the listed table of that name at that seat: "Q" on the list port, then "L". The lobby
// refuses a join by closing the player channel before "Y" (a row it cannot be sure of, when
// others at this address read lists of their own): a fresh list and a new "L" follow, within
// the same bounded number of looks at the list.
class BotJoin {
public:
    BotJoin(asio::io_context& io, Scheduler& scheduler, const BotSettings& settings,
            const Endpoints& endpoints, std::string tableName, int seat, std::string userName,
            std::uint64_t seed);
    ~BotJoin();
    // `done` gets false when the table is not listed, the seat is taken, or the join fails.
    void start(std::function<void(bool)> done);
    BotPlayer& player() { return m_player; }

private:
    class ListReader;
    class JoinWatch;
    void openList();
    void askList();
    void join(int row);
    void refused();

    asio::io_context& m_io;
    Endpoints m_endpoints;
    std::string m_tableName;
    int m_seatWanted;
    std::string m_userName;
    BotPlayer m_player;
    std::unique_ptr<AsioChannel> m_list;
    std::unique_ptr<ListReader> m_reader;
    asio::steady_timer m_retry;
    std::unique_ptr<JoinWatch> m_watch;
    int m_tries = 0;
    std::function<void(bool)> m_done;
};

} // namespace corvane::bot
