// Holds the game's history as it grows and tells who follows it: after every change, and once
// as each hand is scored and each game is won. The recorders that build the history from the
// engine's steps or from a seat's messages share it.
#pragma once

#include "flow/game_history.h"

#include <functional>
#include <vector>

namespace corvane {

class HistoryKeeper {
public:
    struct Listener {
        std::function<void()> changed;
        std::function<void(const GameHistory&, const RecordedHand&)> handScored;
        std::function<void(const GameHistory&)> gameWon;
    };

    const GameHistory& history() const { return m_history; }
    // Every listener added is told; none is owned beyond its functions.
    void addListener(Listener listener) { m_listeners.push_back(std::move(listener)); }

protected:
    // A game that was abandoned before it was won is forgotten; a won game stays on show until
    // the next deal.
    void newGame();
    // A new deal: a fresh hand, and a fresh game after a won one.
    RecordedHand& startHand(int dealer, const std::array<std::string, 4>& names);
    RecordedHand* hand() { return m_history.current(); }
    // The first card of a trick opens it; the others join it.
    void played(int seat, Card card);
    void trickWon(int winner, int units);
    void scored(bool made, int counted, int points, std::array<int, 2> scores);
    void won(int partnership, std::array<int, 2> scores);
    void changed();

private:
    GameHistory m_history;
    std::vector<Listener> m_listeners;
};

} // namespace corvane
