#include "players/expert_bid.h"

#include "cards/card_value.h"
#include "players/bid_evaluation.h"
#include "players/discard.h"
#include "players/hand_worth.h"
#include "players/playout.h"
#include "table/random.h"
#include "table/table.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace corvane {

namespace {

// One deal as the auction cannot see it: the other three hands, the kitty, then the stock.
struct UnseenDeal {
    std::array<std::uint8_t, 47> cards{};
};

using Hands = std::array<std::span<const std::uint8_t>, 4>;

// The hand at the first lead with `bidder` in `trump`: every seat keeps its trumps and the Ace of
// hearts, the bidder also those of the kitty down to its best five, and the rest is drawn from
// the stock.
playout::HandState handAfterDraw(const Hands& hands, const UnseenDeal& deal, int bidder,
                                 int trump) {
    playout::HandState s;
    s.trump = static_cast<std::uint8_t>(trump);
    s.bidder = static_cast<std::uint8_t>(bidder);
    s.turn = static_cast<std::uint8_t>((bidder + 1) & 3);
    int stock = 18;
    for (int who = 0; who < 4; ++who) {
        const auto w = static_cast<size_t>(who);
        std::array<std::uint8_t, 8> kept{};
        std::array<std::uint8_t, 5> hand{};
        std::copy_n(hands[w].begin(), 5, hand.begin());
        const int count =
            keepByRule(hand, who == bidder ? &deal.cards[15] : nullptr, 3, trump, kept);
        s.drawCount[w] = static_cast<std::uint8_t>(5 - count);
        for (int slot = 0; slot < 5; ++slot)
            s.cards[w][static_cast<size_t>(slot)] = slot < count
                                                        ? kept[static_cast<size_t>(slot)]
                                                        : deal.cards[static_cast<size_t>(stock++)];
        s.held[w] = 0x1F;
    }
    playout::prepare(s);
    return s;
}

} // namespace

ExpertBid expertBid(const Table& t, int seat, const ExpertEffort& effort) {
    return weighBids(t, seat, effort.bidSamples, decisionSeed(t, seat, effort.seed));
}

ExpertBid weighBids(const Table& t, int seat, int samples, std::uint64_t seed,
                    const AuctionHistory* auction, const PlayModel& model) {
    const std::array<bool, 4> allowed = allowedBids(t, seat);
    std::array<std::uint8_t, 5> own{};
    std::array<Card, 5> ownCards{};
    std::uint64_t seen = 0;
    for (int slot = 0; slot < 5; ++slot) {
        ownCards[static_cast<size_t>(slot)] = t.cardAt(t.localPicture(5 * seat + slot));
        own[static_cast<size_t>(slot)] =
            static_cast<std::uint8_t>(ownCards[static_cast<size_t>(slot)].number());
        seen |= std::uint64_t{1} << own[static_cast<size_t>(slot)];
    }
    if (!allowed[1] && !allowed[2] && !allowed[3])
        return {Bid::pass(), assessHand(ownCards).bestSuit, 0, 0};
    UnseenDeal deal;
    size_t n = 0;
    for (int card = 1; card <= 52 && n < deal.cards.size(); ++card)
        if (!((seen >> card) & 1u))
            deal.cards[n++] = static_cast<std::uint8_t>(card);

    ScoreSituation situation;
    situation.bidder = seat;
    for (int p = 0; p < 2; ++p)
        situation.score[static_cast<size_t>(p)] =
            t.score[static_cast<size_t>((p + t.localSeat) & 1)];

    // worth[suit][level index 1-3], summed over the deals by their weights; the same deals for
    // every choice.
    std::array<std::array<double, 4>, 4> worth{};
    std::array<std::array<double, 4>, 4> makes{};
    Hands hands{};
    for (int who = 0, other = 0; who < 4; ++who)
        hands[static_cast<size_t>(who)] =
            who == seat
                ? std::span<const std::uint8_t>(own)
                : std::span<const std::uint8_t>(&deal.cards[static_cast<size_t>(5 * other++)], 5);
    Random random(seed);
    samples = std::max(1, samples);
    double total = 0;
    for (int d = 0; d < samples; ++d) {
        for (int i = 46; i > 0; --i)
            std::swap(deal.cards[static_cast<size_t>(i)],
                      deal.cards[static_cast<size_t>(random.below(i + 1))]);
        const double weight = auction ? auctionLikelihood(*auction, hands, model) : 1.0;
        total += weight;
        for (int trump = 0; trump < 4; ++trump) {
            const playout::HandState start = handAfterDraw(hands, deal, seat, trump);
            for (int level = 1; level <= 3; ++level) {
                if (!allowed[static_cast<size_t>(level)])
                    continue;
                playout::HandState s = start;
                s.highBid = static_cast<std::uint8_t>(15 + 5 * level);
                playout::playOutStandard(s);
                const int counted = playout::partnershipUnits(s, seat & 1) * 5;
                situation.bid = s.highBid;
                worth[static_cast<size_t>(trump)][static_cast<size_t>(level)] +=
                    weight * handWorth(situation, counted, seat & 1);
                makes[static_cast<size_t>(trump)][static_cast<size_t>(level)] +=
                    counted >= s.highBid ? weight : 0.0;
            }
        }
    }

    // The best bid and suit; passing is worth nothing either way, so a bid must be worth more.
    ExpertBid result;
    result.samples = samples;
    bool found = false;
    double best = 0;
    int bestLevel = 0;
    for (int trump = 0; trump < 4; ++trump) {
        for (int level = 1; level <= 3; ++level) {
            const double w = worth[static_cast<size_t>(trump)][static_cast<size_t>(level)];
            if (!allowed[static_cast<size_t>(level)] || (found && w <= best))
                continue;
            found = true;
            best = w;
            bestLevel = level;
            result.suit = trump;
            result.makes = static_cast<int>(std::lround(
                makes[static_cast<size_t>(trump)][static_cast<size_t>(level)] * samples / total));
        }
    }
    if (found && best > 0)
        result.bid = Bid::of(15 + 5 * bestLevel);
    return result;
}

} // namespace corvane
