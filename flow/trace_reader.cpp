// One line at a time: a bounded read, the JSON parse, each field taken only when it is of its
// kind and in its range, the referee's check of the event, then the observer.
#include "flow/trace_reader.h"

#include "flow/trace_referee.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <nlohmann/json.hpp>

namespace corvane {

namespace {

using Json = nlohmann::json;

// Far above any line the writers make (a deal is about 200 characters), far below trouble.
constexpr std::size_t MaxLine = 4096;

[[noreturn]] void fault(const std::string& what) {
    throw TraceFault(what);
}

std::string quoted(const char* key) {
    return std::string("\"") + key + "\"";
}

// The fields of one event, each taken with its range.
class Fields {
public:
    Fields(const Json& j, const std::string& event, std::initializer_list<const char*> keys)
        : m_j(j), m_event(event) {
        for (const auto& item : j.items()) {
            const std::string& key = item.key();
            if (key != "ev" &&
                std::none_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; }))
                fault("a " + event + " with an unknown field \"" + key.substr(0, 20) + "\"");
        }
    }

    int integer(const char* key, long long low, long long high) const {
        return number(at(key), quoted(key), low, high);
    }

    std::uint64_t seed(const char* key) const {
        const Json& v = at(key);
        if (!v.is_number_unsigned() && !(v.is_number_integer() && v.get<long long>() >= 0))
            fault(quoted(key) + " is not a whole number from 0 up");
        return v.get<std::uint64_t>();
    }

    bool flag(const char* key) const {
        const Json& v = at(key);
        if (!v.is_boolean())
            fault(quoted(key) + " is not true or false");
        return v.get<bool>();
    }

    std::string text(const char* key) const {
        const Json& v = at(key);
        if (!v.is_string())
            fault(quoted(key) + " is not a text");
        return v.get<std::string>();
    }

    // A list of at most `most` whole numbers in [low, high].
    std::vector<int> integers(const char* key, std::size_t most, int low, int high) const {
        return list(at(key), quoted(key), most, low, high);
    }

    std::vector<std::pair<int, int>> pairs(const char* key, std::size_t most, int low,
                                           int high) const {
        const Json& v = at(key);
        if (!v.is_array() || v.size() > most)
            fault(quoted(key) + " is not a list of at most " + std::to_string(most) + " pairs");
        std::vector<std::pair<int, int>> out;
        for (const Json& pair : v) {
            const std::vector<int> two = list(pair, quoted(key) + "'s pair", 2, low, high);
            if (two.size() != 2)
                fault(quoted(key) + " holds a pair that is not two numbers");
            out.emplace_back(two[0], two[1]);
        }
        return out;
    }

private:
    const Json& at(const char* key) const {
        const auto it = m_j.find(key);
        if (it == m_j.end())
            fault("a " + m_event + " without " + quoted(key));
        return *it;
    }

    static int number(const Json& v, const std::string& what, long long low, long long high) {
        // A bool or a fraction is no number here, nor is anything beyond the range. (The parser
        // keeps a number from 0 up unsigned, one below 0 signed.)
        if (!v.is_number_integer())
            fault(what + " is not a whole number");
        const bool inRange = v.is_number_unsigned()
                                 ? v.get<std::uint64_t>() <= std::uint64_t(high) &&
                                       static_cast<long long>(v.get<std::uint64_t>()) >= low
                                 : v.get<long long>() >= low && v.get<long long>() <= high;
        if (!inRange)
            fault(what + " is " + v.dump() + ", not one of " + std::to_string(low) + " to " +
                  std::to_string(high));
        return static_cast<int>(v.get<long long>());
    }

    static std::vector<int> list(const Json& v, const std::string& what, std::size_t most, int low,
                                 int high) {
        if (!v.is_array() || v.size() > most)
            fault(what + " is not a list of at most " + std::to_string(most) + " numbers");
        std::vector<int> out;
        for (const Json& item : v)
            out.push_back(number(item, what + " holds a number that", low, high));
        return out;
    }

    const Json& m_j;
    const std::string& m_event;
};

std::array<int, 2> scorePair(const Fields& f) {
    const std::vector<int> s = f.integers("scores", 2, -1000000, 1000000);
    if (s.size() != 2)
        fault("\"scores\" is not two numbers");
    return {s[0], s[1]};
}

// A bid as the table shows it.
bool isBid(const std::string& bid) {
    return bid == "Pass" || bid == "20" || bid == "25" || bid == "30";
}

