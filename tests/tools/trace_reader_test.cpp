// A damaged game record is refused at the line that is wrong, with what is wrong: each row
// plants one kind of damage in a record of whole simulated games.
#include "cards/card_value.h"
#include "flow/trace_reader.h"
#include "flow/trace_writer.h"
#include "tools/sim/simulation.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace corvane {
namespace {

using Json = nlohmann::ordered_json;
using Lines = std::vector<Json>;

Lines simulatedGames() {
    Lines lines;
    SimOptions options;
    options.seed = 11;
    Simulation sim(options);
    TraceWriter trace([&](const std::string& line) { lines.push_back(Json::parse(line)); },
                      [] { return -1; });
    sim.engine().addObserver(&trace);
    sim.onGameStart([&](int game) { trace.gameStarted(game, options.seed); });
    sim.play(2);
    return lines;
}

// The index of the `nth` line (from 0; -1 the last) of event `ev`.
size_t find(const Lines& lines, const std::string& ev, int nth = 0) {
    std::vector<size_t> found;
    for (size_t k = 0; k < lines.size(); ++k)
        if (lines[k]["ev"] == ev)
            found.push_back(k);
    return found.at(nth < 0 ? found.size() - 1 : static_cast<size_t>(nth));
}

// Swaps a card of a seat that follows a trump lead with a trump of its own for the plain card
// it played later in the hand: the card the trump rule forbids. Returns the line so damaged.
size_t renege(Lines& lines) {
    int trump = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (lines[k]["ev"] == "trump")
            trump = lines[k]["suit"];
        const auto value = [&](size_t line) {
            return CardValue(Card::fromNumber(lines[line]["card"]), trump);
        };
        const bool follows = lines[k]["ev"] == "play" && lines[k - 1]["ev"] == "play";
        if (!follows || !isTrumpValue(value(k)) || value(k) >= AceOfHeartsValue)
            continue;
        size_t lead = k;
        while (lines[lead - 1]["ev"] == "play")
            --lead;
        if (!isTrumpValue(value(lead)))
            continue;
        for (size_t later = k + 1; lines[later]["ev"] != "hand"; ++later) {
            if (lines[later]["ev"] == "play" && lines[later]["seat"] == lines[k]["seat"] &&
                !isTrumpValue(value(later))) {
                std::swap(lines[k], lines[later]);
                return k;
            }
        }
    }
    ADD_FAILURE() << "no trump lead followed by a seat with a plain card to come";
    return 0;
}

struct Damage {
    const char* what;
    std::function<size_t(Lines&)> plant; // the line damaged, from 0
    const char* error;
};

