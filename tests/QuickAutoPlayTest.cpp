// The batch's automatic player against the game's own automatic play.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "model/Game.h"
#include "tools/cli/AnalysisWindow.h"
#include "analysis/QuickAutoPlay.h"

namespace jadeleaf {
namespace {

// The same pairs, in the same order, and the same score, deal after deal on
// one game each, as the analysis tool runs its batches.
TEST(QuickAutoPlay, PlaysEveryDealAsTheGameDoes) {
    AnalysisWindow window;
    Game game(window);
    window.Attach(game);
    game.shell.startupPending = 0;
    game.shell.autoPlayDelay = 0;

    AnalysisWindow quickWindow;
    Game quick(quickWindow);
    quickWindow.Attach(quick);
    std::vector<std::pair<int, int>> pairs;

    int cleared = 0;
    for (std::uint32_t seed = 0; seed < 1000; ++seed) {
        SCOPED_TRACE(seed);
        window.SetSeed(seed);
        window.BeginGame();
        game.AutoPlay1Click();

        const int removed = QuickAutoPlay(quick, seed, pairs);
        ASSERT_EQ(pairs, window.RemovedPairs());
        ASSERT_EQ(removed, game.table.score);
        cleared += removed == kPositionCount;
    }
    // Both ends of the game were reached: cleared tables and stuck ones.
    EXPECT_GT(cleared, 0);
    EXPECT_LT(cleared, 1000);
}

}  // namespace
}  // namespace jadeleaf
