// corvane-arena: two levels of computer player, N games in duplicate, and the figures.
#include "server/command_line.h"
#include "tools/arena/arena.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace {

const char* levelName(corvane::ComputerLevel level) {
    static constexpr const char* names[] = {"Standard", "Expert", "Master"};
    return names[static_cast<size_t>(level)];
}

void printSide(const corvane::ArenaFigures& f, size_t side, corvane::ComputerLevel level) {
    const auto& s = f.sides[side];
    std::printf("%s (side %c): %ld games won, %.2f points a hand\n", levelName(level),
                side == 0 ? 'A' : 'B', s.wins,
                f.hands == 0 ? 0.0 : static_cast<double>(s.points) / static_cast<double>(f.hands));
    for (size_t level = 1; level <= 3; ++level)
        std::printf("  bids %zu: made %ld, set %ld\n", 15 + 5 * level, s.made[level], s.set[level]);
}

int run(int argc, char** argv) {
    corvane::ArenaOptions options;
    const std::map<std::string, corvane::ComputerLevel> levels{
        {"standard", corvane::ComputerLevel::Standard},
        {"expert", corvane::ComputerLevel::Expert},
        {"master", corvane::ComputerLevel::Master}};

    CLI::App app{"corvane-arena: two levels of computer player in duplicate games",
                 "corvane-arena"};
    corvane::cli::setUp(app);
    app.add_option("--games", options.games, "games to play (two per deal sequence)")
        ->transform(corvane::cli::range(1L, 1000000000L));
    corvane::cli::addSeed(app, options.seed, "the seed of the first deal sequence");
    app.add_option("--threads", options.threads, "threads to play on")
        ->transform(corvane::cli::range(1, 64));
    app.add_option("--samples", options.effort.samples, "deals the Expert weighs for each card")
        ->transform(corvane::cli::range(1, 100000));
    app.add_option("--bid-samples", options.effort.bidSamples,
                   "deals the Expert weighs for each suit in the auction")
        ->transform(corvane::cli::range(1, 100000));
    app.add_option("--side-a", options.levels[0], "level of side A (master, expert or standard)")
        ->transform(CLI::CheckedTransformer(levels, CLI::ignore_case));
    app.add_option("--side-b", options.levels[1], "level of side B (master, expert or standard)")
        ->transform(CLI::CheckedTransformer(levels, CLI::ignore_case));
    app.add_option("--discard-samples", options.effort.discardSamples,
                   "deals the Expert weighs for each way of keeping at the discard")
        ->transform(corvane::cli::range(1, 100000));
    const std::map<std::string, bool> discards{{"sampled", true}, {"rule", false}};
    app.add_option("--discard-a", options.sampledDiscard[0],
                   "how an Expert side A discards (sampled or rule)")
        ->transform(CLI::CheckedTransformer(discards, CLI::ignore_case));
    app.add_option("--discard-b", options.sampledDiscard[1],
                   "how an Expert side B discards (sampled or rule)")
        ->transform(CLI::CheckedTransformer(discards, CLI::ignore_case));
    app.add_flag("--must-follow-suit", options.mustFollowSuit, "play with \"Must follow suit\"");
    app.add_flag("--any-bid", options.anyBidAllowed, "play without \"Must have 5 to bid 25\"");
    if (auto code = corvane::cli::parse(app, argc, argv))
        return *code;
    options.games += options.games % 2;

    const auto start = std::chrono::steady_clock::now();
    const corvane::ArenaFigures f = corvane::playArena(options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("games %ld (%ld deal sequences, each played twice), hands %ld, %.1f s\n", f.games,
                f.games / 2, f.hands, seconds);
    printSide(f, 0, options.levels[0]);
    printSide(f, 1, options.levels[1]);
    std::printf("deal sequences won twice / once / never by side A: %ld / %ld / %ld\n",
                f.pairWins[2], f.pairWins[1], f.pairWins[0]);
    const auto ci = f.interval();
    std::printf("arena: %s won %ld of %ld games (%.1f%%, 95%% CI %.1f-%.1f%%)\n",
                levelName(options.levels[0]), f.sides[0].wins, f.games, 100.0 * f.winRate(),
                100.0 * ci[0], 100.0 * ci[1]);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return corvane::cli::finish("corvane-arena", run(argc, argv));
}
