#include "ui/game_program.h"

#include <chrono>

namespace corvane::ui {

GameProgram::GameProgram(std::uint64_t seed, ServerAddress server,
                         std::unique_ptr<Preferences> remembered)
    : preferences(std::move(remembered)), random(seed), engine(scheduler, random),
      window(engine, scheduler), online(engine, scheduler, window, std::move(server)) {
    if (!preferences)
        return;
    QObject::connect(&window, &TableWindow::optionsChanged, &window, [this] {
        preferences->setTable(TablePreferences::of(engine.table()));
        preferences->flush();
    });
}

GameProgram::~GameProgram() {
    // The window's place is kept as the program ends, whichever way it ends.
    if (preferences)
        preferences->setWindow({window.saveGeometry()});
}

void GameProgram::start() {
    engine.startUp();
    if (preferences) {
        preferences->table().applyTo(engine.table());
        window.restoreGeometry(preferences->window().geometry);
    }
    window.show();
    window.refresh();
    (new CommandScript(window, engine))->startFromEnvironment();
}

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace corvane::ui
