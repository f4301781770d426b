// corvane-bench: how fast the engine plays. Whole games under the virtual clock (hands per
// second on one core, the figure that matters for self-play), and the rules' hot spots.
#include "cards/card_value.h"
#include "players/bid_evaluation.h"
#include "players/card_play.h"
#include "players/expert_bid.h"
#include "players/expert_discard.h"
#include "players/expert_play.h"
#include "players/master_bid.h"
#include "players/master_play.h"
#include "players/playout.h"
#include "tools/sim/simulation.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>
#include <vector>

namespace corvane {
namespace {

void WholeGames(benchmark::State& state) {
    Simulation sim(SimOptions{42, state.range(0) != 0, false});
    long hands = 0;
    for (auto _ : state) {
        const long before = sim.figures().hands;
        sim.play(1);
        hands += sim.figures().hands - before;
    }
    state.counters["hands/s"] =
        benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
    state.counters["hands/game"] =
        static_cast<double>(hands) / static_cast<double>(state.iterations());
}
BENCHMARK(WholeGames)->Arg(0)->Arg(1)->ArgName("mustFollowSuit")->Unit(benchmark::kMicrosecond);

void Shuffle(benchmark::State& state) {
    VirtualClock clock;
    Random random(1);
    Engine engine(clock, random);
    for (auto _ : state) {
        engine.Shuffle();
        benchmark::DoNotOptimize(engine.table().deck);
    }
}
BENCHMARK(Shuffle);

void ChooseCardMidTrick(benchmark::State& state) {
    Table table;
    for (int i = 0; i < 20; ++i) {
        table.picCard[static_cast<size_t>(i)].card = Card::fromDeckIndex((i * 7) % 52);
        table.picCard[static_cast<size_t>(i)].state = TagState::Down;
    }
    table.trumpSuit = Hearts;
    table.highBid = 25;
    table.bidderSeat = 1;
    table.tricksPlayed = 2;
    table.trickCardCount = 2;
    table.trickSeatCard = {-1, 5, 10, -1};
    table.ledCard = 5;
    table.trickWinnerCard = 10;
    for (auto _ : state)
        benchmark::DoNotOptimize(ChooseCard(table, 3, Hearts, table.trickWinnerCard));
}
BENCHMARK(ChooseCardMidTrick);

void BidEvaluationOneSeat(benchmark::State& state) {
    Table table;
    for (int i = 0; i < 5; ++i)
        table.picCard[static_cast<size_t>(i)].card = Card::fromDeckIndex(i * 11 % 52);
    for (auto _ : state) {
        int highBid = 0, bidder = 0, suit = 0;
        benchmark::DoNotOptimize(BidEvaluation(table, 0, 4, highBid, bidder, suit, 2, 0));
    }
}
BENCHMARK(BidEvaluationOneSeat);

// Hands at the start of trick play, from a fixed seed: twenty cards dealt, a trump, a bidder, a
// bid.
std::vector<playout::HandState> startingHands(size_t count) {
    Random random(7);
    std::vector<playout::HandState> hands(count);
    for (auto& s : hands) {
        std::array<int, 52> deck{};
        std::iota(deck.begin(), deck.end(), 1);
        for (int i = 51; i > 0; --i)
            std::swap(deck[static_cast<size_t>(i)], deck[static_cast<size_t>(random.below(i + 1))]);
        s.trump = static_cast<std::uint8_t>(random.below(4));
        s.bidder = static_cast<std::uint8_t>(random.below(4));
        s.highBid = static_cast<std::uint8_t>(20 + 5 * random.below(3));
        s.turn = static_cast<std::uint8_t>((s.bidder + 1) & 3);
        for (size_t seat = 0; seat < 4; ++seat) {
            s.held[seat] = 0x1F;
            s.drawCount[seat] = static_cast<std::uint8_t>(random.below(6));
            for (size_t k = 0; k < 5; ++k) {
                const int card = deck[seat * 5 + k];
                s.cards[seat][k] = static_cast<std::uint8_t>(card);
            }
        }
        playout::prepare(s);
    }
    return hands;
}

// A whole five-trick hand played out by the computer's rules on the playout kernel, the work an
// Expert decision repeats for every sample and every card it weighs.
void PlayoutWholeHand(benchmark::State& state) {
    const std::vector<playout::HandState> hands = startingHands(4096);
    size_t next = 0;
    for (auto _ : state) {
        playout::HandState s = hands[next++ & 4095];
        playout::playOutStandard(s);
        benchmark::DoNotOptimize(s.units);
    }
    state.counters["playouts/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayoutWholeHand);

// A simulated game stopped where the local player must bid, or must play a card in the hand's
// second trick.
void runUntil(Simulation& sim, bool (*ready)(const Table&)) {
    for (int step = 0; step < 100000; ++step) {
        sim.clock().runUntilIdle();
        if (ready(sim.engine().table()))
            return;
        sim.player().act(true);
    }
}

// One Expert or Master decision at the default effort, on one core: a card, a bid, a discard.
template <ExpertCard (*decide)(const Table&, const HandRecord&, int, const ExpertEffort&)>
void CardDecision(benchmark::State& state) {
    Simulation sim(SimOptions{3, false, false});
    runUntil(sim, [](const Table& t) {
        return t.gamePhase == GamePhase::Play && t.awaitedSeat == t.localSeat &&
               t.tricksPlayed == 1;
    });
    const ExpertEffort effort;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            decide(sim.engine().table(), sim.engine().handRecord(), 0, effort));
}
BENCHMARK(CardDecision<expertCard>)->Name("ExpertCardDecision")->Unit(benchmark::kMillisecond);
BENCHMARK(CardDecision<masterCard>)->Name("MasterCardDecision")->Unit(benchmark::kMillisecond);

template <ExpertBid (*decide)(const Table&, int, const ExpertEffort&)>
void BidDecision(benchmark::State& state) {
    Simulation sim(SimOptions{3, false, false});
    runUntil(sim, [](const Table& t) { return t.localChoice == LocalChoice::Bid; });
    const ExpertEffort effort;
    for (auto _ : state)
        benchmark::DoNotOptimize(decide(sim.engine().table(), 0, effort));
}
BENCHMARK(BidDecision<expertBid>)->Name("ExpertBidDecision")->Unit(benchmark::kMillisecond);
BENCHMARK(BidDecision<masterBid>)->Name("MasterBidDecision")->Unit(benchmark::kMillisecond);

// The bidder's discard with the kitty in view.
template <unsigned (*decide)(const Table&, int, const ExpertEffort&)>
void DiscardDecision(benchmark::State& state) {
    Simulation sim(SimOptions{3, false, false});
    runUntil(sim, [](const Table& t) {
        return t.gamePhase == GamePhase::Discard && (t.buttonMode != ButtonMode::Hidden) &&
               t.bidderSeat == 0;
    });
    const ExpertEffort effort;
    for (auto _ : state)
        benchmark::DoNotOptimize(decide(sim.engine().table(), 0, effort));
}
unsigned expertKeepAlone(const Table& table, int seat, const ExpertEffort& effort) {
    return expertKeep(table, seat, effort);
}
BENCHMARK(DiscardDecision<expertKeepAlone>)
    ->Name("ExpertDiscardDecision")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DiscardDecision<masterKeep>)
    ->Name("MasterDiscardDecision")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace corvane

BENCHMARK_MAIN();
