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
#include "app/qt_arguments.h"
#include "corvane_version.h"
#include "server/command_line.h"
#include "ui/program/game_program.h"
#include "ui/program/language.h"

#include <QApplication>
#include <memory>

namespace {

// The desktop entry and AppStream id; the window manager matches the window to its launcher by it.
constexpr const char* DesktopFileName = "org.corvane.corvane";

struct GameOptions {
    corvane::ui::ServerAddress server;
    bool serverGiven = false;
    double pace = 1;
};

// Reads the program's own arguments; nothing when the window opens, else the code to exit with.
std::optional<int> parseOptions(int argc, char** argv, GameOptions& options) {
    const std::vector<std::string> ours = corvane::app::withoutQtOptions(argc, argv);
    std::vector<const char*> args;
    for (const std::string& arg : ours)
        args.push_back(arg.c_str());

    CLI::App app("Corvane, the card game. Qt's own options, such as -platform NAME, are also "
                 "accepted.",
                 "corvane");
    corvane::cli::setUp(app);
    std::string server = "localhost";
    CLI::Option* serverOption =
        app.add_option("--server", server,
                       "The lobby server for online play (a PORT moves all three ports)")
            ->type_name("HOST[:PORT]")
            ->check(CLI::Validator(
                [](std::string& text) {
                    corvane::ui::ServerAddress ignored;
                    return corvane::ui::ServerAddress::parse(QString::fromStdString(text), ignored)
                               ? std::string()
                               : "\"" + text + "\" is not HOST or HOST:PORT";
                },
                ""));
    app.add_option("--pace", options.pace,
                   "Multiplies the table's pauses (0.1 plays ten times as fast)")
        ->type_name("FACTOR")
        ->transform(corvane::cli::range(0.01, 10.0));
    if (auto code = corvane::cli::parse(app, static_cast<int>(args.size()), args.data()))
        return code;
    corvane::ui::ServerAddress::parse(QString::fromStdString(server), options.server);
    options.serverGiven = serverOption->count() > 0;
    return std::nullopt;
}

int run(int argc, char** argv) {
    GameOptions options;
    if (auto code = parseOptions(argc, argv, options))
        return *code;

    QApplication app(argc, argv);
    auto preferences = std::make_unique<corvane::ui::Preferences>();
    corvane::ui::installLanguage(preferences->language());
    // Without --server, the lobby the player used last time.
    if (!options.serverGiven) {
        corvane::ui::ServerAddress remembered;
        if (corvane::ui::ServerAddress::parse(preferences->lobby().server, remembered))
            options.server = remembered;
    }

    corvane::ui::GameProgram program(corvane::ui::clockSeed(), options.server,
                                     std::move(preferences));
    program.scheduler.setTimeScale(options.pace);
    program.start();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QString::fromLatin1(corvane::VersionText));
    QApplication::setDesktopFileName(QString::fromLatin1(DesktopFileName));
    return corvane::cli::finish("corvane", run(argc, argv));
}
