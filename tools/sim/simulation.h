// Whole standalone games, headless, on the real engine under a virtual clock: seat 0 is played
// by the automatic player, the other seats by the computer players.
#pragma once

#include "flow/engine.h"
#include "tools/sim/auto_player.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

namespace corvane {

struct SimOptions {
    std::uint64_t seed = 1;
    bool mustFollowSuit = false;
    bool anyBidAllowed = false;
};

// Counts what the games did.
struct SimFigures final : TableObserver {
    long games = 0;
    long hands = 0; // deals, misdealt ones included
    long misdeals = 0;
    std::array<long, 4> made{}; // by level: index 1 = 20, 2 = 25, 3 = 30
    std::array<long, 4> set{};
    std::array<long, 2> wins{};

    void onDeal(int, const std::array<int, 52>&) override { ++hands; }
    void onMisdeal(int) override { ++misdeals; }
    void onHand(const HandResult& r) override {
        const auto level = static_cast<size_t>(r.bid >= 20 && r.bid <= 30 ? (r.bid - 15) / 5 : 0);
        (r.made ? made : set)[level]++;
    }
    void onGameEnd(int winner, std::array<int, 2>) override {
        ++games;
        ++wins[static_cast<size_t>(winner & 1)];
    }
};

class SimulationStuck : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Simulation {
public:
    explicit Simulation(const SimOptions& options);

    Engine& engine() { return m_engine; }
    VirtualClock& clock() { return m_clock; }
    AutoPlayer& player() { return m_player; }
    const SimFigures& figures() const { return m_figures; }

    // Called with the game number (from 1) as each game starts.
    void onGameStart(std::function<void(int)> callback) { m_gameStart = std::move(callback); }

    // Plays `games` whole games. Throws SimulationStuck if the table ever waits for nothing.
    void play(long games);

private:
    VirtualClock m_clock;
    Random m_random;
    Engine m_engine;
    AutoPlayer m_player;
    SimFigures m_figures;
    std::function<void(int)> m_gameStart;
};

} // namespace corvane
