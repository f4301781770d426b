// Reads a game record (one JSON object a line, as the simulator's --trace and the game's "Save
// Game Record..." write it) and hands each step to an observer as the engine announced it. A
// record is input from anywhere: every field is checked against its range and every event
// against the game so far before the observer hears of it, and the first fault ends the reading.
#pragma once

#include "flow/observer.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <string>

namespace corvane {

struct TraceResult {
    long lines = 0;
    long games = 0;
    long hands = 0;
    std::string error; // empty when the whole record was read; else "line N: what is wrong"
};

// `onGame` is told each game's number and seed as its line comes.
TraceResult readTrace(std::istream& in, TableObserver& observer,
                      const std::function<void(int game, std::uint64_t seed)>& onGame = {});

} // namespace corvane
