// The game program: one table window over the game engine.
#include "table/engine.h"
#include "table/random.h"
#include "ui/qt_scheduler.h"
#include "ui/table_window.h"

#include <QApplication>
#include <chrono>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("4.0.0"));

    // Seeded once from the clock: every run deals differently.
    corvane::Random random(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    corvane::ui::QtScheduler scheduler;
    corvane::Engine engine(scheduler, random);
    corvane::ui::TableWindow window(engine, scheduler);
    engine.startUp();
    window.show();
    window.refresh();
    return app.exec();
}
