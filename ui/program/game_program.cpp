#include "ui/program/game_program.h"

#include "ui/dialogs/options_dialog.h"
#include "ui/program/scroll_thumbs.h"
#include "ui/table/dialog_placement.h"
#include "ui/table/table_view.h"

#include <QMessageBox>
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
    makeScrollThumbsVisible();
    QObject::connect(&window, &TableWindow::optionsOpened, &window,
                     [this](QDialog* options) { keeping->extendOptions(options); });
    if (!preferences)
        return;
    QObject::connect(&window, &TableWindow::optionsOpened, &window, [this](QDialog* dialog) {
        auto* options = qobject_cast<OptionsDialog*>(dialog);
        if (!options)
            return;
        options->setLanguage(preferences->language());
        QObject::connect(options, &QDialog::accepted, options, [this, options] {
            preferences->setLanguage(options->language());
            preferences->flush();
        });
    });
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

namespace {

// Said over the table, which plays on behind it.
void sayZoomFitted(TableWindow& window, double wanted) {
    auto* box = new QMessageBox(
        QMessageBox::Information, QStringLiteral("Corvane"),
        GameProgram::tr("The table is shown at %1%: at %2%, as you last had it, it does not fit "
                        "on this screen.")
            .arg(static_cast<int>(window.view()->scale().zoom * 100))
            .arg(static_cast<int>(wanted * 100)),
        QMessageBox::Ok, &window);
    box->setObjectName(QStringLiteral("zoomFitted"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace

void GameProgram::start() {
    engine.startUp();
    double fittedFrom = 0.0; // the zoom remembered, when the screen took a smaller one
    if (preferences) {
        preferences->table().applyTo(engine.table());
        // The first run opens as large as the screen comfortably takes; later runs as they were,
        // a step smaller where the screen is now too small for the zoom they had.
        const WindowPreferences place = preferences->window();
        window.restoreGeometry(place.geometry);
        if (place.fit) {
            window.fitToWindow();
        } else {
            const double wanted = place.zoom > 0 ? place.zoom : window.comfortableZoom();
            fittedFrom = window.fittingZoom(wanted) < wanted ? wanted : 0.0;
            window.setZoom(window.fittingZoom(wanted));
        }
        keepOnScreen(&window);
    }
    window.show();
    window.refresh();
    if (fittedFrom > 0)
        sayZoomFitted(window, fittedFrom);
    (new CommandScript(window, engine))->startFromEnvironment();
}

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace corvane::ui
