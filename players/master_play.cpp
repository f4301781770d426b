#include "players/master_play.h"

#include "players/seat_knowledge.h"
#include "table/table.h"

#include <algorithm>
#include <vector>

namespace corvane {

ExpertCard masterCard(const Table& t, const HandRecord& record, int seat,
                      const ExpertEffort& effort) {
    const PlayModel model;
    const SeatKnowledge knowledge = knowledgeOf(t, record, seat);
    if (auto forced = forcedCard(t, knowledge.known, seat))
        return *forced;
    const HandHistory history = handHistory(t, record, seat);
    Random random(decisionSeed(t, seat, effort.seed) ^ 0x3A57E2ULL);
    const int samples = std::max(1, effort.samples);
    std::vector<playout::HandState> candidates(static_cast<size_t>(MasterCandidates * samples));
    std::vector<double> weights(candidates.size());
    double total = 0;
    for (size_t i = 0; i < candidates.size(); ++i) {
        candidates[i] = sampleDeal(knowledge, random);
        weights[i] = dealLikelihood(history, candidates[i], model);
        total += weights[i];
    }
    // Drawn again by weight at even steps from one random start: a likely deal is played out as
    // often as its weight says, an unlikely one seldom or never.
    std::vector<playout::HandState> deals(static_cast<size_t>(MasterPlayouts * samples));
    const double step = total / static_cast<double>(deals.size());
    double next = random.next() * step;
    double reached = weights[0];
    size_t at = 0;
    for (auto& deal : deals) {
        while (reached <= next && at + 1 < candidates.size())
            reached += weights[++at];
        deal = candidates[at];
        next += step;
    }
    return weighCards(t, knowledge.known, seat, deals);
}

} // namespace corvane
