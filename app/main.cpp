// The game program: one table window over the game engine.
//
//   corvane [--server HOST[:PORT]] [--pace FACTOR] [--help] [--version]
//
// --server names the lobby server for "Play Online..." (default localhost on ports 9000, 9100
// and 9200; a PORT moves all three, keeping their spacing).
// --pace multiplies every pause of the table (the deal, the computers' moves, a trick left in
// view): 1 by default, 0.1 plays ten times as fast, so that a demonstration or a run of the
// program under a script need not sit through whole hands. Below 0.5 cards jump to their places.
//
// The arguments are read before the application is created, so that --help and --version answer
// on a machine with no display. Qt's own options (-platform and the like) are left to Qt.
#include "corvane_version.h"
#include "ui/program/game_program.h"

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
    QCommandLineOption pace{QStringLiteral("pace"),
                            QStringLiteral("Multiplies the table's pauses (default 1; 0.1 plays "
                                           "ten times as fast)."),
                            QStringLiteral("FACTOR"), QStringLiteral("1")};

    ProgramOptions() {
        parser.setApplicationDescription(QStringLiteral("Corvane, the card game."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(server);
        parser.addOption(pace);
    }
};

// The options QApplication takes for itself.
bool isQtOption(const QString& name) {
    static const QStringList names =
        QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
                       "qwindowicon icon qwindowtitle title reverse session display name style "
                       "stylesheet widgetcount nograb dograb sync visual ncols cmap qmljsdebugger")
            .split(QLatin1Char(' '));
    return names.contains(name);
}

int refuse(const QString& why) {
    std::fprintf(stderr, "corvane: %s\nTry 'corvane --help' for more information.\n",
                 qPrintable(why));
    return 2;
}

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
        early.parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
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
        for (const QString& name : early.parser.unknownOptionNames()) {
            if (!isQtOption(name))
                return refuse(QStringLiteral("Unknown option '%1'.").arg(name));
        }
    }

    QApplication app(argc, argv);
    // Qt has taken its own options out; what remains must all be ours.
    ProgramOptions options;
    if (!options.parser.parse(QApplication::arguments()))
        return refuse(options.parser.errorText());
    if (!options.parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument '%1'.")
                          .arg(options.parser.positionalArguments().constFirst()));

    corvane::ui::ServerAddress server;
    const QString serverText = options.parser.value(options.server);
    if (!corvane::ui::ServerAddress::parse(serverText, server)) {
        return refuse(
            QStringLiteral("--server wants HOST or HOST:PORT, not \"%1\".").arg(serverText));
    }
    bool paceIsNumber = false;
    const double pace = options.parser.value(options.pace).toDouble(&paceIsNumber);
    if (!paceIsNumber || !(pace > 0 && pace <= 10)) {
        return refuse(QStringLiteral("--pace wants a factor above 0 and up to 10, not \"%1\".")
                          .arg(options.parser.value(options.pace)));
    }
    auto preferences = std::make_unique<corvane::ui::Preferences>();
    // Without --server, the lobby the player used last time.
    if (!options.parser.isSet(options.server)) {
        corvane::ui::ServerAddress remembered;
        if (corvane::ui::ServerAddress::parse(preferences->lobby().server, remembered))
            server = remembered;
    }

    corvane::ui::GameProgram program(corvane::ui::clockSeed(), server, std::move(preferences));
    program.scheduler.setTimeScale(pace);
    program.start();
    return app.exec();
}
