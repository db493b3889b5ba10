// The analysis tool's window: what it learns of a game comes from the game, and it never ends the process.
#include <gtest/gtest.h>

#include "model/Game.h"
#include "tools/cli/AnalysisWindow.h"

namespace jadeleaf {
namespace {

// A manual game waits for a player that this window does not have: the game
// is ended and the window says so, and the process goes on.
// The same window then still follows an automatic game to its end.
TEST(AnalysisWindow, AGameThatWaitsForAPlayerEndsAndPlayGoesOn) {
    AnalysisWindow window;
    Game game(window);
    window.Attach(game);
    game.shell.startupPending = 0;

    window.SetSeed(5);
    game.NewGame1Click();
    EXPECT_TRUE(window.WaitedForInput());
    EXPECT_EQ(game.table.tableReady, 0);
    EXPECT_EQ(game.table.dealt, 0);

    window.SetSeed(6);
    window.BeginGame();
    game.AutoPlay1Click();
    EXPECT_EQ(game.table.tableReady, 0);
    EXPECT_GT(game.table.score, 0);
    EXPECT_EQ(2 * static_cast<int>(window.RemovedPairs().size()), game.table.score);
}

}  // namespace
}  // namespace jadeleaf
