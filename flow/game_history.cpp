// The derived views of a recorded hand: trick points, the last trick, the drawn cards, and what
// the player at the bottom may see of a hand still in play.
#include "flow/game_history.h"

#include <algorithm>

namespace corvane {

std::array<int, 2> RecordedHand::trickPoints() const {
    std::array<int, 2> points{};
    for (const RecordedTrick& t : tricks)
        if (t.complete())
            points[static_cast<size_t>(partnershipOf(t.winner))] += 5 * t.units;
    return points;
}

const RecordedTrick* RecordedHand::lastCompleteTrick() const {
    for (auto it = tricks.rbegin(); it != tricks.rend(); ++it)
        if (it->complete())
            return &*it;
    return nullptr;
}

std::vector<Card> RecordedHand::drawn(int seat) const {
    const auto s = static_cast<size_t>(seat & 3);
    auto had = [&](Card c) {
        if (std::find(dealt[s].begin(), dealt[s].end(), c) != dealt[s].end())
            return true;
        return seat == bidder && std::find(kitty.begin(), kitty.end(), c) != kitty.end();
    };
    std::vector<Card> out;
    for (Card c : held[s])
        if (c.isValid() && !had(c))
            out.push_back(c);
    return out;
}

RecordedHand shownToPlayer(const RecordedHand& hand) {
    if (hand.over())
        return hand;
    RecordedHand shown = hand;
    for (size_t s = 1; s < 4; ++s) {
        shown.dealt[s] = {};
        shown.held[s] = {};
    }
    const bool kittyTaken = hand.bidder == 0 && hand.stage != HandStage::Bidding;
    if (!kittyTaken)
        shown.kitty = {};
    return shown;
}

} // namespace corvane
