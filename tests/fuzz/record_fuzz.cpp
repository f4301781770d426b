// libFuzzer target for the game record reader. Whatever the input, every value the reader hands
// on is in its range; and a record it accepts, written again by the record writer, reads back
// accepted with the same games and hands.
#include "flow/trace_reader.h"
#include "flow/trace_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using namespace corvane;

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool seat(int s) {
    return s >= 0 && s <= 3;
}

bool picture(int p) {
    return p >= 0 && p <= 22;
}

// Checks each value, then passes the event to the writer.
class RangeCheck final : public TableObserver {
public:
    explicit RangeCheck(TraceWriter& writer) : m_writer(writer) {}

    void onDeal(int dealer, const std::array<int, 52>& deck) override {
        check(seat(dealer));
        for (int index : deck)
            check(index >= 0 && index <= 51);
        m_writer.onDeal(dealer, deck);
    }
    void onBid(int s, Bid bid, int suit) override {
        check(seat(s) && suit >= -1 && suit <= 3);
        check(bid.isPass() || bid.points() == 20 || bid.points() == 25 || bid.points() == 30);
        m_writer.onBid(s, bid, suit);
    }
    void onMisdeal(int dealer) override {
        check(seat(dealer));
        m_writer.onMisdeal(dealer);
    }
    void onTrump(int bidder, int suit, int bid) override {
        check(seat(bidder) && suit >= 0 && suit <= 3 && (bid == 20 || bid == 25 || bid == 30));
        m_writer.onTrump(bidder, suit, bid);
    }
    void onDiscard(int s, const std::vector<int>& pictures) override {
        check(seat(s) && pictures.size() <= 8);
        for (int p : pictures)
            check(picture(p));
        m_writer.onDiscard(s, pictures);
    }
    void onKitty(const std::vector<int>& thrown,
                 const std::vector<std::pair<int, int>>& moved) override {
        for (int p : thrown)
            check(picture(p));
        for (const auto& [from, to] : moved)
            check(from >= 20 && from <= 22 && to >= 0 && to <= 19);
        m_writer.onKitty(thrown, moved);
    }
    void onDraw(int p, Card card) override {
        check(p >= 0 && p <= 19 && card.isValid());
        m_writer.onDraw(p, card);
    }
    void onPlay(int s, int p, Card card) override {
        check(seat(s) && p / 5 == s && p <= 19 && card.isValid());
        m_writer.onPlay(s, p, card);
    }
    void onTrick(int winner, int units) override {
        check(seat(winner) && (units == 1 || units == 2));
        m_writer.onTrick(winner, units);
    }
    void onHand(const HandResult& r) override {
        check(seat(r.bidder) && r.counted >= 0 && r.counted <= 30);
        check(r.scores[0] <= 120 && r.scores[1] <= 120);
        m_writer.onHand(r);
    }
    void onGameEnd(int winner, std::array<int, 2> scores) override {
        check((winner == 0 || winner == 1) && scores[static_cast<size_t>(winner)] == 120);
        m_writer.onGameEnd(winner, scores);
    }

private:
    TraceWriter& m_writer;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string again;
    TraceWriter writer([&again](const std::string& line) { again += line + '\n'; },
                       [] { return -1; });
    RangeCheck observer(writer);
    const TraceResult first = readTrace(
        in, observer, [&](int game, std::uint64_t seed) { writer.gameStarted(game, seed); });
    if (!first.error.empty())
        return 0;
    std::istringstream written(again);
    TableObserver nobody;
    const TraceResult second = readTrace(written, nobody);
    check(second.error.empty() && second.games == first.games && second.hands == first.hands);
    return 0;
}
