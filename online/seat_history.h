// The history of a seated player's game, built from the messages the seat receives and from
// what its table shows after each one: only the cards the table turns face up (the player's own,
// the kitty for a bidder, the cards played) ever enter it, though the deal carries every hand.
#pragma once

#include "flow/history_keeper.h"
#include "protocol/messages.h"
#include "table/table.h"

namespace corvane::online {

class SeatHistory final : public HistoryKeeper {
public:
    explicit SeatHistory(const Table& table) : m_table(table) {}

    // A message from the host, after the seat's table has taken it in.
    void take(const protocol::PlayerDownMessage& message);

private:
    int turned(int hostSeat) const { return (hostSeat - m_table.localSeat + 8) % 4; }
    // The card on a picture if the table shows its face, else Card().
    Card shown(int picture) const;
    void onCards(const protocol::Cards& m);
    void onBid(const protocol::BidMade& m);
    void onDiscardPhase(const protocol::DiscardPhase& m);
    void onCard(const protocol::CardPlayed& m);
    void onHandEnd(const protocol::HandEnd& m);

    const Table& m_table;
};

} // namespace corvane::online
