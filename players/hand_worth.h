// What a finished hand is worth to a partnership: the points it scores less the points the other
// side scores, with the bid made or set and the end of the game at 120 counted in.
#pragma once

#include <array>

namespace corvane {

struct ScoreSituation {
    int bidder = 0;
    int bid = 20;
    std::array<int, 2> score{}; // by partnership (seat % 2), before the hand
};

// What winning the game with this hand is worth over its points. Not much more than a hand's
// points: a side that wins now was likely to win soon anyway, and a larger worth makes a bid of
// 30 that wins the game in one deal of three look better than a safe 20, which loses more games
// than it wins (measured in duplicate games against the Standard level).
inline constexpr int GameWorth = 30;

// The worth to `partnership` of the bidders counting `counted` points (0-30).
constexpr int handWorth(const ScoreSituation& s, int counted, int partnership) {
    const int bidders = s.bidder & 1;
    const int others = 1 - bidders;
    std::array<int, 2> after = s.score;
    bool gameOver = false;
    if (counted >= s.bid) {
        after[bidders] += s.bid < 30 ? counted : 60;
        gameOver = after[bidders] > 115;
        if (gameOver)
            after[bidders] = 120;
    } else {
        after[bidders] -= s.bid;
    }
    if (!gameOver)
        after[others] = after[others] + 30 - counted > 115 ? 115 : after[others] + 30 - counted;
    const int us = partnership & 1;
    const int gain = (after[us] - s.score[us]) - (after[1 - us] - s.score[1 - us]);
    if (!gameOver)
        return gain;
    return gain + (us == bidders ? GameWorth : -GameWorth);
}

} // namespace corvane