const Damage Damages[] = {
    {"a game won by partnership 3",
     [](Lines& l) { return l[find(l, "end")]["winner"] = 3, find(l, "end"); },
     "\"winner\" is 3, not one of 0 to 1"},
    {"a game won by the losers",
     [](Lines& l) {
         auto& w = l[find(l, "end")]["winner"];
         return w = 1 - w.get<int>(), find(l, "end");
     },
     "the game ends won by partnership"},
    {"a card twice in the deck",
     [](Lines& l) {
         auto& deck = l[find(l, "deal")]["deck"];
         return deck[5] = deck[9], find(l, "deal");
     },
     "the deck holds"},
    {"a deck of 51", [](Lines& l) { return l[find(l, "deal")]["deck"].erase(0), find(l, "deal"); },
     "a deal of 51 cards"},
    {"card 999", [](Lines& l) { return l[find(l, "play")]["card"] = 999, find(l, "play"); },
     "\"card\" is 999"},
    {"card 0", [](Lines& l) { return l[find(l, "draw")]["card"] = 0, find(l, "draw"); },
     "\"card\" is 0, not one of 1 to 52"},
    {"picture -7",
     [](Lines& l) { return l[find(l, "play", 3)]["picture"] = -7, find(l, "play", 3); },
     "\"picture\" is -7"},
    {"dealer 4", [](Lines& l) { return l[find(l, "deal", 1)]["dealer"] = 4, find(l, "deal", 1); },
     "\"dealer\" is 4"},
    {"the wrong dealer",
     [](Lines& l) {
         auto& d = l[find(l, "deal", 1)]["dealer"];
         return d = (d.get<int>() + 2) % 4, find(l, "deal", 1);
     },
     "deals, but the deal is seat"},
    {"bid 35", [](Lines& l) { return l[find(l, "bid")]["bid"] = "35", find(l, "bid"); },
     "\"bid\" is not \"Pass\""},
    {"trump suit 4", [](Lines& l) { return l[find(l, "trump")]["suit"] = 4, find(l, "trump"); },
     "\"suit\" is 4"},
    {"a seat as a fraction",
     [](Lines& l) { return l[find(l, "bid")]["seat"] = 1.5, find(l, "bid"); },
     "\"seat\" is not a whole number"},
    {"a field no writer makes",
     [](Lines& l) { return l[find(l, "trick")]["extra"] = 1, find(l, "trick"); }, "unknown field"},
    {"a field left out", [](Lines& l) { return l[find(l, "draw")].erase("card"), find(l, "draw"); },
     "a draw without \"card\""},
    {"two cards played in the wrong order",
     [](Lines& l) {
         const size_t k = find(l, "play", 1);
         return std::swap(l[k], l[k + 1]), k;
     },
     "plays, but it is seat"},
    {"a card not on its picture",
     [](Lines& l) {
         auto& c = l[find(l, "play", 2)]["card"];
         return c = c.get<int>() % 52 + 1, find(l, "play", 2);
     },
     "but picture"},
    {"a card the trump rule forbids", renege, "which the rules forbid here"},
    {"a draw from the dealt cards",
     [](Lines& l) {
         l[find(l, "draw")]["card"] = l[find(l, "deal")]["deck"][0].get<int>() + 1;
         return find(l, "draw");
     },
     "which is not the stock card it draws"},
    {"a trick given to the wrong seat",
     [](Lines& l) {
         auto& w = l[find(l, "trick", 2)]["winner"];
         return w = (w.get<int>() + 1) % 4, find(l, "trick", 2);
     },
     "the trick goes to seat"},
    {"a trick's units changed",
     [](Lines& l) {
         auto& u = l[find(l, "trick", 4)]["units"];
         return u = 3 - u.get<int>(), find(l, "trick", 4);
     },
     "units, but its cards give"},
    {"a hand's score changed",
     [](Lines& l) {
         auto& s = l[find(l, "hand")]["scores"][1];
         return s = s.get<int>() + 5, find(l, "hand");
     },
     "the scores are"},
    {"a hand's message changed",
     [](Lines& l) { return l[find(l, "hand")]["message"] = "Count 90 points.", find(l, "hand"); },
     "the hand's message"},
    {"a trump line lost",
     [](Lines& l) { return l.erase(l.begin() + find(l, "trump")), find(l, "discard"); },
     "a discard in the auction"},
    {"a game's end lost",
     [](Lines& l) { return l.erase(l.begin() + find(l, "end", -1)), l.size() - 1; },
     "without the game's end"},
};

std::string text(const Lines& lines) {
    std::string out;
    for (const Json& j : lines)
        out += j.dump() + '\n';
    return out;
}

TableObserver nobody;

TEST(TraceReader, AWholeRecordIsReadAndEachDamageRefusedAtItsLine) {
    const Lines games = simulatedGames();
    std::istringstream whole(text(games));
    const TraceResult read = readTrace(whole, nobody);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.games, 2);
    for (const Damage& damage : Damages) {
        Lines lines = games;
        const size_t line = damage.plant(lines);
        std::istringstream in(text(lines));
        const std::string error = readTrace(in, nobody).error;
        EXPECT_EQ(error.rfind("line " + std::to_string(line + 1) + ": ", 0), 0u)
            << damage.what << ": " << error;
        EXPECT_NE(error.find(damage.error), std::string::npos) << damage.what << ": " << error;
    }
}

TEST(TraceReader, ARecordCutOrNotOfLinesIsRefused) {
    const std::string game = text(simulatedGames());
    for (const auto& [record, error] : std::initializer_list<std::pair<std::string, std::string>>{
             {"", "the record holds no game"},
             {game.substr(0, game.size() - 7), "cut off before its end"},
             {"{\"ev\":\"game\",\"game\":1,\"seed\":2}\n{\"ev\":\"deal\"\n", "line 2: not JSON"},
             {"\n{\"ev\":\"shuffle\"}\n", "line 2: an unknown event \"shuffle\""},
             {"[1,2]\n", "line 1: not a JSON object"},
             {std::string(5000, ' ') + "\n", "line 1: longer than 4096 characters"},
             {"{\"ev\":\"deal\",\"hand\":1,\"dealer\":0,\"deck\":[]}\n", "line 1: a deal of 0"},
         }) {
        std::istringstream in(record);
        EXPECT_NE(readTrace(in, nobody).error.find(error), std::string::npos) << error;
    }
}

} // namespace
} // namespace corvane
