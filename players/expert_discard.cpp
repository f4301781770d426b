#include "players/expert_discard.h"

#include "cards/card_value.h"
#include "players/discard.h"
#include "players/hand_worth.h"
#include "players/playout.h"
#include "table/random.h"
#include "table/table.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

// The seat's cards as it sees them at the discard: its hand, then the kitty for the bidder.
struct OwnCards {
    OwnCards(const Table& t, int seat) {
        for (int k = 0; k < 5; ++k)
            cards[static_cast<size_t>(count++)] =
                static_cast<std::uint8_t>(t.cardAt(5 * seat + k).number());
        if (seat == t.bidderSeat)
            for (int i = KittyFirst; i <= t.lastPicture() && count < 8; ++i)
                cards[static_cast<size_t>(count++)] =
                    static_cast<std::uint8_t>(t.cardAt(i).number());
    }
    std::array<std::uint8_t, 8> cards{};
    int count = 0;
};

// The ways of keeping weighed, as masks of OwnCards: the trumps the rule keeps, then those and
// the best 1, 2, ... plain cards while five are not kept.
std::vector<unsigned> candidates(const OwnCards& own, int trump) {
    std::array<int, 8> order{};
    for (int i = 0; i < own.count; ++i)
        order[static_cast<size_t>(i)] = i;
    const auto value = [&](int i) {
        return CardValue(Card::fromNumber(own.cards[static_cast<size_t>(i)]), trump);
    };
    // Best first; equal values keep hand before kitty.
    std::stable_sort(order.begin(), order.begin() + own.count,
                     [&](int a, int b) { return value(a) > value(b); });
    unsigned keep = 0;
    int kept = 0;
    std::vector<unsigned> result;
    for (int n = 0; n < own.count; ++n) {
        const int i = order[static_cast<size_t>(n)];
        if (kept < 5 && isTrumpValue(value(i))) {
            keep |= 1u << i;
            ++kept;
        }
    }
    result.push_back(keep);
    for (int n = 0; n < own.count && kept < 5; ++n) {
        const int i = order[static_cast<size_t>(n)];
        if (isTrumpValue(value(i)))
            continue;
        keep |= 1u << i;
        ++kept;
        result.push_back(keep);
    }
    return result;
}

// One deal of what the seat cannot see, laid out as the hands of the other seats in seat order,
// the kitty when another seat bids, then the stock, five cards a seat, each seat drawing from
// its own five whatever the others throw.
struct Deal {
    std::array<std::uint8_t, 52> cards{};
    int count = 0;
};

} // namespace

unsigned expertKeep(const Table& t, int seat, const ExpertEffort& effort,
                    const AuctionHistory* auction) {
    const int trump = t.trumpSuit;
    const int bidder = t.bidderSeat;
    const OwnCards own(t, seat);
    const std::vector<unsigned> ways = candidates(own, trump);
    if (ways.size() == 1)
        return ways.front();

    CardSet seen = 0;
    for (int i = 0; i < own.count; ++i)
        seen |= cardBit(own.cards[static_cast<size_t>(i)]);
    Deal deal;
    for (int card = 1; card <= 52; ++card)
        if (!(seen & cardBit(card)))
            deal.cards[static_cast<size_t>(deal.count++)] = static_cast<std::uint8_t>(card);
    const int kittyAt = 15;
    const int stockAt = seat == bidder ? 15 : 18;
    const int needed = stockAt + 20;

    ScoreSituation situation;
    situation.bidder = bidder;
    situation.bid = t.highBid;
    for (int p = 0; p < 2; ++p)
        situation.score[static_cast<size_t>(p)] =
            t.score[static_cast<size_t>((p + t.localSeat) & 1)];

    playout::HandState s;
    s.trump = static_cast<std::uint8_t>(trump);
    s.bidder = static_cast<std::uint8_t>(bidder);
    s.highBid = static_cast<std::uint8_t>(t.highBid);
    s.mustFollowSuit = t.mustFollowSuit;
    s.turn = static_cast<std::uint8_t>((bidder + 1) & 3);
    s.held.fill(0x1F);
    const auto fill = [&](int who, const std::array<std::uint8_t, 8>& kept, int count) {
        const auto w = static_cast<size_t>(who);
        s.drawCount[w] = static_cast<std::uint8_t>(5 - count);
        for (int slot = 0; slot < 5; ++slot)
            s.cards[w][static_cast<size_t>(slot)] =
                slot < count ? kept[static_cast<size_t>(slot)]
                             : deal.cards[static_cast<size_t>(stockAt + 5 * who + slot - count)];
    };

    // Whole points summed as doubles stay exact, so every deal alike chooses as whole numbers do.
    std::vector<double> worth(ways.size(), 0.0);
    const PlayModel model;
    std::array<std::span<const std::uint8_t>, 4> hands{};
    for (int who = 0, other = 0; who < 4; ++who)
        if (who != seat)
            hands[static_cast<size_t>(who)] =
                std::span<const std::uint8_t>(&deal.cards[static_cast<size_t>(5 * other++)], 5);
    Random random(decisionSeed(t, seat, effort.seed) ^ 0x5D15CA4DULL);
    const int samples = std::max(1, effort.discardSamples);
    for (int d = 0; d < samples; ++d) {
        for (int i = 0; i < needed; ++i)
            std::swap(deal.cards[static_cast<size_t>(i)],
                      deal.cards[static_cast<size_t>(i + random.below(deal.count - i))]);
        const double weight = auction ? auctionLikelihood(*auction, hands, model) : 1.0;
        // The other seats keep by the rule, whatever this seat does.
        int other = 0;
        for (int who = 0; who < 4; ++who) {
            if (who == seat)
                continue;
            std::array<std::uint8_t, 5> hand{};
            for (int slot = 0; slot < 5; ++slot)
                hand[static_cast<size_t>(slot)] = deal.cards[static_cast<size_t>(5 * other + slot)];
            ++other;
            std::array<std::uint8_t, 8> kept{};
            const int count =
                keepByRule(hand, who == bidder ? &deal.cards[kittyAt] : nullptr, 3, trump, kept);
            fill(who, kept, count);
        }
        for (size_t w = 0; w < ways.size(); ++w) {
            std::array<std::uint8_t, 8> kept{};
            int count = 0;
            for (int i = 0; i < own.count; ++i)
                if ((ways[w] >> i) & 1u)
                    kept[static_cast<size_t>(count++)] = own.cards[static_cast<size_t>(i)];
            fill(seat, kept, count);
            playout::HandState hand = s;
            playout::prepare(hand);
            playout::playOutStandard(hand);
            const int counted = playout::partnershipUnits(hand, bidder & 1) * 5;
            worth[w] += weight * handWorth(situation, counted, seat & 1);
        }
    }
    // The best; among equals the first, which keeps fewer plain cards.
    size_t best = 0;
    for (size_t w = 1; w < ways.size(); ++w)
        if (worth[w] > worth[best])
            best = w;
    return ways[best];
}

} // namespace corvane
