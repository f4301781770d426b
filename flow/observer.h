// The steps of the game as they happen, for whoever wants to follow them: the simulator's trace
// and figures, the window, and the online host that sends each step to the seats.
#pragma once

#include "cards/bid.h"
#include "cards/card.h"
#include "table/saying.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

struct HandResult {
    int bidder = 0;
    int bid = 0;
    int counted = 0;
    bool made = false;
    std::array<int, 2> scores{};
    std::string message;
};

class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual void onNewGame() {}
    virtual void onDeal(int dealer, const std::array<int, 52>& deck) { (void)dealer, (void)deck; }
    // A bid shown on the table; `suit` is the suit a computer seat would name (-1 for a person).
    virtual void onBid(int seat, Bid bid, int suit) { (void)seat, (void)bid, (void)suit; }
    virtual void onMisdeal(int dealer) { (void)dealer; }
    virtual void onTrump(int bidder, int suit, int bid) { (void)bidder, (void)suit, (void)bid; }
    virtual void onDiscard(int seat, const std::vector<int>& pictures) {
        (void)seat, (void)pictures;
    }
    virtual void onKitty(const std::vector<int>& thrown,
                         const std::vector<std::pair<int, int>>& moved) {
        (void)thrown, (void)moved;
    }
    virtual void onDraw(int picture, Card card) { (void)picture, (void)card; }
    virtual void onPlay(int seat, int picture, Card card) { (void)seat, (void)picture, (void)card; }
    virtual void onTrick(int winner, int units) { (void)winner, (void)units; }
    virtual void onHand(const HandResult& result) { (void)result; }
    virtual void onGameEnd(int winner, std::array<int, 2> scores) { (void)winner, (void)scores; }
    virtual void onMessage(const Saying& text) { (void)text; }
};

} // namespace corvane
