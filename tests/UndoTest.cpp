// Undo and Redo: whole games taken back to the deal and played again, and
// the commands' place in a running game.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/Deck.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "play/MousePlay.h"
#include "tests/FakeWindow.h"

namespace jadeleaf::test {
namespace {

bool IsEndTile(int p) { return p == kLeftEndTile || p == kRightEndTile || p == kFarRightTile; }

// Every free matching pair on the table, in position order; with
// `keepEnds`, those without the end tiles when there are any.
std::vector<std::pair<int, int>> FreePairs(const GameTable& table, bool keepEnds = false) {
    std::vector<std::pair<int, int>> pairs;
    std::vector<std::pair<int, int>> withEnds;
    for (int a = 1; a <= kPositionCount; ++a) {
        if (!IsFree(table, a)) continue;
        for (int b = a + 1; b <= kPositionCount; ++b) {
            if (!IsFree(table, b) || !TilesMatch(table, a, b)) continue;
            (keepEnds && (IsEndTile(a) || IsEndTile(b)) ? withEnds : pairs).emplace_back(a, b);
        }
    }
    return pairs.empty() ? withEnds : pairs;
}

void ExpectSameTiles(const GameTable& expected, const GameTable& actual, std::uint32_t seed) {
    for (int p = 1; p <= kPositionCount; ++p) {
        EXPECT_EQ(0, std::memcmp(&expected.tiles[p], &actual.tiles[p], sizeof(TileRecord)))
            << "seed " << seed << ", position " << p;
    }
}

class UndoTest : public ::testing::Test {
protected:
    UndoTest() {
        window.Attach(game);
        game.shell.startupPending = 0;
    }

    // A dealt table in play, with every tile drawn as the start-of-game sweep leaves it.
    void Deal(std::uint32_t seed) {
        DealTable(game.table, game.random, seed);
        game.table.gameRunning = 1;
        game.table.score = 0;
        for (TileRecord& tile : game.table.tiles) tile.shown = 1;
    }

    // The player's way: both tiles selected, then the release takes them.
    void TakeByMouse(int a, int b) {
        GameTable& table = game.table;
        table.firstSelection = {1, table.tiles[a].layer, a, table.tiles[a].face, {}};
        table.secondSelection = {1, table.tiles[b].layer, b, table.tiles[b].face, {}};
        table.tiles[a].state = table.tiles[b].state = kStateSelected;
        mouse.RemoveSelectedPair();
    }

