// A bid of 30 made is worth 60; the opponents' count is capped at 115, so only a bidding side
// can win the game.
#include "flow/hand_score.h"

#include <algorithm>

namespace corvane {

HandScore scoreHand(int bid, int bidderSide, int bidderUnits, int opponentUnits,
                    std::array<int, 2> scores) {
    const auto bidders = static_cast<size_t>(bidderSide & 1);
    const auto opponents = 1 - bidders;
    HandScore s;
    s.counted = bidderUnits * 5;
    s.made = s.counted >= bid;
    s.scores = scores;
    const auto opponentsCount = [&] {
        s.scores[opponents] = std::min(s.scores[opponents] + opponentUnits * 5, 115);
    };
    if (s.made) {
        s.points = bid < 30 ? s.counted : 60;
        s.scores[bidders] += s.points;
        if (s.scores[bidders] > 115) {
            s.scores[bidders] = 120;
            s.gameWon = true;
        } else {
            opponentsCount();
        }
    } else {
        s.points = bid;
        s.scores[bidders] -= bid;
        opponentsCount();
    }
    return s;
}

} // namespace corvane
