// Whole games through the game loop with the recording window: manual and
// automatic play, the endings, New game and Finish game, and the loop's
// waiting and nesting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "model/Deck.h"
#include "model/MoveRules.h"
#include "model/PlayingTime.h"
#include "model/TableLayout.h"
#include "tests/FakeWindow.h"

namespace jadeleaf::test {
namespace {

constexpr DayFraction kSecond = 1.0 / 86400.0;

class GameLoopTest : public ::testing::Test {
protected:
    GameLoopTest() {
        window.Attach(game);
        game.shell.startupPending = 0;
    }

    // The player answers every wait of the game loop with the pair that the
    // move search would offer, ten seconds after the last one.
    void PlayerTakesEveryPair() {
        window.onMessages = [this](bool wait) {
            if (!wait) return;
            int a = 0;
            int b = 0;
            ASSERT_TRUE(PlayerFindsPair(game, a, b)) << "the loop waits although no move is left";
            window.timeOfDay += 10 * kSecond;
            PlayerRemovesPair(game, a, b);
        };
    }

    std::vector<std::string> LogFrom(const std::string& first) const {
        auto start = std::find(window.log.begin(), window.log.end(), first);
        return {start, window.log.end()};
    }

    FakeWindow window;
    Game game{window};
};

// A seed whose deal the move search's choices clear completely.
std::uint32_t FirstClearedSeed() {
    for (std::uint32_t seed = 0;; ++seed) {
        FakeWindow window;
        Game game(window);
        window.Attach(game);
        game.shell.startupPending = 0;
        window.calendarSeconds = seed;
        window.onMessages = [&](bool wait) {
            if (wait) game.shell.clickSeen = 1;
        };
        game.AutoPlay1Click();
        if (game.table.score == kPositionCount) return seed;
    }
}

TEST_F(GameLoopTest, ManualGameRunsToNoMoveLeftThenResults) {
    window.calendarSeconds = 12345;
    PlayerTakesEveryPair();
    game.NewGame1Click();

    // The first game of the run welcomes the player; the deal is that of the clock's seconds.
    ASSERT_GE(window.log.size(), 3u);
    EXPECT_EQ(window.log[0], "message: Welcome to MahJong. Start by selecting a pair of matching tiles.");
    EXPECT_EQ(window.log[1], "status1:  Game started at 12:00:00 hrs.");
    EXPECT_EQ(window.log[2], "status0: Number of tiles in the MahJong deck: 144");

    // Seed 12345 is stuck after 17 pairs; the game ends with the no-move
    // dialog, the final times and then the results.
    EXPECT_EQ(game.table.score, 34);
    EXPECT_EQ(window.Count("status0:  At least one valid move exists.   "), 16)
        << "announced after every removal that leaves a move, not on the full table";
    const std::vector<std::string> ending = {
        "status0:  No move left. Game finished.",
        "message: ",
        "nomove",
        "message: Jadeleaf result display.",
        "status0:  Game started at 12:00:00 hrs.",
        "status1:  Game finished at 12:02:50 hrs.",
        "status2:  Playing Time: mins 02 : 50 secs",
        "results: 34",
    };
    EXPECT_EQ(LogFrom(ending[0]), ending);
    EXPECT_EQ(window.resultScores, std::vector<int>{34});

    // The table is cleared and the window waits for the next command.
    EXPECT_EQ(game.table.tableReady, 0);
    EXPECT_EQ(game.table.dealt, 0);
    EXPECT_EQ(game.table.stopRequested, 1);
    EXPECT_EQ(CountFace(game.table, 1), 0);
    EXPECT_FALSE(window.Visible(WindowItem::Panel1));
    EXPECT_FALSE(window.Visible(WindowItem::Panel2));
    EXPECT_FALSE(window.Visible(WindowItem::ViewBtn1));
    EXPECT_EQ(window.scoreText, "  34");
    EXPECT_FALSE(window.TimerEnabled(WindowTimer::Timer1));
    EXPECT_FALSE(window.Enabled(WindowItem::FinishGame1));
    EXPECT_TRUE(window.Enabled(WindowItem::TileMode));
    EXPECT_TRUE(window.Enabled(WindowItem::DimensionMode));
    EXPECT_TRUE(window.Enabled(WindowItem::AutoPlay1));
    EXPECT_EQ(window.cursor, WindowCursor::Arrow);
    EXPECT_EQ(game.paint.eraseTableArea, 1);
}

TEST_F(GameLoopTest, LoopWaitsForEventsInsteadOfSpinning) {
    window.calendarSeconds = 12345;
    PlayerTakesEveryPair();
    game.NewGame1Click();
    // One pass per covered-tile sweep step, then a few passes per pair
    // (search, announce); every other handling of messages is a wait.
    EXPECT_EQ(window.waitCalls, 17);
    EXPECT_LE(window.messageCalls - window.waitCalls, 144 + 4 * 18);
}

TEST_F(GameLoopTest, ClearedTableEndsWithoutNoMoveDialog) {
    window.calendarSeconds = FirstClearedSeed();
    PlayerTakesEveryPair();
    game.NewGame1Click();
    EXPECT_EQ(game.table.tilesLeft, 0);
    EXPECT_EQ(window.noMoveDialogs, 0);
    EXPECT_EQ(window.resultScores, std::vector<int>{144});
    EXPECT_EQ(window.scoreText, " 144");
}

TEST_F(GameLoopTest, AutomaticGamePlaysLegalMovesAtItsPace) {
    window.calendarSeconds = 12345;
    game.shell.autoPlayDelay = 250;
    int clicks = 0;
    int phases = 0;
    window.onMessages = [&](bool wait) {
        // Timer2's tick ends the welcome text; the click clears the result.
        window.SetTimerEnabled(WindowTimer::Timer2, false);
        if (wait) {
            ++clicks;
            game.shell.clickSeen = 1;
            game.table.stopRequested = 1;
        }
    };
    game.AutoPlay1Click();

    EXPECT_EQ(window.log[0], "message: Welcome to Jadeleaf Automatic Play.");
    EXPECT_EQ(window.Timer(WindowTimer::Timer2).interval, 4000);
    EXPECT_EQ(game.table.score, 34);
    // Three phases a pair with pauses d, 2d, d.
    ASSERT_EQ(window.pauses.size(), 3u * 17);
    for (std::size_t i = 0; i < window.pauses.size(); ++i) {
        EXPECT_EQ(window.pauses[i], i % 3 == 1 ? 500 : 250);
        ++phases;
    }
    // The first pair is positions 1 and 120, both of face 2.
    const std::vector<std::string> selections = LogFrom("status0: Selections 1:  face 02    2:  face    ");
    ASSERT_GE(selections.size(), 2u);
    EXPECT_EQ(selections[2], "status0: Selections 1:  face 02    2:  face 02");
    EXPECT_EQ(window.Count("message: Auto Play in action.  ( Use mouse button for an early break. )"), phases);
    EXPECT_EQ(window.Count("status0:  At least one valid move exists.   "), 0);

    // No dialog in automatic play; the result waits for one click.
    EXPECT_EQ(window.noMoveDialogs, 0);
    EXPECT_TRUE(window.resultScores.empty());
    EXPECT_EQ(clicks, 1);
    const std::vector<std::string> ending = {
        "status0:  No move left. Game finished.",
        "status0:  Game started at 12:00:00 hrs.",
        "status1:  Game finished at 12:00:00 hrs.",
        "status2:  Playing Time: mins 00 : 00 secs",
        "message: No move left. Game finished for this basic version of Auto Play.",
        "status0: Click once to clear the game table.",
        "status0: Ready to start a new game.",
    };
    EXPECT_EQ(LogFrom(ending[0]), ending);
    EXPECT_EQ(game.table.tableReady, 0);
    EXPECT_EQ(game.table.autoPlay, 0);
    EXPECT_EQ(game.table.stopRequested, 1);
    EXPECT_TRUE(window.Enabled(WindowItem::NewGame1));
    EXPECT_TRUE(window.Enabled(WindowItem::AutoPlay1));
}

TEST(AutomaticPlayer, TakesOnlyFreeMatchingPairsUntilNoneIsLeft) {
    for (const std::uint32_t seed : {1u, 2u, 3u, 77u, 4096u, 65535u}) {
        FakeWindow window;
        Game game(window);
        window.Attach(game);
        game.shell.startupPending = 0;
        window.calendarSeconds = seed;
        bool noMoveLeftAtEnd = false;
        window.onMessages = [&](bool wait) {
            if (!wait) return;
            // The result is shown: check the final table before the click clears it.
            GameTable copy = game.table;
            noMoveLeftAtEnd = FindMove(copy) == 0;
            game.shell.clickSeen = 1;
        };
        int pairs = 0;
        window.onPause = [&] {
            const GameTable& table = game.table;
            if (!table.firstSelection.made || !table.secondSelection.made) return;
            const int a = table.firstSelection.tile;
            const int b = table.secondSelection.tile;
            // Taken before the removal: both still on the table, free and matching.
            EXPECT_NE(a, b);
            EXPECT_TRUE(table.tiles[a].present && table.tiles[a].covered == 0);
            EXPECT_TRUE(table.tiles[b].present && table.tiles[b].covered == 0);
            EXPECT_FALSE(table.tiles[a].leftBlocked && table.tiles[a].rightBlocked);
            EXPECT_FALSE(table.tiles[b].leftBlocked && table.tiles[b].rightBlocked);
            EXPECT_TRUE(FacesMatch(table.tiles[a].face, table.tiles[b].face));
            ++pairs;
        };
        game.AutoPlay1Click();
        SCOPED_TRACE(seed);
        EXPECT_EQ(game.table.score, 2 * pairs);
        EXPECT_TRUE(noMoveLeftAtEnd);
        const bool cleared = game.table.score == kPositionCount;
        EXPECT_EQ(window.Count("message: A straight win for this basic version of Auto Play."), cleared ? 1 : 0);
        EXPECT_EQ(window.Count("status0:  No move left. Game finished."), cleared ? 0 : 1);
    }
}

TEST_F(GameLoopTest, ClickDuringAutomaticPlayStopsItHalfway) {
    window.calendarSeconds = 12345;
    int handled = 0;
    window.onMessages = [&](bool) {
        // A press after the first selection of the third pair, then one to clear.
        if (window.pauses.size() == 7 || handled > 0) {
            ++handled;
            game.shell.clickSeen = 1;
            game.table.stopRequested = 1;
        }
    };
    game.AutoPlay1Click();
    EXPECT_EQ(game.table.score, 4);
    EXPECT_EQ(window.pauses.size(), 7u) << "the half-made move is not completed";
    EXPECT_EQ(window.Count("message: Auto Play terminated by User intervention."), 1);
    EXPECT_EQ(handled, 2);
    EXPECT_TRUE(window.resultScores.empty());
    EXPECT_EQ(window.status[0], "Ready to start a new game.");
}

TEST_F(GameLoopTest, NewGameAnsweredNoChangesNothing) {
    window.calendarSeconds = 500;
    GameTable before{};
    int step = 0;
    window.onMessages = [&](bool wait) {
        if (!wait) return;
        if (step++ == 0) {
            before = game.table;
            window.answers = {MessageAnswer::No};
            game.NewGame1Click();
            EXPECT_EQ(0, std::memcmp(&before, &game.table, sizeof before));
            EXPECT_TRUE(window.TimerEnabled(WindowTimer::Timer1));
            return;
        }
        window.answers = {MessageAnswer::Yes};
        game.FinishGame1Click();
    };
    game.NewGame1Click();
    EXPECT_EQ(window.Count("ask:  Game Control|Abandon current game and start a new one? -> No"), 1);
    EXPECT_EQ(window.Count("ask:  Game Control|End the current game? -> Yes"), 1);
    EXPECT_EQ(window.resultScores, std::vector<int>{0});
}

TEST_F(GameLoopTest, NewGameAnsweredYesShowsTheAbandonedResultsFirst) {
    window.calendarSeconds = 500;
    int step = 0;
    window.onMessages = [&](bool wait) {
        if (!wait) return;
        ++step;
        if (step <= 2) {
            int a = 0;
            int b = 0;
            ASSERT_TRUE(PlayerFindsPair(game, a, b));
            PlayerRemovesPair(game, a, b);
        } else if (step == 3) {
            window.calendarSeconds = 501;
            window.answers = {MessageAnswer::Yes};
            game.NewGame1Click();
        } else {
            window.answers = {MessageAnswer::Yes};
            game.FinishGame1Click();
        }
    };
    game.NewGame1Click();

    const std::vector<std::string> abandon = {
        "ask:  Game Control|Abandon current game and start a new one? -> Yes",
        "status0:  Game started at 12:00:00 hrs.",
        "status1:  Game finished at 12:00:00 hrs.",
        "status2:  Playing Time: mins 00 : 00 secs",
        "results: 4",
        "message: Start by selecting a pair of tiles that match one another.",
        "status1:  Game started at 12:00:00 hrs.",
        "status0: Number of tiles in the MahJong deck: 144",
    };
    const std::vector<std::string> log = LogFrom(abandon[0]);
    ASSERT_GE(log.size(), abandon.size());
    EXPECT_TRUE(std::equal(abandon.begin(), abandon.end(), log.begin()));
    EXPECT_EQ(window.resultScores, (std::vector<int>{4, 0}));
    EXPECT_EQ(game.MaxLoopDepth(), 1);
}

TEST_F(GameLoopTest, TenThousandAbandonedGamesDoNotNest) {
    constexpr int kGames = 10000;
    window.calendarSeconds = 1000;
    int abandoned = 0;
    window.onMessages = [&](bool wait) {
        if (!wait) return;
        window.answers = {MessageAnswer::Yes};
        if (abandoned < kGames) {
            ++abandoned;
            ++window.calendarSeconds;
            game.NewGame1Click();
        } else {
            game.FinishGame1Click();
        }
    };
    game.NewGame1Click();

    EXPECT_EQ(game.MaxLoopDepth(), 1);
    EXPECT_LT(window.highestStack - window.lowestStack, 4096u) << "the stack grew with the abandoned games";
    EXPECT_EQ(window.resultScores.size(), static_cast<std::size_t>(kGames + 1));
    EXPECT_EQ(window.Count("message: Start by selecting a pair of tiles that match one another."), kGames);

    // The last game was dealt from the clock's seconds at its start.
    GameTable expected;
    ResetGameTable(expected);
    RandomSource random;
    random.Seed(1000 + kGames);
    ShuffleDeck(expected, random);
    EXPECT_EQ(0, std::memcmp(expected.deal, game.table.deal, sizeof expected.deal));

    // Every abandoned game: the question, its final times, its results, then the new deal.
    const std::vector<std::string> log = LogFrom("ask:  Game Control|Abandon current game and start a new one? -> Yes");
    std::size_t asks = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].rfind("ask:", 0) != 0 || log[i].find("Abandon") == std::string::npos) continue;
        ++asks;
        ASSERT_LT(i + 5, log.size());
        EXPECT_EQ(log[i + 4], "results: 0");
        EXPECT_EQ(log[i + 5], "message: Start by selecting a pair of tiles that match one another.");
    }
    EXPECT_EQ(asks, static_cast<std::size_t>(kGames));
    EXPECT_EQ(game.table.tableReady, 0);
    EXPECT_EQ(game.table.stopRequested, 1);
    EXPECT_EQ(window.cursor, WindowCursor::Arrow);
}

