// The history of a table that runs its own game (standalone, or the host's engine): every step
// the engine announces, with every card known, as the local player at seat 0 keeps it.
#pragma once

#include "flow/history_keeper.h"
#include "flow/observer.h"
#include "table/table.h"

namespace corvane {

class HistoryRecorder final : public TableObserver, public HistoryKeeper {
public:
    // The names are read from the table as each hand is dealt.
    explicit HistoryRecorder(const Table& table) : m_table(table) {}

    void onNewGame() override { newGame(); }
    void onDeal(int dealer, const std::array<int, 52>& deck) override;
    void onBid(int seat, Bid bid, int suit) override;
    void onMisdeal(int dealer) override;
    void onTrump(int bidder, int suit, int bid) override;
    void onKitty(const std::vector<int>& thrown,
                 const std::vector<std::pair<int, int>>& moved) override;
    void onDraw(int picture, Card card) override;
    void onPlay(int seat, int picture, Card card) override;
    void onTrick(int winner, int units) override { trickWon(winner, units); }
    void onHand(const HandResult& result) override;
    void onGameEnd(int winner, std::array<int, 2> scores) override { won(winner, scores); }

private:
    const Table& m_table;
    // The card on each picture as the deal, the kitty and the draw leave it.
    std::array<Card, 23> m_pictures{};
};

} // namespace corvane
