#include "players/seat_knowledge.h"

#include "cards/card_value.h"
#include "players/hand_snapshot.h"
#include "table/table.h"

#include <algorithm>
#include <bit>

namespace corvane {

namespace {

constexpr CardSet AllCards = ((CardSet{1} << 53) - 1) & ~CardSet{1};

CardSet suitCards(int suit) {
    return ((CardSet{1} << 13) - 1) << (13 * suit + 1);
}

// The trumps under `trump` whose value is below `limit`.
CardSet trumpsBelow(int trump, int limit) {
    CardSet set = 0;
    for (int n = 1; n <= 52; ++n) {
        const int v = CardValue(Card::fromNumber(n), trump);
        if (isTrumpValue(v) && v < limit)
            set |= cardBit(n);
    }
    return set;
}

// What the plays so far show each seat lacks.
void ruleOutShownVoids(const Table& t, const HandRecord& record, SeatKnowledge& k) {
    const int trump = t.trumpSuit;
    for (int first = 0; first < record.playCount; first += 4) {
        const Card led = record.plays[static_cast<size_t>(first)];
        const int ledValue = CardValue(led, trump);
        const bool ledTrump = isTrumpValue(ledValue);
        const int trick = first / 4;
        for (int i = first; i < std::min(first + 4, record.playCount); ++i) {
            const Card card = record.plays[static_cast<size_t>(i)];
            const auto who = record.playSeats[static_cast<size_t>(i)];
            if (isTrumpValue(CardValue(card, trump)))
                continue;
            CardSet lacks = 0;
            // A trump led binds everyone after the leader; the first trick of a 30 bid binds
            // everyone, the leader too. A trump is owed when below the Ace of hearts or the lead.
            if (ledTrump && i > first)
                lacks |= trumpsBelow(trump, std::max(AceOfHeartsValue, ledValue));
            if (trick == 0 && t.highBid >= 30)
                lacks |= trumpsBelow(trump, AceOfHeartsValue);
            if (t.mustFollowSuit && !ledTrump && i > first && card.suit() != led.suit())
                lacks |= suitCards(led.suit()) & ~cardBit(AceOfHearts.number());
            k.mayHold[who] &= ~lacks;
        }
    }
}

} // namespace

SeatKnowledge knowledgeOf(const Table& t, const HandRecord& record, int seat) {
    SeatKnowledge k;
    k.seat = seat;
    k.known = handStateFromTable(t, seat);
    CardSet seen = record.seenBeforeDraw[static_cast<size_t>(seat)];
    for (const auto& cards : k.known.cards)
        for (std::uint8_t n : cards)
            seen |= cardBit(n);
    seen &= ~CardSet{1}; // an empty slot is no card

    k.unseen = AllCards & ~seen;
    k.mayHold.fill(k.unseen);
    ruleOutShownVoids(t, record, k);
    return k;
}

namespace {

// Deals the seats in `order` from `left`, each only cards it may hold; false when a seat runs
// short (an earlier seat took what it needed).
bool dealInOrder(const SeatKnowledge& k, const std::array<int, 3>& order, bool strict,
                 Random& random, playout::HandState& s) {
    CardSet left = k.unseen;
    for (int who : order) {
        const auto w = static_cast<size_t>(who);
        const int need = std::popcount(static_cast<unsigned>(s.held[w]));
        CardSet pool = strict ? left & k.mayHold[w] : left;
        if (std::popcount(pool) < need)
            return false;
        std::array<std::uint8_t, 52> cards{};
        int count = 0;
        for (CardSet bits = pool; bits; bits &= bits - 1)
            cards[static_cast<size_t>(count++)] = static_cast<std::uint8_t>(std::countr_zero(bits));
        int dealt = 0;
        for (int slot = 0; slot < 5; ++slot) {
            if (!((s.held[w] >> slot) & 1u))
                continue;
            const int pick = dealt + random.below(count - dealt);
            std::swap(cards[static_cast<size_t>(dealt)], cards[static_cast<size_t>(pick)]);
            const std::uint8_t card = cards[static_cast<size_t>(dealt++)];
            s.cards[w][static_cast<size_t>(slot)] = card;
            left &= ~cardBit(card);
        }
    }
    return true;
}

} // namespace

playout::HandState sampleDeal(const SeatKnowledge& k, Random& random) {
    playout::HandState s = k.known;
    // The seats with the fewest cards to choose from are dealt first.
    std::array<int, 3> order{};
    std::array<int, 4> room{};
    int n = 0;
    for (int who = 0; who < 4; ++who) {
        if (who == k.seat)
            continue;
        order[static_cast<size_t>(n++)] = who;
        room[static_cast<size_t>(who)] = std::popcount(k.mayHold[static_cast<size_t>(who)]);
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return room[static_cast<size_t>(a)] < room[static_cast<size_t>(b)];
    });
    // A deal that leaves a seat short is dealt again; the true hands always fit, so this ends
    // at once in practice. Only what the seat knows being wrong could leave every try short.
    constexpr int tries = 32;
    bool dealt = false;
    for (int t = 0; t < tries && !dealt; ++t)
        dealt = dealInOrder(k, order, true, random, s);
    if (!dealt)
        dealInOrder(k, order, false, random, s);
    playout::prepare(s);
    return s;
}

} // namespace corvane
