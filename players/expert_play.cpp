#include "players/expert_play.h"

#include "players/hand_worth.h"
#include "players/playout_sharp.h"
#include "players/seat_knowledge.h"
#include "table/table.h"

#include <algorithm>
#include <array>
#include <vector>

namespace corvane {

std::uint64_t decisionSeed(const Table& t, int seat, std::uint64_t seed) {
    // FNV-1a over the deal and the point of the hand.
    std::uint64_t h = 1469598103934665603ULL ^ seed;
    const auto mix = [&](int value) {
        h ^= static_cast<std::uint64_t>(value) & 0xFFu;
        h *= 1099511628211ULL;
    };
    for (int i = 0; i < 23; ++i)
        mix(t.deck[static_cast<size_t>(i)]);
    for (int value : {seat, t.dealerSeat, t.highBid, t.bidsMade, t.tricksPlayed, t.trickCardCount,
                      t.score[0] & 0xFF, t.score[1] & 0xFF})
        mix(value);
    return h;
}

namespace {

// The only slot in `legal`, -1 when there are more, -2 when there is none.
int onlySlot(unsigned legal) {
    int only = -2;
    for (int slot = 0; slot < 5; ++slot)
        if ((legal >> slot) & 1u)
            only = only == -2 ? slot : -1;
    return only;
}

} // namespace

std::optional<ExpertCard> forcedCard(const Table& t, const playout::HandState& known, int seat) {
    const int only = onlySlot(playout::legalSlots(known, seat));
    if (only == -1)
        return std::nullopt;
    ExpertCard result;
    if (only >= 0)
        result.picture = t.localPicture(5 * seat + only);
    return result;
}

ExpertCard weighCards(const Table& t, const playout::HandState& me, int seat,
                      std::span<const playout::HandState> deals, unsigned sharpSeats) {
    const unsigned legal = playout::legalSlots(me, seat);
    const int partnership = seat & 1;
    ScoreSituation situation;
    situation.bidder = t.bidderSeat;
    situation.bid = t.highBid;
    for (int p = 0; p < 2; ++p)
        situation.score[static_cast<size_t>(p)] =
            t.score[static_cast<size_t>((p + t.localSeat) & 1)];

    std::array<long, 5> worth{};
    std::array<int, 5> takes{}, partnerTakes{};
    for (const playout::HandState& deal : deals) {
        for (int slot = 0; slot < 5; ++slot) {
            if (!((legal >> slot) & 1u))
                continue;
            playout::HandState s = deal;
            playout::playSlot(s, slot);
            while (s.trickCount != 0)
                playout::playSlot(s, playout::mixedSlot(s, sharpSeats));
            const auto k = static_cast<size_t>(slot);
            takes[k] += s.turn == seat;
            partnerTakes[k] += s.turn == (seat ^ 2);
            playout::playOutMixed(s, sharpSeats);
            const int counted = playout::partnershipUnits(s, t.bidderSeat & 1) * 5;
            worth[k] += handWorth(situation, counted, partnership);
        }
    }

    // The best average; among equals the cheaper card, which keeps the better one for later.
    const int ledSuit = playout::ledSuit(me);
    const auto cost = [&](int slot) {
        const int card = me.cards[static_cast<size_t>(seat)][static_cast<size_t>(slot)];
        return CardValue(Card::fromNumber(card), me.trump, ledSuit);
    };
    int best = -1;
    for (int slot = 0; slot < 5; ++slot) {
        if (!((legal >> slot) & 1u))
            continue;
        const auto k = static_cast<size_t>(slot);
        if (best == -1 || worth[k] > worth[static_cast<size_t>(best)] ||
            (worth[k] == worth[static_cast<size_t>(best)] && cost(slot) < cost(best)))
            best = slot;
    }
    ExpertCard result;
    result.picture = t.localPicture(5 * seat + best);
    result.samples = static_cast<int>(deals.size());
    result.takes = takes[static_cast<size_t>(best)];
    result.partnerTakes = partnerTakes[static_cast<size_t>(best)];
    return result;
}

ExpertCard expertCard(const Table& t, const HandRecord& record, int seat,
                      const ExpertEffort& effort) {
    const SeatKnowledge knowledge = knowledgeOf(t, record, seat);
    if (auto forced = forcedCard(t, knowledge.known, seat))
        return *forced;
    Random random(decisionSeed(t, seat, effort.seed));
    std::vector<playout::HandState> deals(static_cast<size_t>(std::max(1, effort.samples)));
    for (auto& deal : deals)
        deal = sampleDeal(knowledge, random);
    return weighCards(t, knowledge.known, seat, deals);
}

} // namespace corvane
