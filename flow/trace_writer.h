// Writes every step of a game as one JSON object per line: the simulator's --trace, and the
// game's own record file.
#pragma once

#include "flow/observer.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace corvane {

class TraceWriter final : public TableObserver {
public:
    // `seat0Suit` gives the suit the local player's hint chose, for its bids.
    TraceWriter(std::FILE* out, std::function<int()> seat0Suit)
        : m_out(out), m_seat0Suit(std::move(seat0Suit)) {}
    // Each line, without its newline, to `sink`.
    using Sink = std::function<void(const std::string&)>;
    TraceWriter(Sink sink, std::function<int()> seat0Suit)
        : m_out(nullptr), m_sink(std::move(sink)), m_seat0Suit(std::move(seat0Suit)) {}

    void gameStarted(int game, std::uint64_t seed);
    // The errno of the first write that failed, 0 while every write has gone through.
    int error() const { return m_error; }

    void onDeal(int dealer, const std::array<int, 52>& deck) override;
    void onBid(int seat, Bid bid, int suit) override;
    void onMisdeal(int dealer) override;
    void onTrump(int bidder, int suit, int bid) override;
    void onDiscard(int seat, const std::vector<int>& pictures) override;
    void onKitty(const std::vector<int>& thrown,
                 const std::vector<std::pair<int, int>>& moved) override;
    void onDraw(int picture, Card card) override;
    void onPlay(int seat, int picture, Card card) override;
    void onTrick(int winner, int units) override;
    void onHand(const HandResult& result) override;
    void onGameEnd(int winner, std::array<int, 2> scores) override;

private:
    void line(const std::string& text);
    std::FILE* m_out;
    Sink m_sink;
    std::function<int()> m_seat0Suit;
    int m_hand = 0;
    int m_error = 0;
};

std::string jsonString(const std::string& text);

} // namespace corvane
