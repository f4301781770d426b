#include "players/deal_likelihood.h"

#include "cards/card_value.h"
#include "players/bid_evaluation.h"
#include "table/table.h"

#include <algorithm>

namespace corvane {

namespace {

// Ways of choosing k of n.
constexpr int choose(int n, int k) {
    int ways = 1;
    for (int i = 0; i < k; ++i)
        ways = ways * (n - i) / (i + 1);
    return ways;
}

// The Standard bidding level of five cards with `trump` named: the cards that make it are all
// trumps, so a bidder keeps them through the discard.
int levelIn(const std::array<std::uint8_t, 5>& cards, int trump) {
    std::array<Card, 5> hand{};
    for (size_t k = 0; k < 5; ++k)
        hand[k] = Card::fromNumber(cards[k]);
    return assessSuit(hand, trump).level;
}

} // namespace

HandHistory handHistory(const Table& t, const HandRecord& record, int seat) {
    HandHistory h;
    h.seat = seat;
    h.firstLeader = record.playCount > 0 ? record.playSeats[0] : t.turnSeat & 3;
    h.count = record.playCount;
    for (int i = 0; i < record.playCount; ++i) {
        h.cards[static_cast<size_t>(i)] =
            static_cast<std::uint8_t>(record.plays[static_cast<size_t>(i)].number());
        h.seats[static_cast<size_t>(i)] = record.playSeats[static_cast<size_t>(i)];
    }
    return h;
}

double dealLikelihood(const HandHistory& h, const playout::HandState& deal, const PlayModel& model,
                      StrayCounts* strays) {
    double weight = 1.0;
    if (strays)
        strays->fill(0);
    const std::uint8_t* plain = detail::cardValues.value[deal.trump][4];
    for (int who = 0; who < 4; ++who) {
        if (who == h.seat)
            continue;
        const auto w = static_cast<size_t>(who);
        // Each seat kept 5 - drawn cards, its trumps by the rule: a deal with more trumps for it
        // can be reached in more ways, one with fewer only if the seat kept plain cards.
        int trumps = 0;
        for (std::uint8_t card : deal.cards[w])
            trumps += isTrumpValue(plain[card]);
        const int kept = 5 - deal.drawCount[w];
        if (trumps >= kept) {
            weight *= choose(trumps, kept);
        } else {
            for (int k = trumps; k < kept; ++k)
                weight *= model.strayKeep;
        }
        if (who == deal.bidder && levelIn(deal.cards[w], deal.trump) < deal.highBid)
            weight *= model.strayBid;
    }

    // The hand replayed from its first lead: every card another seat played against the card the
    // rules would have played from this deal.
    playout::HandState s = deal;
    s.held.fill(0x1F);
    s.trick = {};
    s.units = {};
    s.led = 0;
    s.winner = playout::NoSeat;
    s.trickCount = 0;
    s.tricksPlayed = 0;
    s.turn = static_cast<std::uint8_t>(h.firstLeader);
    for (int i = 0; i < h.count; ++i) {
        const int who = h.seats[static_cast<size_t>(i)];
        const auto& cards = s.cards[static_cast<size_t>(who)];
        const auto at = std::find(cards.begin(), cards.end(), h.cards[static_cast<size_t>(i)]);
        if (at == cards.end() || who != s.turn)
            return weight; // a record this deal cannot replay: weigh it by its cards alone
        const int slot = static_cast<int>(at - cards.begin());
        if (who != h.seat && playout::standardSlot(s, who) != slot) {
            weight *= model.strayCard;
            if (strays)
                ++(*strays)[static_cast<size_t>(who)];
        }
        playout::playSlot(s, slot);
    }
    return weight;
}

AuctionHistory auctionHistory(const Table& t, int seat) {
    AuctionHistory a;
    int high = 0;
    // The first round runs from the dealer's left; later rounds only repeat the high bid.
    for (int n = 1; n <= 4 && n <= t.bidsMade; ++n) {
        const int who = (t.dealerSeat + n) & 3;
        const Bid bid = t.seatBid[static_cast<size_t>(who)];
        if (!bid.made())
            continue;
        // The seat's own bid is no evidence of the cards it cannot see, but the seats after it
        // answered it.
        if (who == seat) {
            high = std::max(high, bid.points());
            continue;
        }
        const auto i = static_cast<size_t>(a.count++);
        a.seats[i] = who;
        a.bids[i] = bid.points();
        a.highBefore[i] = high;
        a.dealer[i] = who == t.dealerSeat;
        high = std::max(high, a.bids[i]);
    }
    return a;
}

double auctionLikelihood(const AuctionHistory& a,
                         const std::array<std::span<const std::uint8_t>, 4>& hands,
                         const PlayModel& model) {
    double weight = 1.0;
    for (int i = 0; i < a.count; ++i) {
        const auto k = static_cast<size_t>(i);
        std::array<Card, 5> hand{};
        const auto& cards = hands[static_cast<size_t>(a.seats[k])];
        for (size_t c = 0; c < 5 && c < cards.size(); ++c)
            hand[c] = Card::fromNumber(cards[c]);
        const int level = assessHand(hand).level;
        // The rule bids its level when that is above the high bid, and the dealer holds it.
        const int high = a.highBefore[k];
        const bool bids = a.dealer[k] ? level > 0 && level >= high : level > high;
        const bool agrees = a.bids[k] == 0 ? !bids : bids && (a.dealer[k] || level == a.bids[k]);
        if (!agrees)
            weight *= model.strayPass;
    }
    return weight;
}

} // namespace corvane
