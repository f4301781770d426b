// Two levels of computer player against each other in duplicate: every deal is played twice,
// once with each level in seats 0 and 2, from the same seed, so that the cards favour neither.
#pragma once

#include "players/computer_players.h"

#include <array>
#include <cstdint>

namespace corvane {

struct ArenaOptions {
    long games = 2000; // rounded up to an even number: two games a deal sequence
    std::uint64_t seed = 1;
    int threads = 1;
    ExpertEffort effort;
    std::array<ComputerLevel, 2> levels{ComputerLevel::Expert, ComputerLevel::Standard};
    std::array<bool, 2> sampledDiscard{true, true}; // by side, for an Expert side
    bool mustFollowSuit = false;
    bool anyBidAllowed = false;
};

// What one side (one level) did.
struct SideFigures {
    long wins = 0;
    long points = 0;            // the sum of its score changes, hand by hand
    std::array<long, 4> made{}; // by level: index 1 = 20, 2 = 25, 3 = 30
    std::array<long, 4> set{};
};

struct ArenaFigures {
    long games = 0;
    long hands = 0; // hands played to the end (misdeals not counted)
    std::array<SideFigures, 2> sides{};
    std::array<long, 3> pairWins{}; // deal sequences in which side 0 won 0, 1 or 2 games

    void add(const ArenaFigures& other);
    double winRate() const;
    // The 95% interval of side 0's win rate, from the spread of the pairs' results.
    std::array<double, 2> interval() const;
};

// Plays pair `index` (two games from one seed).
ArenaFigures playPair(const ArenaOptions& options, long index);

// Every pair, on `options.threads` threads; the figures do not depend on the thread count.
ArenaFigures playArena(const ArenaOptions& options);

} // namespace corvane
