// One seated bot: a table view, its seat over a player channel, and a player that acts on the
// view as a person would through the window (the hint's bid and trump, Auto-Discard then Deal,
// the hint's card), printing a line for each hand it sees.
#pragma once

#include "flow/engine.h"
#include "online/seat.h"
#include "tools/bot/asio_glue.h"

#include <functional>
#include <string>

namespace corvane::bot {

struct BotSettings {
    bool fast = false;
    bool quiet = false;
    int games = 1;
    std::string prefix; // put before each printed line
};

class BotPlayer {
public:
    BotPlayer(asio::io_context& io, Scheduler& scheduler, const BotSettings& settings,
              std::string name, std::uint64_t seed);

    Engine& engine() { return m_engine; }
    online::Seat& seat() { return m_seat; }
    AsioChannel& channel() { return m_channel; }

    // Let this bot press "&Deal" to ask for the first hand of a game.
    void allowDeal() {
        m_mayDeal = true;
        m_engine.SetupButtons(ButtonMode::Deal);
        schedule();
    }
    void setFinishedHandler(std::function<void()> handler) { m_onFinished = std::move(handler); }

    const std::string& name() const { return m_name; }
    bool finished() const { return m_finished; }
    bool hostGone() const { return m_hostGone; }
    int games() const { return m_games; }
    int hands() const { return m_hands; }
    void finish();

private:
    void onMessage(const protocol::PlayerDownMessage& message);
    void schedule();
    void act();
    void print(const std::string& line) const;

    asio::io_context& m_io;
    BotSettings m_settings;
    std::string m_name;
    Random m_random;
    Engine m_engine;
    AsioChannel m_channel;
    online::Seat m_seat;
    asio::steady_timer m_actTimer;
    bool m_actPending = false;
    bool m_mayDeal = false;
    bool m_finished = false;
    bool m_hostGone = false;
    int m_games = 0;
    int m_hands = 0;
    int m_deals = 0;
    // The hand as this seat saw it.
    std::string m_cards;
    int m_bidder = -1;
    int m_bid = 0;
    int m_trump = -1;
    std::function<void()> m_onFinished;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

public:
    ~BotPlayer() { *m_alive = false; }
};

} // namespace corvane::bot
