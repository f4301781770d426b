// corvane-sim: plays whole standalone games headless and prints what happened.
#include "tools/sim/narrator.h"
#include "tools/sim/simulation.h"
#include "tools/sim/trace_writer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using namespace corvane;

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: corvane-sim [--games N] [--seed S] [--must-follow-suit] [--any-bid]\n"
                 "                   [--trace FILE] [--verbose]\n");
}

bool parseNumber(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return end && *end == '\0' && out >= 0;
}

} // namespace

int main(int argc, char** argv) {
    long long games = 1;
    long long seed = 1;
    SimOptions options;
    std::string tracePath;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--games" && hasValue && parseNumber(argv[i + 1], games)) {
            ++i;
        } else if (arg == "--seed" && hasValue && parseNumber(argv[i + 1], seed)) {
            ++i;
        } else if (arg == "--trace" && hasValue) {
            tracePath = argv[++i];
        } else if (arg == "--must-follow-suit") {
            options.mustFollowSuit = true;
        } else if (arg == "--any-bid") {
            options.anyBidAllowed = true;
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            usage();
            return 2;
        }
    }
    options.seed = static_cast<std::uint64_t>(seed);

    Simulation sim(options);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> traceFile(nullptr, std::fclose);
    std::unique_ptr<TraceWriter> trace;
    if (!tracePath.empty()) {
        traceFile.reset(std::fopen(tracePath.c_str(), "w"));
        if (!traceFile) {
            std::perror(tracePath.c_str());
            return 1;
        }
        trace = std::make_unique<TraceWriter>(traceFile.get(),
                                              [&sim] { return sim.player().lastHintSuit(); });
        sim.engine().addObserver(trace.get());
    }
    Narrator narrator(sim.engine(), stdout);
    if (verbose) {
        const Table& t = sim.engine().table();
        std::printf("Corvane: You and %s against %s and %s (seed %llu).\n",
                    t.lblPlayerName[2].caption.c_str(), t.lblPlayerName[1].caption.c_str(),
                    t.lblPlayerName[3].caption.c_str(), static_cast<unsigned long long>(seed));
        sim.engine().addObserver(&narrator);
    }
    sim.onGameStart([&](int game) {
        if (trace)
            trace->gameStarted(game, options.seed);
    });

    const auto start = std::chrono::steady_clock::now();
    try {
        sim.play(games);
    } catch (const SimulationStuck& e) {
        std::fprintf(stderr, "corvane-sim: stuck: %s\n", e.what());
        return 1;
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
