// A seat's messages into its history. The seat knows the trick with the top card only once all
// twenty cards are out, so each trick counts one unit until the hand is scored.
#include "online/seat_history.h"

#include "cards/card_value.h"
#include "flow/net_link.h"
#include "online/overloaded.h"
#include "table/hand_rules.h"

#include <algorithm>

namespace corvane::online {

using namespace corvane::protocol;

Card SeatHistory::shown(int picture) const {
    const CardPicture& p = m_table.picCard[static_cast<size_t>(picture)];
    return p.state == TagState::Up || p.state == TagState::Played ? p.card : Card();
}

void SeatHistory::take(const PlayerDownMessage& message) {
    std::visit(Overloaded{
                   [&](const Cards& m) { onCards(m); },
                   [&](const BidMade& m) { onBid(m); },
                   [&](const Misdeal&) {
                       if (RecordedHand* h = hand()) {
                           h->stage = HandStage::Misdealt;
                           changed();
                       }
                   },
                   [&](const DiscardPhase& m) { onDiscardPhase(m); },
                   [&](const CardPlayed& m) { onCard(m); },
                   [&](const TrickWon& m) { trickWon(turned(m.seat), 1); },
                   [&](const HandEnd& m) { onHandEnd(m); },
                   [&](const HostGone&) { newGame(); },
                   [](const auto&) {},
               },
               message);
}

void SeatHistory::onCards(const Cards& m) {
    if (m.deck.size() == 23) {
        std::array<std::string, 4> names;
        for (size_t s = 0; s < 4; ++s)
            names[s] =
                m_table.seats[static_cast<size_t>(m_table.seatOfLabel(static_cast<int>(s)))].name;
        RecordedHand& h = startHand(turned(m_table.dealerSeat), names);
        for (size_t k = 0; k < 5; ++k)
            h.dealt[0][k] = shown(static_cast<int>(k));
    } else if (RecordedHand* h = hand(); h && m.deck.size() == 20) {
        for (size_t k = 0; k < 5; ++k)
            h->held[0][k] = shown(static_cast<int>(k));
        h->stage = HandStage::Play;
    }
    changed();
}

void SeatHistory::onBid(const BidMade& m) {
    RecordedHand* h = hand();
    if (!h)
        return;
    const int seat = turned(m.seat);
    // The auction opens at the dealer's left, whatever this table thought of the dealer.
    if (h->bids.empty())
        h->dealer = (seat + 3) % 4;
    h->bids.push_back({seat, fromWire(m.bid).word()});
    changed();
}

void SeatHistory::onDiscardPhase(const DiscardPhase& m) {
    RecordedHand* h = hand();
    if (!h)
        return;
    h->bidder = turned(m.bidder);
    h->trump = m.trump;
    h->bid = m.highBid;
    h->stage = HandStage::Discard;
    // The kitty is the bidder's, thrown away already where its computer discarded for it
    // before the person sat down.
    if (h->bidder == 0)
        for (size_t k = 0; k < 3; ++k)
            h->kitty[k] = m_table.cardAt(KittyFirst + static_cast<int>(k));
    changed();
}

void SeatHistory::onCard(const CardPlayed& m) {
    if (m.card < 0 || m.card > 19)
        return;
    played(turned(m.card / 5), shown(m_table.localPicture(m.card)));
}

void SeatHistory::onHandEnd(const HandEnd& m) {
    RecordedHand* h = hand();
    if (!h)
        return;
    // Every card held after the draw has been played: the top one is known now.
    int top = 0;
    for (const RecordedTrick& t : h->tricks)
        top = std::max(top, highestTrump(t.bySeat, h->trump));
    int bidderUnits = 0;
    for (RecordedTrick& t : h->tricks) {
        if (!t.complete())
            continue;
        t.units = trickUnits(t.bySeat[static_cast<size_t>(t.winner)], h->trump, top);
        if (h->bidder >= 0 && partnershipOf(t.winner) == partnershipOf(h->bidder))
            bidderUnits += t.units;
    }
    const bool even = m_table.localSeat % 2 == 0;
    const std::array<int, 2> scores =
        even ? std::array{m.score0, m.score1} : std::array{m.score1, m.score0};
    scored(m.made, 5 * bidderUnits, m.points, scores);
    for (int side = 0; side < 2; ++side)
        if (scores[static_cast<size_t>(side)] == 120)
            won(side, scores);
}

} // namespace corvane::online