    FakeWindow window;
    Game game{window};
    MousePlay mouse{game, window};
};

// The pairs are chosen all over the table, the end tiles last, so that the
// end tiles lose and regain each of their two neighbours in every order.
TEST_F(UndoTest, UndoingEveryPairGivesBackTheDealAndRedoTheEnd) {
    std::uint32_t pick = 1;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        Deal(seed);
        // The table before each pair taken, the deal first.
        std::vector<GameTable> before;
        // A cleared table ends the game at once: its last pair stays.
        for (auto pairs = FreePairs(game.table, true); !pairs.empty() && game.table.tilesLeft > 2;
             pairs = FreePairs(game.table, true)) {
            pick = pick * 1103515245u + 12345u;
            const auto [a, b] = pairs[(pick >> 16) % pairs.size()];
            before.push_back(game.table);
            TakeByMouse(a, b);
        }
        const GameTable end = game.table;
        const int taken = static_cast<int>(before.size());
        ASSERT_EQ(end.removedCount, 2 * taken);

        // Each Undo gives back the table as it was before that pair, record for record.
        for (int n = taken - 1; n >= 0; --n) {
            ASSERT_TRUE(game.UndoAllowed());
            game.Undo1Click();
            ExpectSameTiles(before[static_cast<std::size_t>(n)], game.table, seed);
            EXPECT_EQ(game.table.tilesLeft, before[static_cast<std::size_t>(n)].tilesLeft);
        }
        EXPECT_FALSE(game.UndoAllowed());
        EXPECT_EQ(game.table.tilesLeft, kPositionCount);
        EXPECT_EQ(game.table.score, 0);
        EXPECT_EQ(game.table.removedCount, 0);
        EXPECT_EQ(game.table.redoCount, 2 * taken);
        EXPECT_EQ(window.scoreText, "   0");

        while (game.RedoAllowed()) game.Redo1Click();
        ExpectSameTiles(end, game.table, seed);
        EXPECT_EQ(game.table.tilesLeft, end.tilesLeft);
        EXPECT_EQ(game.table.score, end.score);
        EXPECT_EQ(0, std::memcmp(end.removalOrder, game.table.removalOrder, sizeof end.removalOrder));
        EXPECT_EQ(window.status[0], "Number of tiles still present: " + std::to_string(end.tilesLeft));
    }
}

// The right end tile lies beside two tiles: taking either frees its side,
// and the side is blocked again only once both are back.
TEST_F(UndoTest, AnEndTileIsBlockedAgainOnlyWithBothNeighboursBack) {
    Deal(3);
    const int upper = game.table.tiles[kRightEndTile].left[0];
    const int lower = game.table.tiles[kRightEndTile].left[1];
    ASSERT_NE(upper, 0);
    ASSERT_NE(lower, 0);
    const GameTable dealt = game.table;
    game.RemovePair(upper, 1);
    const GameTable oneGone = game.table;
    EXPECT_EQ(oneGone.tiles[kRightEndTile].leftBlocked, 0);
    game.RemovePair(lower, 2);

    game.Undo1Click();
    ExpectSameTiles(oneGone, game.table, 3);
    game.Undo1Click();
    ExpectSameTiles(dealt, game.table, 3);
}

TEST_F(UndoTest, UndoDropsSelectionAndSearchesAndANewPairEndsRedo) {
    Deal(7);
    auto pairs = FreePairs(game.table);
    TakeByMouse(pairs[0].first, pairs[0].second);
    pairs = FreePairs(game.table);
    TakeByMouse(pairs[0].first, pairs[0].second);
    ASSERT_GE(FreePairs(game.table).size(), 2u);

    // A pending selection, a known move and a sure bet are all given up.
    const int selected = FreePairs(game.table)[0].first;
    game.table.firstSelection = {1, game.table.tiles[selected].layer, selected, game.table.tiles[selected].face, {}};
    game.table.tiles[selected].state = kStateSelected;
    game.table.knownMoveFace = 5;
    game.table.moveAnnounced = 1;
    game.Undo1Click();
    EXPECT_EQ(game.table.firstSelection.made, 0);
    EXPECT_EQ(game.table.tiles[selected].state, kStateNormal);
    EXPECT_EQ(game.table.knownMoveFace, 0);
    EXPECT_EQ(game.table.moveAnnounced, 0);
    EXPECT_EQ(window.messageLine, "The last pair is back on the table.");
    EXPECT_EQ(window.scoreText, "   2");
    EXPECT_EQ(window.status[0], "Number of tiles still present: 142");

    game.MirrorMenuFlags();
    EXPECT_TRUE(window.Enabled(WindowItem::Undo1));
    EXPECT_TRUE(window.Enabled(WindowItem::Redo1));

    // Another pair than the one undone: nothing is left to redo.
    pairs = FreePairs(game.table);
    TakeByMouse(pairs.back().first, pairs.back().second);
    EXPECT_EQ(game.table.redoCount, 0);
    game.MirrorMenuFlags();
    EXPECT_FALSE(window.Enabled(WindowItem::Redo1));
    EXPECT_TRUE(window.Enabled(WindowItem::Undo1));

    // Without the information display nothing is said.
    game.settings.infoDisplay = 0;
    window.messageLine.clear();
    game.Undo1Click();
    EXPECT_EQ(window.messageLine, "");

    // A new deal forgets both lists.
    Deal(8);
    EXPECT_FALSE(game.UndoAllowed());
    EXPECT_FALSE(game.RedoAllowed());
}

// Undo and Redo belong to a manual game: not to automatic play, nor to the
// table an ended game leaves.
TEST_F(UndoTest, DisabledInAutomaticPlayAndOnceTheGameHasEnded) {
    window.calendarSeconds = 12345;
    bool seenInAutoPlay = false;
    window.onMessages = [&](bool wait) {
        if (game.table.removedCount >= 2) {
            game.MirrorMenuFlags();
            seenInAutoPlay |= window.Enabled(WindowItem::Undo1);
            game.Undo1Click();
        }
        if (wait) game.shell.clickSeen = 1;
    };
    game.AutoPlay1Click();
    EXPECT_FALSE(seenInAutoPlay);
    EXPECT_EQ(game.table.removedCount, 0) << "the table is cleared after the automatic game";

    // A manual game to its no-move end: the closing table allows no Undo.
    int undosDuringPlay = 0;
    window.onMessages = [&](bool wait) {
        if (!wait) return;
        game.MirrorMenuFlags();
        if (window.Enabled(WindowItem::Undo1)) ++undosDuringPlay;
        int a = 0;
        int b = 0;
        ASSERT_TRUE(PlayerFindsPair(game, a, b));
        PlayerRemovesPair(game, a, b);
    };
    window.answers = {MessageAnswer::Yes};
    game.NewGame1Click();
    EXPECT_GT(undosDuringPlay, 0);
    game.MirrorMenuFlags();
    EXPECT_FALSE(window.Enabled(WindowItem::Undo1));
    EXPECT_FALSE(window.Enabled(WindowItem::Redo1));
}

}  // namespace
}  // namespace jadeleaf::test
