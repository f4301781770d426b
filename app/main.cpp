// The game program: one table window over the game engine.
//
//   corvane [--server HOST[:PORT]] [--help] [--version]
//
// --server names the lobby server for "Play Online..." (default localhost on ports 9000, 9100
// and 9200; a PORT moves all three, keeping their spacing).
//
// The arguments are read before the application is created, so that --help and --version answer
// on a machine with no display. Qt's own options (-platform and the like) are left to Qt.
#include "corvane_version.h"
#include "ui/game_program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

namespace {

// The desktop entry and AppStream id; the window manager matches the window to its launcher by it.
constexpr const char* DesktopFileName = "org.corvane.corvane";

struct ProgramOptions {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays this help and exits.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays the version and exits.")};
    QCommandLineOption server{QStringLiteral("server"),
                              QStringLiteral("The lobby server for online play (default "
                                             "localhost; a PORT moves all three ports)."),
                              QStringLiteral("HOST[:PORT]"), QStringLiteral("localhost")};

    ProgramOptions() {
        parser.setApplicationDescription(QStringLiteral("Corvane, the card game."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(server);
    }
};

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QString::fromLatin1(corvane::VersionText));
    QApplication::setDesktopFileName(QString::fromLatin1(DesktopFileName));

    // A first reading, before any display is opened: only --help and --version act here, and
    // options this parser does not know may belong to Qt.
    {
        ProgramOptions early;
        early.parser.parse(argumentList(argc, argv));
        if (early.parser.isSet(early.help)) {
            std::fputs(qPrintable(early.parser.helpText().replace(
                           QStringLiteral("<executable_name>"), QStringLiteral("corvane"))),
                       stdout);
            return 0;
        }
        if (early.parser.isSet(early.version)) {
            std::printf("corvane %s\n", corvane::VersionText);
            return 0;
        }
    }

    QApplication app(argc, argv);
    // Qt has taken its own options out; what remains must all be ours.
    ProgramOptions options;
    if (!options.parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "corvane: %s\nTry 'corvane --help' for more information.\n",
                     qPrintable(options.parser.errorText()));
        return 2;
    }
    if (!options.parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "corvane: unexpected argument \"%s\"\n",
                     qPrintable(options.parser.positionalArguments().constFirst()));
        return 2;
    }

    corvane::ui::ServerAddress server;
    const QString serverText = options.parser.value(options.server);
    if (!corvane::ui::ServerAddress::parse(serverText, server)) {
        std::fprintf(stderr, "corvane: --server wants HOST or HOST:PORT, not \"%s\"\n",
                     qPrintable(serverText));
        return 2;
    }

    corvane::ui::GameProgram program(corvane::ui::clockSeed(), server,
                                     std::make_unique<corvane::ui::Preferences>());
    program.start();
    return app.exec();
}
