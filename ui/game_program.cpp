#include "ui/game_program.h"

#include <chrono>

namespace corvane::ui {

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace corvane::ui
