// What the game program is made of: the random source, the Qt clock, the engine and the table
// window, put together in the order they need each other. main() and the window bench share it.
#pragma once

#include "flow/engine.h"
#include "table/random.h"
#include "ui/online_session.h"
#include "ui/qt_scheduler.h"
#include "ui/server_address.h"
#include "ui/table_window.h"

#include <cstdint>

namespace corvane::ui {

struct GameProgram {
    Random random;
    QtScheduler scheduler;
    Engine engine;
    TableWindow window;
    OnlineSession online;

    explicit GameProgram(std::uint64_t seed, ServerAddress server = {})
        : random(seed), engine(scheduler, random), window(engine, scheduler),
          online(engine, scheduler, window, std::move(server)) {}

    // Start-up: seats named, dealer drawn, the window shown with the button window over it.
    void start() {
        engine.startUp();
        window.show();
        window.refresh();
    }
};

// A seed from the clock, as the program deals differently on every run.
std::uint64_t clockSeed();

} // namespace corvane::ui