TEST_F(GameLoopTest, FinishGameAndStartupGuard) {
    game.FinishGame1Click();
    EXPECT_TRUE(window.boxes.empty()) << "no question without a game";

    game.shell.startupPending = 1;
    game.NewGame1Click();
    game.AutoPlay1Click();
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(game.table.tableReady, 0);
}

TEST_F(GameLoopTest, InfoDisplayOffAndLaterGamesChangeTheFirstText) {
    game.settings.infoDisplay = 0;
    game.settings.timeDisplay = 0;
    window.onMessages = [&](bool wait) {
        if (!wait) return;
        window.answers = {MessageAnswer::Yes};
        game.FinishGame1Click();
    };
    game.NewGame1Click();
    EXPECT_EQ(window.log[0], "message: Welcome to MahJong.  Info Display and Hints are switched off.");
    EXPECT_EQ(window.Count("status1:  Game started at 12:00:00 hrs."), 0);
    EXPECT_EQ(window.Count("status2:  Playing Time: mins 00 : 00 secs"), 0);

    game.settings.infoDisplay = 1;
    window.log.clear();
    game.NewGame1Click();
    EXPECT_EQ(window.log[0], "message: Start by selecting a pair of tiles that match one another.");
}

TEST_F(GameLoopTest, SureBetIsShownOnceAndFollowedUntilItsTilesAreGone) {
    GameTable& table = game.table;
    ClearTable(table);
    for (int p = 1; p <= kPositionCount; ++p) table.deal[p - 1] = 0;
    for (int p : {1, 12, 13, 20}) table.deal[p - 1] = 9;
    BuildLayout(table);
    table.tilesLeft = 144;
    table.autoPlay = 0;

    EXPECT_TRUE(game.SureBetStep());
    EXPECT_EQ(table.sureBetFace, 9);
    EXPECT_EQ(table.tiles[13].state, kStateSureBet);
    const int paintsBefore = window.paints;
    EXPECT_TRUE(game.SureBetStep());
    EXPECT_EQ(window.paints, paintsBefore + 1);
    EXPECT_EQ(window.messageLine, "Four tiles of the same type are free. See diagonal highlighting.");
    EXPECT_TRUE(window.TimerEnabled(WindowTimer::Timer2));
    EXPECT_EQ(window.Timer(WindowTimer::Timer2).interval, 3000);

    game.RemovePair(1, 12);
    EXPECT_FALSE(game.SureBetStep()) << "two left: still in force, no new search";
    EXPECT_EQ(table.sureBetCount, 2);
    EXPECT_EQ(table.tiles[13].state, kStateSureBet);
    game.RemovePair(13, 20);
    EXPECT_TRUE(game.SureBetStep());
    EXPECT_EQ(table.sureBetFace, 0);
    EXPECT_EQ(table.sureBetShown, 0);
    EXPECT_EQ(window.scoreText, "   4");
}

