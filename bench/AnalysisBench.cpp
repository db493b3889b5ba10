// Benchmarks of the analysis tool: the deal search over a fixed set of seeds, and automatic play in batches.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "model/Deck.h"
#include "model/Game.h"
#include "tools/cli/AnalysisWindow.h"
#include "analysis/DealSolver.h"
#include "analysis/HintSearch.h"
#include "analysis/QuickAutoPlay.h"
#include "analysis/WinnableDeal.h"

namespace jadeleaf {
namespace {

// Seeds 0-199 with the tool's default budget: the median, the 90th
// percentile and the worst time of a deal, and how many were decided.
void BM_SolveSeeds0To199(benchmark::State& state) {
    DealSolver solver;
    std::vector<double> ms;
    int decided = 0;
    for (auto _ : state) {
        ms.clear();
        decided = 0;
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            const GameTable table = DealtTable(seed);
            const auto started = std::chrono::steady_clock::now();
            const SolveResult result = solver.Solve(table, 1'000'000);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
            decided += result.verdict != SolveVerdict::Unknown;
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["medianMs"] = ms[ms.size() / 2];
    state.counters["p90Ms"] = ms[ms.size() * 9 / 10];
    state.counters["worstMs"] = ms.back();
    state.counters["decided"] = decided;
}
BENCHMARK(BM_SolveSeeds0To199)->Unit(benchmark::kMillisecond)->Iterations(1);

// The analysis tool's batch: one deal played to its end per iteration.
void BM_QuickAutoPlay(benchmark::State& state) {
    AnalysisWindow window;
    Game game(window);
    window.Attach(game);
    std::vector<std::pair<int, int>> pairs;
    pairs.reserve(kPositionCount / 2);
    std::uint32_t seed = 0;
    for (auto _ : state) benchmark::DoNotOptimize(QuickAutoPlay(game, seed++, pairs));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QuickAutoPlay);

// The hint's answer time at every position of 100 games of the automatic
// player (seeds 0-99), before each of its moves: the median, the 90th
// percentile and the worst, and how many positions the search decided.
void BM_HintOverPlayedGames(benchmark::State& state) {
    AnalysisWindow window;
    Game game(window);
    window.Attach(game);
    DealSolver solver(std::size_t{1} << 16);
    std::vector<std::pair<int, int>> pairs;
    std::vector<double> ms;
    int decided = 0;
    for (auto _ : state) {
        ms.clear();
        decided = 0;
        for (std::uint32_t seed = 0; seed < 100; ++seed) {
            QuickAutoPlay(game, seed, pairs);
            GameTable table = DealtTable(seed);
            for (const auto& [a, b] : pairs) {
                const auto started = std::chrono::steady_clock::now();
                const HintAnswer hint = FindHint(solver, table);
                ms.push_back(
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
                decided += hint.kind != HintAnswer::Kind::Unproven;
                for (const int p : {a, b}) table.tiles[p].present = 0;
            }
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["positions"] = static_cast<double>(ms.size());
    state.counters["medianMs"] = ms[ms.size() / 2];
    state.counters["p90Ms"] = ms[ms.size() * 9 / 10];
    state.counters["worstMs"] = ms.back();
    state.counters["decided"] = decided;
}
BENCHMARK(BM_HintOverPlayedGames)->Unit(benchmark::kMillisecond)->Iterations(1);

// New game's deal over 2,000 clock seeds (one a second from 1,765,000,000 on),
// with Winnable Deals Only at the budget given, or without it for 0: the
// median, the 90th percentile and the worst time to a dealt table, and the
// share of clock seeds whose deal is passed over.
void BM_NewGameDeal(benchmark::State& state) {
    const auto budget = static_cast<std::uint64_t>(state.range(0));
    DealSolver solver(std::size_t{1} << 16);
    std::vector<double> ms;
    int passedOver = 0;
    constexpr std::uint32_t kFirstSeed = 1'765'000'000;
    constexpr int kSeeds = 2000;
    for (auto _ : state) {
        ms.clear();
        passedOver = 0;
        for (std::uint32_t clockSeed = kFirstSeed; clockSeed < kFirstSeed + kSeeds; ++clockSeed) {
            const auto started = std::chrono::steady_clock::now();
            const std::uint32_t seed = budget == 0 ? clockSeed : FirstWinnableSeed(solver, clockSeed, budget);
            benchmark::DoNotOptimize(DealtTable(seed));
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
            passedOver += seed != clockSeed;
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["medianMs"] = ms[ms.size() / 2];
    state.counters["p90Ms"] = ms[ms.size() * 9 / 10];
    state.counters["worstMs"] = ms.back();
    state.counters["passedOverPct"] = 100.0 * passedOver / kSeeds;
}
BENCHMARK(BM_NewGameDeal)->Arg(0)->Arg(2'000)->Arg(5'000)->Arg(10'000)->Arg(20'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace jadeleaf
