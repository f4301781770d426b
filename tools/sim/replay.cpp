// One line at a time: parse, check the fields the event needs, call the observer.
#include "tools/sim/replay.h"

#include <nlohmann/json.hpp>

namespace corvane {

namespace {

using Json = nlohmann::json;

std::vector<int> ints(const Json& j) {
    std::vector<int> out;
    for (const Json& v : j)
        out.push_back(v.get<int>());
    return out;
}

std::array<int, 2> pair(const Json& j) {
    return {j.at(0).get<int>(), j.at(1).get<int>()};
}

void step(const Json& j, TableObserver& o, ReplayResult& r,
          const std::function<void(int, unsigned long long)>& onGame) {
    const std::string ev = j.at("ev").get<std::string>();
    if (ev == "game") {
        ++r.games;
        if (onGame)
            onGame(j.at("game").get<int>(), j.at("seed").get<unsigned long long>());
    } else if (ev == "deal") {
        ++r.hands;
        std::array<int, 52> deck{};
        const std::vector<int> cards = ints(j.at("deck"));
        if (cards.size() != deck.size())
            throw std::runtime_error("a deal of " + std::to_string(cards.size()) + " cards");
        std::copy(cards.begin(), cards.end(), deck.begin());
        o.onDeal(j.at("dealer").get<int>(), deck);
    } else if (ev == "bid") {
        o.onBid(j.at("seat").get<int>(), j.at("bid").get<std::string>(), j.at("suit").get<int>());
    } else if (ev == "misdeal") {
        o.onMisdeal(j.at("dealer").get<int>());
    } else if (ev == "trump") {
        o.onTrump(j.at("bidder").get<int>(), j.at("suit").get<int>(), j.at("bid").get<int>());
    } else if (ev == "discard") {
        o.onDiscard(j.at("seat").get<int>(), ints(j.at("pictures")));
    } else if (ev == "kitty") {
        std::vector<std::pair<int, int>> moved;
        for (const Json& m : j.at("moved"))
            moved.emplace_back(m.at(0).get<int>(), m.at(1).get<int>());
        o.onKitty(ints(j.at("thrown")), moved);
    } else if (ev == "draw") {
        o.onDraw(j.at("picture").get<int>(), Card::fromNumber(j.at("card").get<int>()));
    } else if (ev == "play") {
        o.onPlay(j.at("seat").get<int>(), j.at("picture").get<int>(),
                 Card::fromNumber(j.at("card").get<int>()));
    } else if (ev == "trick") {
        o.onTrick(j.at("winner").get<int>(), j.at("units").get<int>());
    } else if (ev == "hand") {
        HandResult h;
        h.bidder = j.at("bidder").get<int>();
        h.bid = j.at("bid").get<int>();
        h.counted = j.at("counted").get<int>();
        h.made = j.at("made").get<bool>();
        h.scores = pair(j.at("scores"));
        h.message = j.at("message").get<std::string>();
        o.onHand(h);
    } else if (ev == "end") {
        o.onGameEnd(j.at("winner").get<int>(), pair(j.at("scores")));
    } else {
        throw std::runtime_error("an unknown event \"" + ev + "\"");
    }
}

} // namespace

ReplayResult replayTrace(std::istream& in, TableObserver& observer,
                         const std::function<void(int, unsigned long long)>& onGame) {
    ReplayResult r;
    for (std::string line; std::getline(in, line);) {
        ++r.lines;
        if (line.empty())
            continue;
        try {
            step(Json::parse(line), observer, r, onGame);
        } catch (const std::exception& e) {
            r.error = "line " + std::to_string(r.lines) + ": " + e.what();
            return r;
        }
    }
    return r;
}

} // namespace corvane
