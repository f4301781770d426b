// ui/program: the game program put together: its parts, preferences, clock and test script.
// What the game program is made of: the random source, the Qt clock, the engine and the table
// window, put together in the order they need each other, and what it remembers between runs.
// main() and the window bench share it.
#pragma once

#include "flow/engine.h"
#include "table/random.h"
#include "ui/online/online_session.h"
#include "ui/online/server_address.h"
#include "ui/program/command_script.h"
#include "ui/program/preferences.h"
#include "ui/program/qt_scheduler.h"
#include "ui/record/game_record.h"
#include "ui/record/record_keeping.h"
#include "ui/record/record_windows.h"
#include "ui/table/last_trick.h"
#include "ui/table/table_window.h"

#include <QCoreApplication>
#include <cstdint>
#include <memory>

namespace corvane::ui {

struct GameProgram {
    Q_DECLARE_TR_FUNCTIONS(GameProgram)

public:
    // Null when nothing is to be remembered (tests, the bench).
    std::unique_ptr<Preferences> preferences;
    Random random;
    QtScheduler scheduler;
    Engine engine;
    TableWindow window;
    OnlineSession online;
    // The game's record and what shows it; gone before the window they draw on.
    GameRecord record;
    std::unique_ptr<RecordKeeping> keeping;
    std::unique_ptr<LastTrick> lastTrick;
    std::unique_ptr<RecordWindows> recordWindows;

    explicit GameProgram(std::uint64_t seed, ServerAddress server = {},
                         std::unique_ptr<Preferences> remembered = nullptr);
    ~GameProgram();
    GameProgram(const GameProgram&) = delete;
    GameProgram& operator=(const GameProgram&) = delete;

    // Start-up: seats named, dealer drawn, the remembered options and window place taken, the
    // window shown with the button window over it. A test's command script (CORVANE_SCRIPT)
    // starts once the window is up.
    void start();

private:
    void rememberWindow();
};

// A seed from the clock, as the program deals differently on every run.
std::uint64_t clockSeed();

} // namespace corvane::ui
