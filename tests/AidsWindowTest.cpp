// The aids in the real window: their menu items after the Game menu's own,
// and Undo and Redo by their keys with the table picture following.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "tests/ShellFixture.h"
#include "ui_TForm1.h"

namespace jadeleaf::test {
namespace {

class AidsWindowTest : public ShellFixture {
protected:
    void PlayFirstGame(std::function<void()> play) {
        Create();
        StartUp();
        clock.steps.push_back(std::move(play));
        clock.Advance(400);
    }

    QPoint CentreOf(int p) {
        const TileRecord& tile = GameOf().table.tiles[p];
        return {tile.x + kTableLeft + 16, tile.y + kTableTop + 21};
    }

    void Click(int p) {
        QTest::mousePress(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, CentreOf(p));
        QTest::mouseRelease(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, CentreOf(p));
    }

    // Whether the table picture shows a tile's face at `p`'s place.
    bool TileDrawn(int p) {
        const TileRecord& tile = GameOf().table.tiles[p];
        return (form->TablePicture().pixel(tile.x + 20, tile.y + 20) & 0xFFFFFF) != kShadeColour;
    }

    QAction* Item(const char* name) { return form->findChild<QAction*>(name); }
};

TEST_F(AidsWindowTest, UndoAndRedoFollowTheGameMenuAndTheirKeys) {
    int stepsRun = 0;
    PlayFirstGame([&] {
        const QList<QAction*> items = form->findChild<QMenu*>("GameMenu1")->actions();
        ASSERT_GE(items.size(), 10);
        EXPECT_EQ(items[6]->objectName(), "GameExit1") << "the menu's own items keep their places";
        EXPECT_TRUE(items[7]->isSeparator());
        EXPECT_EQ(items[8]->objectName(), "Undo1");
        EXPECT_EQ(items[9]->objectName(), "Redo1");
        EXPECT_EQ(Item("Undo1")->shortcut(), QKeySequence("Ctrl+Z"));
        EXPECT_EQ(Item("Redo1")->shortcut(), QKeySequence("Ctrl+Shift+Z"));
        EXPECT_FALSE(Item("Undo1")->isEnabled()) << "nothing taken yet";

        GameTable copy = GameOf().table;
        ASSERT_NE(FindMove(copy), 0);
        const int a = copy.knownMove[0];
        const int b = copy.knownMove[1];
        Click(a);
        Click(b);
        ASSERT_FALSE(GameOf().table.tiles[a].present);
        clock.steps.push_back([&, a, b] {
            EXPECT_TRUE(Item("Undo1")->isEnabled());
            EXPECT_FALSE(Item("Redo1")->isEnabled());
            QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_TRUE(GameOf().table.tiles[a].present);
            EXPECT_TRUE(GameOf().table.tiles[b].present);
            EXPECT_TRUE(TileDrawn(a));
            EXPECT_EQ(form->StatusText(0), "Number of tiles still present: 144");
            EXPECT_EQ(form->MessageLineText(), "The last pair is back on the table.");
            clock.steps.push_back([&, a] {
                ++stepsRun;
                EXPECT_TRUE(Item("Redo1")->isEnabled());
                QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
                EXPECT_FALSE(GameOf().table.tiles[a].present);
                EXPECT_FALSE(TileDrawn(a) && GameOf().table.tiles[a].layer == 1);
                EXPECT_EQ(form->StatusText(0), "Number of tiles still present: 142");
                modal.answers = {MessageAnswer::Yes};
                GameOf().FinishGame1Click();
            });
        });
    });
    EXPECT_EQ(stepsRun, 1);
    EXPECT_FALSE(Item("Undo1")->isEnabled()) << "the game has ended";
}

// The hint's search runs on its worker; the answer shows the pair drawn as
// selected for two seconds without selecting anything, and an answer that
// comes after a move is dropped.
TEST_F(AidsWindowTest, HintHighlightsAWinningPairForTwoSeconds) {
    int stepsRun = 0;
    PlayFirstGame([&] {
        GameTable& table = GameOf().table;
        QAction* hint = Item("Hint1");
        EXPECT_EQ(hint->shortcut(), QKeySequence("H"));
        ASSERT_TRUE(hint->isEnabled());
        QTest::keyClick(form, Qt::Key_H);
        EXPECT_EQ(form->MessageLineText(), "Looking for a pair that keeps the table clearable.");
        form->WaitForHint();
        EXPECT_EQ(form->MessageLineText(), "This pair keeps the table clearable. See the highlighted tiles.");
        std::vector<int> highlighted;
        for (int p = 1; p <= kPositionCount; ++p) {
            if (table.tiles[p].state == kStateSelected) highlighted.push_back(p);
        }
        ASSERT_EQ(highlighted.size(), 2u);
        const int a = highlighted[0];
        const int b = highlighted[1];
        EXPECT_TRUE(IsFree(table, a) && IsFree(table, b) && TilesMatch(table, a, b));
        EXPECT_EQ(table.firstSelection.made, 0) << "no selection is made";

        clock.Advance(1999);
        EXPECT_EQ(table.tiles[a].state, kStateSelected);
        clock.Advance(1);
        EXPECT_NE(table.tiles[a].state, kStateSelected);
        EXPECT_NE(table.tiles[b].state, kStateSelected);

        // Asked again, but the player takes the pair before the answer is handled.
        hint->trigger();
        Click(a);
        Click(b);
        ASSERT_FALSE(table.tiles[a].present);
        const QString afterMove = form->MessageLineText();
        form->WaitForHint();
        EXPECT_EQ(form->MessageLineText(), afterMove);
        for (int p = 1; p <= kPositionCount; ++p) EXPECT_NE(table.tiles[p].state, kStateSelected) << p;
        ++stepsRun;
        modal.answers = {MessageAnswer::Yes};
        GameOf().FinishGame1Click();
    });
    EXPECT_EQ(stepsRun, 1);
    EXPECT_FALSE(Item("Hint1")->isEnabled()) << "the game has ended";
}

}  // namespace
}  // namespace jadeleaf::test
