// The simulator's person in seat 0: it answers the window's questions through the local player's
// own paths, always with the advice of the computer player at seat 0's level (at Standard the
// hint's bid, the suit it chose, Auto-Discard then Deal, the hint's card; an Expert marks the
// cards it throws away itself).
#pragma once

#include "flow/engine.h"

namespace corvane {

class AutoPlayer {
public:
    explicit AutoPlayer(Engine& engine) : m_engine(engine) {}

    // Answers whatever the table waits for. False when the table waits for nothing this player
    // can give (or for "&Deal" of a new game while `dealNewGame` is false).
    bool act(bool dealNewGame);

    int lastHintSuit() const { return m_lastHintSuit; }
    long refusedHints() const { return m_refusedHints; }

private:
    void bid();
    void discard();
    void play();

    Engine& m_engine;
    int m_lastHintSuit = 0;
    long m_refusedHints = 0;
};

} // namespace corvane
