// Reads a trace (one JSON object a line, as --trace and the game's "Save Game Record..." write
// it) and hands each step to an observer as the engine announced it.
#pragma once

#include "flow/observer.h"

#include <functional>
#include <istream>
#include <string>

namespace corvane {

struct ReplayResult {
    long lines = 0;
    long games = 0;
    long hands = 0;
    std::string error; // empty when every line was read; else the line number and what failed
};

// `onGame` is told each game's number and seed as its line comes.
ReplayResult replayTrace(std::istream& in, TableObserver& observer,
                         const std::function<void(int game, unsigned long long seed)>& onGame = {});

} // namespace corvane
