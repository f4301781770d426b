// A trace read back tells the games exactly as they were told while they were played, and a
// broken line is reported with its number.
#include "flow/trace_writer.h"
#include "tools/sim/narrator.h"
#include "tools/sim/replay.h"
#include "tools/sim/simulation.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>

namespace corvane {
namespace {

// Text written into memory through a FILE*.
struct Memory {
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&data, &size);
    ~Memory() {
        if (file)
            std::fclose(file);
        std::free(data);
    }
    std::string text() {
        std::fflush(file);
        return std::string(data, size);
    }
};

const std::array<std::string, 4> Names{"You", "Left", "Partner", "Right"};

TEST(Replay, TellsTheGamesAsTheyWerePlayed) {
    Simulation sim(SimOptions{9, false, false});
    Memory trace;
    Memory told;
    TraceWriter writer(trace.file, [&sim] { return sim.player().lastHintSuit(); });
    Narrator live(Names, told.file);
    sim.engine().addObserver(&writer);
    sim.engine().addObserver(&live);
    sim.onGameStart([&](int game) { writer.gameStarted(game, 9); });
    ASSERT_NO_THROW(sim.play(3));

    std::istringstream in(trace.text());
    Memory retold;
    Narrator again(Names, retold.file);
    std::vector<int> games;
    const ReplayResult r = replayTrace(in, again, [&](int game, unsigned long long seed) {
        games.push_back(game);
        EXPECT_EQ(seed, 9u);
    });
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.games, 3);
    EXPECT_EQ(games, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(r.hands, sim.figures().hands);
    EXPECT_FALSE(told.text().empty());
    EXPECT_EQ(retold.text(), told.text());
}

TEST(Replay, ABrokenLineIsReportedWithItsNumber) {
    struct Row {
        const char* trace;
        const char* error;
    };
    for (const Row& row : {
             Row{"{\"ev\":\"game\",\"game\":1,\"seed\":2}\n{\"ev\":\"deal\"", "line 2: "},
             Row{"{\"ev\":\"bid\",\"seat\":1}\n", "line 1: "},
             Row{"\n{\"ev\":\"shuffle\"}\n", "line 2: an unknown event \"shuffle\""},
             Row{"{\"ev\":\"deal\",\"hand\":1,\"dealer\":0,\"deck\":[1,2]}\n",
                 "line 1: a deal of 2 cards"},
         }) {
        std::istringstream in(row.trace);
        TableObserver nobody;
        const ReplayResult r = replayTrace(in, nobody);
        EXPECT_EQ(r.error.rfind(row.error, 0), 0u) << r.error;
    }
}

} // namespace
} // namespace corvane
