#include "players/master_play.h"

#include "players/seat_knowledge.h"
#include "table/table.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

// The seats to play out on the sharper player: the Master itself, and every other seat but one
// that plays as the fixed rules do. Whole hands of this game say that exactly (every card is
// seen at a hand's end); before the first, the seat's plays in this hand against the likely
// deals, where most of the weight lies on deals in which it never left the rules; a seat that
// has shown nothing is taken for a sharp one. Modelling a seat that plays by the rules as a sharp
// one mispredicts it, and the other way round.
unsigned sharpSeats(const HandRecord& record, const HandHistory& history, int seat,
                    const std::array<double, 4>& onRule, double total) {
    std::array<int, 4> played{};
    for (int i = 0; i < history.count; ++i)
        ++played[history.seats[static_cast<size_t>(i)]];
    unsigned sharp = 1u << seat;
    for (int who = 0; who < 4; ++who) {
        const auto w = static_cast<size_t>(who);
        bool offRule = true;
        if (record.habits.handsPlayed[w] > 0)
            offRule = record.habits.handsOffRule[w] > 0;
        else if (played[w] > 0)
            offRule = 2 * onRule[w] < total;
        if (who != seat && offRule)
            sharp |= 1u << who;
    }
    return sharp;
}

} // namespace

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
    std::array<double, 4> onRule{}; // the weight of the deals in which each seat kept the rules
    double total = 0;
    for (size_t i = 0; i < candidates.size(); ++i) {
        candidates[i] = sampleDeal(knowledge, random);
        StrayCounts strays{};
        weights[i] = dealLikelihood(history, candidates[i], model, &strays);
        total += weights[i];
        for (size_t w = 0; w < 4; ++w)
            onRule[w] += strays[w] == 0 ? weights[i] : 0.0;
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
    return weighCards(t, knowledge.known, seat, deals,
                      sharpSeats(record, history, seat, onRule, total));
}

} // namespace corvane
