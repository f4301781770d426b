// The simulator's trace lines are written by hand, for speed; here a JSON library reads them back:
// every line of whole games parses and is byte for byte what the library itself would write (the
// keys are the trace checker's and the replay's to read), and read back by the replay it tells
// the games exactly as they were told while they were played; texts with quotes, backslashes and
// control characters survive the round trip, and a failed write is reported instead of lost.
#include "flow/trace_reader.h"
#include "flow/trace_writer.h"
#include "tools/sim/narrator.h"
#include "tools/sim/simulation.h"

#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace corvane {
namespace {

using Json = nlohmann::ordered_json;

// A trace written into memory.
struct MemoryTrace {
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&data, &size);
    ~MemoryTrace() {
        if (file)
            std::fclose(file);
        std::free(data);
    }
    std::string text() {
        std::fflush(file);
        return std::string(data, size);
    }
};

TEST(TraceJson, WholeGamesParseAndReplayAsTheyWereTold) {
    MemoryTrace memory;
    ASSERT_NE(memory.file, nullptr);
    SimOptions options;
    options.seed = 18446744073709551615ull; // the top of the seed's range is written whole
    Simulation sim(options);
    TraceWriter trace(memory.file, [&sim] { return sim.player().lastHintSuit(); });
    const std::array<std::string, 4> names{"You", "Left", "Partner", "Right"};
    MemoryTrace told;
    Narrator live(names, told.file);
    sim.engine().addObserver(&trace);
    sim.engine().addObserver(&live);
    sim.onGameStart([&](int game) { trace.gameStarted(game, options.seed); });
    sim.play(10);

    std::vector<std::string> lines;
    std::istringstream in(memory.text());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_GT(lines.size(), 1000u);
    for (const std::string& line : lines) {
        const Json event = Json::parse(line); // throws on anything that is not JSON
        ASSERT_TRUE(event.is_object()) << line;
        EXPECT_EQ(event.dump(), line);
    }
    EXPECT_EQ(Json::parse(lines.front()).at("seed").get<std::uint64_t>(), options.seed);

    std::istringstream again(memory.text());
    MemoryTrace retold;
    Narrator narrator(names, retold.file);
    int games = 0;
    const TraceResult r = readTrace(again, narrator, [&](int game, std::uint64_t seed) {
        EXPECT_EQ(std::pair(game, std::uint64_t{seed}), std::pair(++games, options.seed));
    });
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.games, 10);
    EXPECT_EQ(r.hands, sim.figures().hands);
    EXPECT_EQ(told.text().find("You deals"), std::string::npos); // "You deal", as a person says it
    EXPECT_NE(told.text().find("You deal."), std::string::npos);
    EXPECT_EQ(retold.text(), told.text());
}

TEST(TraceJson, TextsSurviveTheRoundTrip) {
    for (const std::string& text :
         {std::string(), std::string("Count 25"), std::string("She's gone, b'y."),
          std::string("a \"quoted\" word"), std::string("back\\slash"), std::string("two\nlines"),
          std::string("tab\tand\rreturn"), std::string("\x01\x1f bell\x07", 9),
          std::string("caf\xc3\xa9 \xe2\x99\xa5"), std::string(1, '\0')}) {
        const std::string written = jsonString(text);
        EXPECT_EQ(Json::parse(written).get<std::string>(), text) << written;
        EXPECT_EQ(Json(text).dump(), written);
    }
}

TEST(TraceJson, AFailedWriteIsKeptAndLaterLinesAreNotTried) {
    std::FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr)
        GTEST_SKIP() << "no /dev/full here";
    std::setvbuf(full, nullptr, _IONBF, 0);
    TraceWriter trace(full, [] { return 0; });
    EXPECT_EQ(trace.error(), 0);
    trace.gameStarted(1, 7);
    EXPECT_EQ(trace.error(), ENOSPC);
    trace.onTrick(0, 1);
    EXPECT_EQ(trace.error(), ENOSPC);
    std::fclose(full);
}

} // namespace
} // namespace corvane
