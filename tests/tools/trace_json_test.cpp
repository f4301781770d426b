// The simulator's trace lines are written by hand, for speed; here a JSON library reads them back:
// every line of whole games parses to the documented keys and is byte for byte what the library
// itself would write, texts with quotes, backslashes and control characters survive the round
// trip, and a failed write is reported instead of lost.
#include "flow/trace_writer.h"
#include "tools/sim/simulation.h"

#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
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
    std::vector<std::string> lines() {
        std::fflush(file);
        std::vector<std::string> out;
        std::istringstream in(std::string(data, size));
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
};

TEST(TraceJson, WholeGamesParseToTheDocumentedKeysExactlyAsTheLibraryWritesThem) {
    const std::map<std::string, std::vector<std::string>> keys{
        {"game", {"ev", "game", "seed"}},
        {"deal", {"ev", "hand", "dealer", "deck"}},
        {"bid", {"ev", "seat", "bid", "suit"}},
        {"misdeal", {"ev", "dealer"}},
        {"trump", {"ev", "bidder", "suit", "bid"}},
        {"discard", {"ev", "seat", "pictures"}},
        {"kitty", {"ev", "thrown", "moved"}},
        {"draw", {"ev", "picture", "card"}},
        {"play", {"ev", "seat", "picture", "card"}},
        {"trick", {"ev", "winner", "units"}},
        {"hand", {"ev", "bidder", "bid", "counted", "made", "scores", "message"}},
        {"end", {"ev", "winner", "scores"}},
    };
    MemoryTrace memory;
    ASSERT_NE(memory.file, nullptr);
    SimOptions options;
    options.seed = 18446744073709551615ull; // the top of the seed's range is written whole
    Simulation sim(options);
    TraceWriter trace(memory.file, [&sim] { return sim.player().lastHintSuit(); });
    sim.engine().addObserver(&trace);
    sim.onGameStart([&](int game) { trace.gameStarted(game, options.seed); });
    sim.play(10);

    std::set<std::string> seen;
    const auto lines = memory.lines();
    ASSERT_GT(lines.size(), 1000u);
    for (const std::string& line : lines) {
        const Json event = Json::parse(line); // throws on anything that is not JSON
        ASSERT_TRUE(event.is_object()) << line;
        const std::string ev = event.at("ev").get<std::string>();
        ASSERT_TRUE(keys.count(ev)) << line;
        std::vector<std::string> names;
        for (const auto& item : event.items())
            names.push_back(item.key());
        EXPECT_EQ(names, keys.at(ev)) << line;
        EXPECT_EQ(event.dump(), line);
        seen.insert(ev);
    }
    for (const char* ev : {"game", "deal", "bid", "trump", "discard", "kitty", "draw", "play",
                           "trick", "hand", "end"})
        EXPECT_TRUE(seen.count(ev)) << ev;
    EXPECT_EQ(Json::parse(lines.front()).at("seed").get<std::uint64_t>(), options.seed);
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
