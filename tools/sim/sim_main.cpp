// corvane-sim: plays whole standalone games headless and prints what happened.
#include "flow/trace_reader.h"
#include "flow/trace_writer.h"
#include "server/command_line.h"
#include "tools/sim/narrator.h"
#include "tools/sim/simulation.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

using namespace corvane;

namespace {

// The trace file could not be written; the run stops at the next game.
struct TraceLost {};

// --replay: a trace read back, told hand by hand with --verbose. A damaged record is refused
// before a word of it is told: the telling is a second reading of a record already checked.
int replay(const std::string& path, bool verbose) {
    Narrator narrator({"You", "Left", "Partner", "Right"}, stdout);
    TableObserver quiet;
    TraceResult r;
    for (const bool tell : {false, true}) {
        if (tell && !verbose)
            break;
        std::ifstream in(path);
        if (!in) {
            std::fprintf(stderr, "corvane-sim: --replay %s: %s\n", path.c_str(),
                         std::strerror(errno));
            return cli::ExitRunFailed;
        }
        r = readTrace(in, tell ? static_cast<TableObserver&>(narrator) : quiet,
                      [tell](int game, std::uint64_t seed) {
                          if (tell)
                              std::printf("\nGame %d (seed %llu)\n", game,
                                          static_cast<unsigned long long>(seed));
                      });
        if (!r.error.empty()) {
            std::fprintf(stderr, "corvane-sim: --replay %s: %s\n", path.c_str(), r.error.c_str());
            return cli::ExitRunFailed;
        }
    }
    std::printf("\ngames %ld\nhands %ld\n", r.games, r.hands);
    return 0;
}

int traceFailed(const std::string& path, int error) {
    std::fprintf(stderr, "corvane-sim: --trace %s: %s\n", path.c_str(), std::strerror(error));
    return cli::ExitRunFailed;
}

int run(int argc, char** argv) {
    long games = 1;
    std::uint64_t seed = 1;
    SimOptions options;
    std::string tracePath;
    bool verbose = false;

    CLI::App app("Plays whole standalone Corvane games on the real engine, headless.",
                 "corvane-sim");
    cli::setUp(app);
    app.add_option("--games", games, "Games to play")
        ->type_name("N")
        ->transform(cli::range(1L, 1000000000L))
        ->capture_default_str();
    cli::addSeed(app, seed, "The random seed (default 1)");
    app.add_flag("--must-follow-suit", options.mustFollowSuit, "Play with the follow-suit rule");
    app.add_flag("--any-bid", options.anyBidAllowed, "Any bid allowed without a five");
    app.add_option("--trace", tracePath, "Write every step as one JSON object a line")
        ->type_name("FILE");
    app.add_flag("--verbose", verbose, "Print the games hand by hand");
    std::string replayPath;
    app.add_option("--replay", replayPath,
                   "Read back a trace (--trace, or a game record the program saved) instead of "
                   "playing; with --verbose, hand by hand")
        ->type_name("FILE");
    if (auto code = cli::parse(app, argc, argv))
        return *code;
    if (!replayPath.empty())
        return replay(replayPath, verbose);
    options.seed = seed;

    Simulation sim(options);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> traceFile(nullptr, std::fclose);
    std::unique_ptr<TraceWriter> trace;
    if (!tracePath.empty()) {
        traceFile.reset(std::fopen(tracePath.c_str(), "w"));
        if (!traceFile)
            return traceFailed(tracePath, errno);
        trace = std::make_unique<TraceWriter>(traceFile.get(),
                                              [&sim] { return sim.player().lastHintSuit(); });
        sim.engine().addObserver(trace.get());
    }
    Narrator narrator(sim.engine(), stdout);
    if (verbose) {
        const Table& t = sim.engine().table();
        std::printf("Corvane: You and %s against %s and %s (seed %llu).\n", t.seats[2].name.c_str(),
                    t.seats[1].name.c_str(), t.seats[3].name.c_str(),
                    static_cast<unsigned long long>(seed));
        sim.engine().addObserver(&narrator);
    }
    sim.onGameStart([&](int game) {
        if (!trace)
            return;
        if (trace->error() != 0)
            throw TraceLost{};
        trace->gameStarted(game, options.seed);
    });

    const auto start = std::chrono::steady_clock::now();
    try {
        sim.play(games);
    } catch (const SimulationStuck& e) {
        std::fprintf(stderr, "corvane-sim: stuck: %s\n", e.what());
        return cli::ExitRunFailed;
    } catch (const TraceLost&) {
        return traceFailed(tracePath, trace->error());
    }
    if (trace) {
        // Whatever is still buffered must reach the file too.
        const bool flushed = std::fflush(traceFile.get()) == 0;
        if (trace->error() != 0 || !flushed)
            return traceFailed(tracePath, trace->error() != 0 ? trace->error() : errno);
        if (std::fclose(traceFile.release()) != 0)
            return traceFailed(tracePath, errno);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const SimFigures& f = sim.figures();
    std::printf("\ngames %ld\nhands %ld\nmisdeals %ld\n", f.games, f.hands, f.misdeals);
    const char* levels[] = {"", "20", "25", "30"};
    for (size_t level = 1; level <= 3; ++level)
        std::printf("bids %s: made %ld, set %ld\n", levels[level], f.made[level], f.set[level]);
    const long total = f.wins[0] + f.wins[1];
    if (total > 0) {
        const long winner = f.wins[0] >= f.wins[1] ? 0 : 1;
        std::printf("winning partnership: %s, %ld of %ld games (%.1f%%)\n",
                    winner == 0 ? "seats 0 and 2" : "seats 1 and 3", f.wins[winner], total,
                    100.0 * static_cast<double>(f.wins[winner]) / static_cast<double>(total));
    }
    if (sim.player().refusedHints() > 0)
        std::printf("hints refused by the table: %ld\n", sim.player().refusedHints());
    std::printf("hands per second %.0f\n",
                seconds > 0 ? static_cast<double>(f.hands) / seconds : 0.0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return cli::finish("corvane-sim", run(argc, argv));
}