void step(const Json& j, TableObserver& o, TraceReferee& referee, TraceResult& r,
          const std::function<void(int, std::uint64_t)>& onGame) {
    if (!j.is_object())
        fault("not a JSON object");
    const auto ev = j.find("ev");
    if (ev == j.end() || !ev->is_string())
        fault("a line without its event, \"ev\"");
    const std::string event = ev->get<std::string>();
    constexpr int Seat = 3;
    constexpr int Picture = 22;
    if (event == "game") {
        const Fields f(j, event, {"game", "seed"});
        const int game = f.integer("game", 1, INT_MAX - 1);
        const std::uint64_t seed = f.seed("seed");
        referee.game(game);
        ++r.games;
        if (onGame)
            onGame(game, seed);
    } else if (event == "deal") {
        const Fields f(j, event, {"hand", "dealer", "deck"});
        const int hand = f.integer("hand", 1, INT_MAX - 1);
        const int dealer = f.integer("dealer", 0, Seat);
        const std::vector<int> cards = f.integers("deck", 52, 0, 51);
        if (cards.size() != 52)
            fault("a deal of " + std::to_string(cards.size()) + " cards");
        std::array<int, 52> deck{};
        std::copy(cards.begin(), cards.end(), deck.begin());
        referee.deal(hand, dealer, deck);
        ++r.hands;
        o.onDeal(dealer, deck);
    } else if (event == "bid") {
        const Fields f(j, event, {"seat", "bid", "suit"});
        const int seat = f.integer("seat", 0, Seat);
        const std::string word = f.text("bid");
        if (!isBid(word))
            fault("\"bid\" is not \"Pass\", \"20\", \"25\" or \"30\"");
        const int suit = f.integer("suit", -1, 3);
        const Bid bid = Bid::fromWord(word);
        referee.bid(seat, bid);
        o.onBid(seat, bid, suit);
    } else if (event == "misdeal") {
        const Fields f(j, event, {"dealer"});
        const int dealer = f.integer("dealer", 0, Seat);
        referee.misdeal(dealer);
        o.onMisdeal(dealer);
    } else if (event == "trump") {
        const Fields f(j, event, {"bidder", "suit", "bid"});
        const int bidder = f.integer("bidder", 0, Seat);
        const int suit = f.integer("suit", 0, 3);
        const int bid = f.integer("bid", 20, 30);
        referee.trump(bidder, suit, bid);
        o.onTrump(bidder, suit, bid);
    } else if (event == "discard") {
        const Fields f(j, event, {"seat", "pictures"});
        const int seat = f.integer("seat", 0, Seat);
        const std::vector<int> pictures = f.integers("pictures", 8, 0, Picture);
        referee.discard(seat, pictures);
        o.onDiscard(seat, pictures);
    } else if (event == "kitty") {
        const Fields f(j, event, {"thrown", "moved"});
        const std::vector<int> thrown = f.integers("thrown", 8, 0, Picture);
        const std::vector<std::pair<int, int>> moved = f.pairs("moved", 3, 0, Picture);
        referee.kitty(thrown, moved);
        o.onKitty(thrown, moved);
    } else if (event == "draw") {
        const Fields f(j, event, {"picture", "card"});
        const int picture = f.integer("picture", 0, Picture);
        const Card card = Card::fromNumber(f.integer("card", 1, 52));
        referee.draw(picture, card);
        o.onDraw(picture, card);
    } else if (event == "play") {
        const Fields f(j, event, {"seat", "picture", "card"});
        const int seat = f.integer("seat", 0, Seat);
        const int picture = f.integer("picture", 0, Picture);
        const Card card = Card::fromNumber(f.integer("card", 1, 52));
        referee.play(seat, picture, card);
        o.onPlay(seat, picture, card);
    } else if (event == "trick") {
        const Fields f(j, event, {"winner", "units"});
        const int winner = f.integer("winner", 0, Seat);
        const int units = f.integer("units", 1, 2);
        referee.trick(winner, units);
        o.onTrick(winner, units);
    } else if (event == "hand") {
        const Fields f(j, event, {"bidder", "bid", "counted", "made", "scores", "message"});
        HandResult h;
        h.bidder = f.integer("bidder", 0, Seat);
        h.bid = f.integer("bid", 20, 30);
        h.counted = f.integer("counted", 0, 30);
        h.made = f.flag("made");
        h.scores = scorePair(f);
        h.message = f.text("message");
        referee.hand(h);
        o.onHand(h);
    } else if (event == "end") {
        const Fields f(j, event, {"winner", "scores"});
        const int winner = f.integer("winner", 0, 1);
        const std::array<int, 2> scores = scorePair(f);
        referee.end(winner, scores);
        o.onGameEnd(winner, scores);
    } else {
        fault("an unknown event \"" + event.substr(0, 20) + "\"");
    }
}

enum class LineRead { Whole, Unended, TooLong, None };

// One line without its newline; a line longer than MaxLine is not kept whole.
LineRead readLine(std::streambuf& in, std::string& line) {
    line.clear();
    for (;;) {
        const int c = in.sbumpc();
        if (c == std::char_traits<char>::eof())
            return line.empty() ? LineRead::None : LineRead::Unended;
        if (c == '\n')
            return LineRead::Whole;
        if (line.size() == MaxLine)
            return LineRead::TooLong;
        line.push_back(static_cast<char>(c));
    }
}

} // namespace

TraceResult readTrace(std::istream& in, TableObserver& observer,
                      const std::function<void(int, std::uint64_t)>& onGame) {
    TraceResult r;
    TraceReferee referee;
    std::streambuf* buffer = in.rdbuf();
    try {
        std::string line;
        for (LineRead read; buffer && (read = readLine(*buffer, line)) != LineRead::None;) {
            ++r.lines;
            if (read == LineRead::TooLong)
                fault("longer than " + std::to_string(MaxLine) + " characters");
            // Every line the writers make ends with its newline: without one the record was cut.
            if (read == LineRead::Unended)
                fault("cut off before its end");
            if (line.empty())
                continue;
            Json j;
            try {
                j = Json::parse(line);
            } catch (const Json::parse_error& e) {
                fault("not JSON (at character " + std::to_string(e.byte) + ")");
            }
            step(j, observer, referee, r, onGame);
        }
        referee.finish();
    } catch (const TraceFault& e) {
        r.error = (r.lines > 0 ? "line " + std::to_string(r.lines) + ": " : "") + e.what();
    }
    return r;
}

} // namespace corvane
