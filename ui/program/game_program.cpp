#include "ui/program/game_program.h"

#include "ui/table/table_view.h"

#include <chrono>

namespace corvane::ui {

GameProgram::GameProgram(std::uint64_t seed, ServerAddress server,
                         std::unique_ptr<Preferences> remembered)
    : preferences(std::move(remembered)), random(seed), engine(scheduler, random),
      window(engine, scheduler), online(engine, scheduler, window, std::move(server)),
      record(engine, online, seed),
      keeping(std::make_unique<RecordKeeping>(
          record, &window,
          preferences ? RecordKeeping::pathBeside(preferences->fileName()) : QString(),
          preferences ? preferences->fileName() : QString())),
      lastTrick(std::make_unique<LastTrick>(window, record)),
      recordWindows(std::make_unique<RecordWindows>(window, record, *keeping)) {
    QObject::connect(&window, &TableWindow::optionsOpened, &window,
                     [this](QDialog* options) { keeping->extendOptions(options); });
    if (!preferences)
        return;
    QObject::connect(&window, &TableWindow::optionsChanged, &window, [this] {
        preferences->setTable(TablePreferences::of(engine.table()));
        preferences->flush();
    });
    online.setLobbyFields(preferences->lobby());
    QObject::connect(&online, &OnlineSession::lobbyFieldsChosen, &window,
                     [this](const LobbyPreferences& fields) {
                         preferences->setLobby(fields);
                         preferences->flush();
                     });
    QObject::connect(&window, &TableWindow::zoomChanged, &window, [this] {
        // The zoom set at start-up is the one just read; the window has no place yet.
        if (!window.isVisible())
            return;
        rememberWindow();
        preferences->flush();
    });
}

GameProgram::~GameProgram() {
    // The window's place is kept as the program ends, whichever way it ends.
    if (preferences)
        rememberWindow();
}

void GameProgram::rememberWindow() {
    const TableView* view = window.view();
    preferences->setWindow({window.saveGeometry(), view->scale().zoom, view->fitsWindow()});
}

void GameProgram::start() {
    engine.startUp();
    if (preferences) {
        preferences->table().applyTo(engine.table());
        // The first run opens as large as the screen comfortably takes; later runs as they were.
        const WindowPreferences place = preferences->window();
        if (place.fit)
            window.fitToWindow();
        else
            window.setZoom(place.zoom > 0 ? place.zoom : window.comfortableZoom());
        window.restoreGeometry(place.geometry);
    }
    window.show();
    window.refresh();
    (new CommandScript(window, engine))->startFromEnvironment();
}

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace corvane::ui
