// The game so far as trace lines, the same events the simulator's --trace writes, for Game,
// "Save Game Record...": each game starts the lines afresh with its "game" line.
#pragma once

#include "flow/trace_writer.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::ui {

class GameTrace final : public TableObserver {
public:
    explicit GameTrace(std::uint64_t seed);
    ~GameTrace() override;

    // Which lines a file gets: all, or those of the hands that are over (a hand's deal holds
    // every seat's cards).
    enum class Lines { All, FinishedHands };

    const std::vector<std::string>& lines() const { return m_lines; }
    // Writes the lines to `file`, the game under the record file's `number` when it has one;
    // false when it could not.
    bool save(const QString& file, Lines which = Lines::All,
              std::optional<qint64> number = std::nullopt) const;

    void onNewGame() override;
    void onDeal(int dealer, const std::array<int, 52>& deck) override;
    void onBid(int seat, Bid bid, int suit) override { m_writer->onBid(seat, bid, suit); }
    void onMisdeal(int dealer) override {
        m_writer->onMisdeal(dealer);
        m_finished = m_lines.size();
    }
    void onTrump(int bidder, int suit, int bid) override { m_writer->onTrump(bidder, suit, bid); }
    void onDiscard(int seat, const std::vector<int>& pictures) override {
        m_writer->onDiscard(seat, pictures);
    }
    void onKitty(const std::vector<int>& thrown,
                 const std::vector<std::pair<int, int>>& moved) override {
        m_writer->onKitty(thrown, moved);
    }
    void onDraw(int picture, Card card) override { m_writer->onDraw(picture, card); }
    void onPlay(int seat, int picture, Card card) override {
        m_writer->onPlay(seat, picture, card);
    }
    void onTrick(int winner, int units) override { m_writer->onTrick(winner, units); }
    void onHand(const HandResult& result) override {
        m_writer->onHand(result);
        m_finished = m_lines.size();
    }
    void onGameEnd(int winner, std::array<int, 2> scores) override;

private:
    void begin();
    std::uint64_t m_seed;
    int m_game = 0;
    bool m_ended = false;
    std::vector<std::string> m_lines;
    // How many of the lines are of the game's start and the hands that are over.
    std::size_t m_finished = 0;
    std::unique_ptr<TraceWriter> m_writer;
};

} // namespace corvane::ui