TEST_F(GameLoopTest, MoveCheckWaitsForSelectionsAndFewTiles) {
    GameTable& table = game.table;
    window.calendarSeconds = 9;
    ClearTable(table);
    game.random.Seed(9);
    ShuffleDeck(table, game.random);
    BuildLayout(table);
    table.gameRunning = 1;

    table.firstSelection.made = 1;
    EXPECT_FALSE(game.CheckMoves()) << "no search and no ending while a tile is selected";
    EXPECT_EQ(table.gameRunning, 1);
    table.firstSelection.made = 0;

    EXPECT_TRUE(game.CheckMoves());
    EXPECT_NE(table.knownMoveFace, 0);
    EXPECT_TRUE(game.CheckMoves());
    EXPECT_EQ(table.moveAnnounced, 1);
    EXPECT_EQ(window.status[0], "") << "nothing announced on the full table";
    EXPECT_FALSE(game.CheckMoves());

    table.knownMoveFace = 0;
    table.tilesLeft = 1;
    EXPECT_FALSE(game.CheckMoves());
    EXPECT_EQ(table.gameRunning, 1);
    EXPECT_EQ(window.noMoveDialogs, 0);
}

TEST_F(GameLoopTest, BrokenLinksAreReportedAndTheReleaseGoesOn) {
    GameTable& table = game.table;
    game.random.Seed(3);
    ShuffleDeck(table, game.random);
    BuildLayout(table);
    table.tiles[31].left[0] = 0;  // 31 no longer knows 142
    table.tiles[137].covered = 0;
    EXPECT_EQ(game.ReleaseLinks(142), 1);
    EXPECT_EQ(table.tiles[43].leftBlocked, 0);
    EXPECT_EQ(game.ReleaseLinks(141), 3);
    ASSERT_EQ(window.boxes.size(), 2u);
    EXPECT_EQ(window.boxes[0].caption, " Link Check");
    EXPECT_EQ(window.boxes[0].text, "Unable to find left neighbour of tile: 31");
    EXPECT_EQ(window.boxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(window.boxes[1].text, "Top indicator missing at tile 137");
    EXPECT_EQ(table.tiles[138].covered, 0);
    EXPECT_EQ(table.tiles[138].shown, 1);
}

TEST(PlayingTime, MinutesAndSecondsOfTheSpan) {
    auto at = [](int h, int m, int s) { return (h * 3600 + m * 60 + s) * kSecond; };
    EXPECT_EQ(std::string(PlayingTimeText(ElapsedSpan(at(10, 0, 0), at(10, 5, 23))).View()),
              " Playing Time: mins 05 : 23 secs");
    EXPECT_EQ(std::string(PlayingTimeText(ElapsedSpan(at(10, 0, 0), at(11, 1, 2))).View()),
              " Playing Time: mins 01 : 02 secs");
    // A game begun before midnight shows its true length.
    EXPECT_EQ(std::string(PlayingTimeText(ElapsedSpan(at(23, 59, 0), at(0, 1, 0))).View()),
              " Playing Time: mins 02 : 00 secs");
}

}  // namespace
}  // namespace jadeleaf::test
