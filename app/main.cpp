// The game program: one table window over the game engine.
#include "ui/game_program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("4.0.0"));

    corvane::ui::GameProgram program(corvane::ui::clockSeed());
    program.start();
    return app.exec();
}
