// Benchmarks of the move searches and of whole automatic games.
#include <benchmark/benchmark.h>

#include "model/Deck.h"
#include "model/Game.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "tools/cli/AnalysisWindow.h"

namespace jadeleaf {
namespace {

void BM_FindMove(benchmark::State& state) {
    GameTable table = DealtTable(12345);
    for (auto _ : state) benchmark::DoNotOptimize(FindMove(table));
}
BENCHMARK(BM_FindMove);

// The search that runs in every pass of the loop while no sure bet is on the table.
void BM_FindSureBetNone(benchmark::State& state) {
    GameTable table = DealtTable(12345);
    PaintRequests paint{};
    for (auto _ : state) benchmark::DoNotOptimize(FindSureBet(table, paint));
}
BENCHMARK(BM_FindSureBetNone);

void BM_DealAndLayout(benchmark::State& state) {
    std::uint32_t seed = 0;
    for (auto _ : state) benchmark::DoNotOptimize(DealtTable(seed++));
}
BENCHMARK(BM_DealAndLayout);

// One whole automatic game, dealt, played and cleared, without pauses.
void BM_AutomaticGame(benchmark::State& state) {
    AnalysisWindow window;
    Game game(window);
    window.Attach(game);
    game.shell.startupPending = 0;
    game.shell.autoPlayDelay = 0;
    std::uint32_t seed = 0;
    for (auto _ : state) {
        window.SetSeed(seed++);
        window.BeginGame();
        game.AutoPlay1Click();
        benchmark::DoNotOptimize(game.table.score);
    }
}
BENCHMARK(BM_AutomaticGame);

}  // namespace
}  // namespace jadeleaf

BENCHMARK_MAIN();
