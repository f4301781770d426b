#include "tools/arena/arena.h"

#include "tools/sim/simulation.h"

#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>
#include <vector>

namespace corvane {

namespace {

// Keeps the figures of one game, sides named by level: side 0 sits at `side0Seats` (0 for seats
// 0 and 2, 1 for seats 1 and 3).
class ArenaWatcher final : public TableObserver {
public:
    ArenaWatcher(ArenaFigures& figures, int side0Seats) : m_f(figures), m_side0(side0Seats) {}

    void onHand(const HandResult& r) override {
        ++m_f.hands;
        const auto level = static_cast<size_t>(r.bid >= 20 && r.bid <= 30 ? (r.bid - 15) / 5 : 0);
        auto& bidders = m_f.sides[side(r.bidder % 2)];
        (r.made ? bidders.made : bidders.set)[level]++;
        for (int p = 0; p < 2; ++p)
            m_f.sides[side(p)].points +=
                r.scores[static_cast<size_t>(p)] - m_scores[static_cast<size_t>(p)];
        m_scores = r.scores;
    }
    void onGameEnd(int winner, std::array<int, 2>) override {
        ++m_f.games;
        ++m_f.sides[side(winner & 1)].wins;
        m_scores = {};
    }

private:
    size_t side(int partnership) const { return partnership == m_side0 ? 0 : 1; }
    ArenaFigures& m_f;
    int m_side0;
    std::array<int, 2> m_scores{};
};

std::uint64_t pairSeed(std::uint64_t seed, long index) {
    return seed * 1000003ULL + static_cast<std::uint64_t>(index);
}

} // namespace

void ArenaFigures::add(const ArenaFigures& o) {
    games += o.games;
    hands += o.hands;
    for (size_t s = 0; s < 2; ++s) {
        sides[s].wins += o.sides[s].wins;
        sides[s].points += o.sides[s].points;
        for (size_t l = 0; l < 4; ++l) {
            sides[s].made[l] += o.sides[s].made[l];
            sides[s].set[l] += o.sides[s].set[l];
        }
    }
    for (size_t k = 0; k < 3; ++k)
        pairWins[k] += o.pairWins[k];
}

double ArenaFigures::winRate() const {
    return games == 0 ? 0.0 : static_cast<double>(sides[0].wins) / static_cast<double>(games);
}

std::array<double, 2> ArenaFigures::interval() const {
    const double pairs = static_cast<double>(pairWins[0] + pairWins[1] + pairWins[2]);
    if (pairs < 2)
        return {0.0, 1.0};
    // Each pair scores 0, 0.5 or 1 (its share of the two games won by side 0).
    const double mean =
        (0.5 * static_cast<double>(pairWins[1]) + static_cast<double>(pairWins[2])) / pairs;
    const double squares =
        (0.25 * static_cast<double>(pairWins[1]) + static_cast<double>(pairWins[2])) / pairs;
    const double variance = (squares - mean * mean) * pairs / (pairs - 1);
    const double half = 1.96 * std::sqrt(std::max(variance, 0.0) / pairs);
    return {std::max(0.0, mean - half), std::min(1.0, mean + half)};
}

ArenaFigures playPair(const ArenaOptions& options, long index) {
    ArenaFigures figures;
    int side0Won = 0;
    for (int side0Seats = 0; side0Seats < 2; ++side0Seats) {
        Simulation sim(SimOptions{pairSeed(options.seed, index), options.mustFollowSuit,
                                  options.anyBidAllowed});
        ComputerPlayers& players = sim.engine().computerPlayers();
        players.effort() = options.effort;
        for (int seat = 0; seat < 4; ++seat) {
            const size_t side = (seat & 1) == side0Seats ? 0 : 1;
            ExpertEffort effort = options.effort;
            effort.sampledDiscard = options.sampledDiscard[side];
            players.setSeatLevel(seat, options.levels[side]);
            players.setSeatEffort(seat, effort);
        }
        ArenaWatcher watcher(figures, side0Seats);
        sim.engine().addObserver(&watcher);
        const long before = figures.sides[0].wins;
        sim.play(1);
        side0Won += static_cast<int>(figures.sides[0].wins - before);
    }
    ++figures.pairWins[static_cast<size_t>(side0Won)];
    return figures;
}

ArenaFigures playArena(const ArenaOptions& options) {
    const long pairs = (options.games + 1) / 2;
    std::vector<ArenaFigures> results(static_cast<size_t>(pairs));
    std::atomic<long> next{0};
    const auto work = [&] {
        for (long i = next++; i < pairs; i = next++)
            results[static_cast<size_t>(i)] = playPair(options, i);
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < std::max(1, options.threads); ++t)
        threads.emplace_back(work);
    work();
    for (auto& t : threads)
        t.join();
    ArenaFigures total;
    for (const auto& r : results)
        total.add(r);
    return total;
}

} // namespace corvane
