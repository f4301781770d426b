#include "tools/sim/simulation.h"

namespace corvane {

Simulation::Simulation(const SimOptions& options)
    : m_random(options.seed), m_engine(m_clock, m_random), m_player(m_engine) {
    // The player only acts when the table is idle, so no pause can be overtaken by anything.
    m_clock.setPassIdlePauses(true);
    m_engine.addObserver(&m_figures);
    m_engine.startUp();
    Table& t = m_engine.table();
    t.mustFollowSuit = options.mustFollowSuit;
    t.anyBidAllowed = options.anyBidAllowed;
}

void Simulation::play(long games) {
    const long target = m_figures.games + games;
    long started = m_figures.games;
    // Every answer moves the game on; a table that needs more than this many answers for one
    // game is going round in circles.
    const long maxSteps = games * 100000;
    for (long step = 0; m_figures.games < target; ++step) {
        m_clock.runUntilIdle();
        if (m_figures.games >= target)
            break;
        const Table& t = m_engine.table();
        const bool newGame = t.gamePhase == GamePhase::Idle && t.buttonMode == ButtonMode::Deal &&
                             started == m_figures.games;
        if (newGame) {
            ++started;
            if (m_gameStart)
                m_gameStart(static_cast<int>(started));
        }
        if (!m_player.act(true) || step > maxSteps)
            throw SimulationStuck("the table waits for nothing the player can give");
    }
}

} // namespace corvane
