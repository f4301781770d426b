// Tells a game as it goes, a few lines per hand, for `make run` while there is no window.
#pragma once

#include "flow/engine.h"

#include <cstdio>
#include <functional>

namespace corvane {

class Narrator final : public TableObserver {
public:
    Narrator(const Engine& engine, std::FILE* out)
        : m_names([&engine](int seat) {
              return engine.table().seats[static_cast<size_t>(seat & 3)].name;
          }),
          m_out(out) {}
    // A trace names no one: the seats go by these names.
    Narrator(std::array<std::string, 4> names, std::FILE* out)
        : m_names([names](int seat) { return names[static_cast<size_t>(seat & 3)]; }), m_out(out) {}

    void onDeal(int dealer, const std::array<int, 52>& deck) override;
    void onBid(int seat, Bid bid, int suit) override;
    void onMisdeal(int dealer) override;
    void onTrump(int bidder, int suit, int bid) override;
    void onPlay(int seat, int picture, Card card) override;
    void onTrick(int winner, int units) override;
    void onHand(const HandResult& result) override;
    void onGameEnd(int winner, std::array<int, 2> scores) override;

private:
    std::string name(int seat) const;
    // The seat's name and the verb it takes.
    std::string says(int seat, const char* verb, const char* itself) const;
    std::function<std::string(int)> m_names;
    std::FILE* m_out;
    int m_hand = 0;
    std::string m_trick;
};

} // namespace corvane
