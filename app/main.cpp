// The game program: one table window over the game engine.
//
//   corvane [--server HOST[:PORT]]
//
// --server names the lobby server for "Play Online..." (default localhost on ports 9000, 9100
// and 9200; a PORT moves all three, keeping their spacing).
#include "ui/game_program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("4.0.0"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Corvane, the card game."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption serverOption(
        QStringLiteral("server"), QStringLiteral("The lobby server for online play."),
        QStringLiteral("HOST[:PORT]"), QStringLiteral("localhost"));
    options.addOption(serverOption);
    options.process(app);

    corvane::ui::ServerAddress server;
    if (!corvane::ui::ServerAddress::parse(options.value(serverOption), server)) {
        std::fprintf(stderr, "corvane: --server wants HOST or HOST:PORT, not \"%s\"\n",
                     qPrintable(options.value(serverOption)));
        return 2;
    }

    corvane::ui::GameProgram program(corvane::ui::clockSeed(), server,
                                     std::make_unique<corvane::ui::Preferences>());
    program.start();
    return app.exec();
}
