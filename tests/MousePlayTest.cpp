// Playing with the mouse in the real window: real press and release events
// at tile coordinates, the selection states and their texts, the timers'
// texts, and whole games to the no-move and results dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <vector>

#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "play/TEndDlg1.h"
#include "play/TResDlg1.h"
#include "shell/Forms.h"
#include "tests/ShellFixture.h"
#include "ui_TResDlg1.h"

namespace jadeleaf::test {
namespace {

class MousePlayTest : public ShellFixture {
protected:
    void Press(int p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(form->ClientArea(), button, Qt::NoModifier, CentreOf(p));
    }
    void Release(int p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(form->ClientArea(), button, Qt::NoModifier, CentreOf(p));
    }
    void Click(int p, Qt::MouseButton button = Qt::LeftButton) {
        Press(p, button);
        Release(p, button);
    }

    std::string Message() { return form->MessageLineText().toStdString(); }

    // Free tiles: one with a free match, and one that matches neither.
    struct Choice {
        int tile = 0;
        int match = 0;
        int other = 0;
        int blocked = 0;
    };
    Choice Choose() {
        GameTable copy = GameOf().table;
        Choice choice;
        FindMove(copy);
        choice.tile = copy.knownMove[0];
        choice.match = copy.knownMove[1];
        for (int p = 1; p <= kPositionCount; ++p) {
            const GameTable& table = GameOf().table;
            if (IsFree(table, p) && !TilesMatch(table, p, choice.tile) && choice.other == 0) choice.other = p;
            const TileRecord& tile = table.tiles[p];
            if (tile.present && !tile.covered && tile.leftBlocked && tile.rightBlocked && choice.blocked == 0) {
                choice.blocked = p;
            }
        }
        return choice;
    }
};

TEST_F(MousePlayTest, WholeGamePairByPairToTheNoMoveAndResultsDialogs) {
    std::vector<std::string> removals;
    int pairs = 0;
    std::function<void()> takePair = [&] {
        GameTable copy = GameOf().table;
        if (FindMove(copy) == 0) return;
        const int a = copy.knownMove[0];
        const int b = copy.knownMove[1];
        Click(a);
        EXPECT_EQ(Message(), "First selection made. Now, find a free match to that tile.");
        EXPECT_EQ(GameOf().table.tiles[a].state, kStateSelected);
        Press(b);
        EXPECT_EQ(Message(), "Second selection made and tiles are a perfect match.");
        EXPECT_EQ(GameOf().table.tiles[b].present, 1) << "taken off on the release";
        Release(b);
        ++pairs;
        EXPECT_EQ(GameOf().table.tilesLeft, kPositionCount - 2 * pairs);
        removals.push_back(form->StatusText(0).toStdString());
        EXPECT_EQ(form->findChild<QLabel*>("StaticText2")->text(), QString::asprintf(" %3d", 2 * pairs));
        EXPECT_EQ(GameOf().shell.autoPlayEnabled, 0) << "the player has touched the game";
        clock.nowMs += 7000;
        clock.steps.push_back(takePair);
    };
    std::vector<std::string> dialogs;
    modal.onDialog = [&](QDialog& dialog) {
        dialogs.push_back(dialog.objectName().toStdString());
        if (dialog.objectName() == "EndDlg1") {
            EXPECT_FALSE(form->findChild<QWidget*>("Panel1")->isVisible());
        }
        if (dialog.objectName() == "ResDlg1") {
            auto& results = static_cast<TResDlg1&>(dialog).Controls();
            const int percent = GameOf().table.score * 100 / 144;
            EXPECT_EQ(results.Label1->text(), QString::asprintf("%3d Percent", percent));
            EXPECT_FALSE(results.Label2->text().isEmpty());
            EXPECT_FALSE(results.Memo1->toPlainText().startsWith("Information:")) << "Show Messages is on";
        }
    };
    PlayFirstGame(takePair);

    ASSERT_GT(pairs, 0);
    EXPECT_EQ(removals.front(), "Number of tiles still present: 142");
    EXPECT_EQ(dialogs, (std::vector<std::string>{"EndDlg1", "ResDlg1"}));
    EXPECT_EQ(form->MessageLineText(), "Jadeleaf result display.");
    EXPECT_EQ(form->StatusText(0).toStdString().rfind(" Game started at ", 0), 0u);
    EXPECT_TRUE(form->StatusText(1).startsWith(" Game finished at "));
    EXPECT_TRUE(form->StatusText(2).startsWith(" Playing Time: mins "));
    // The no-move dialog stands centred on the table, 20 pixels above the panels.
    const QPoint origin = form->ClientArea()->mapToGlobal(QPoint(0, 0));
    ASSERT_GE(modal.dialogs.size(), 1u);
    EXPECT_EQ(modal.dialogs[0].position.y(), origin.y() + 422 - 20);
    EXPECT_EQ(modal.dialogs[1].position, origin + QPoint(30, 29));
}

TEST_F(MousePlayTest, SelectionStatesAndTheirTexts) {
    PlayFirstGame([&] {
        GameTable& table = GameOf().table;
        Choice choice = Choose();
        ASSERT_NE(choice.other, 0);
        ASSERT_NE(choice.blocked, 0);

        Click(choice.blocked);
        EXPECT_EQ(Message(), "The selected tile is not free. Try another.");
        EXPECT_TRUE(form->TimerEnabled(WindowTimer::Timer2));
        EXPECT_EQ(table.firstSelection.made, 0);

        // A press while a message shows brings the hint back 20 ms later.
        Press(choice.tile, Qt::RightButton);
        EXPECT_EQ(form->Timer(WindowTimer::Timer2).Interval(), 20);
        EXPECT_EQ(table.firstSelection.made, 0) << "the right button never makes a first selection";
        clock.Advance(20);
        EXPECT_EQ(Message(), "Select a pair of tiles that match one another.");

        Click(choice.tile);
        EXPECT_EQ(table.firstSelection.tile, choice.tile);
        Click(choice.blocked);
        EXPECT_EQ(Message(), "The selected tile is not free. Try another.");
        EXPECT_EQ(table.firstSelection.made, 1) << "the first selection stays";
        Click(choice.tile);
        EXPECT_EQ(Message(), "First selection discarded by selecting the same tile again.");
        EXPECT_EQ(table.tiles[choice.tile].state, kStateNormal);

        Click(choice.tile);
        // A quick second click arrives as a double click: still a press.
        QTest::mouseDClick(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, CentreOf(choice.other));
        EXPECT_EQ(Message(), "Second selection made, but tiles do not match.");
        EXPECT_EQ(table.firstSelection.made, 0);
        EXPECT_EQ(table.tiles[choice.tile].state, kStateNormal);

        GameOf().settings.infoDisplay = 0;
        Click(choice.tile);
        Click(choice.other);
        EXPECT_EQ(table.firstSelection.tile, choice.tile) << "without hints a wrong tile changes nothing";
        EXPECT_EQ(table.secondSelection.made, 0);
        GameOf().settings.infoDisplay = 1;

        // The right button completes a pair; the right release keeps a snapshot.
        Press(choice.match, Qt::RightButton);
        EXPECT_EQ(table.secondSelection.made, 1);
        Press(choice.other);
        EXPECT_EQ(table.secondSelection.tile, choice.match) << "a pending pair takes no more presses";
        Release(choice.match, Qt::RightButton);
        EXPECT_EQ(table.tiles[choice.match].present, 0);
        EXPECT_TRUE(QFile::exists(directory.path() + "/data/Jadeleaf/snapshots/snapshot01.bmp"));
        EXPECT_EQ(form->Mouse().snapshotNumber, 2);

        // A right release with nothing selected tells the tile's neighbours.
        QTest::mouseRelease(form->ClientArea(), Qt::RightButton, Qt::NoModifier, CentreOf(2));
        EXPECT_EQ(Message(), "Neighbours of tile 2:  On the left: " + std::to_string(table.tiles[2].left[0]) +
                                 ", 0.  On the Right: 3, 0");
        EXPECT_EQ(form->Timer(WindowTimer::Timer2).Interval(), 6000);

        modal.answers = {MessageAnswer::Yes};
        form->findChild<QAction*>("FinishGame1")->trigger();
    });
    EXPECT_EQ(modal.Count("ResDlg1"), 1);
}

TEST_F(MousePlayTest, HitRectanglesAndUpperLayersFirst) {
    PlayFirstGame([&] {
        MousePlay& mouse = form->Mouse();
        const TileRecord& first = GameOf().table.tiles[1];
        const int left = first.x + kTableLeft;
        const int top = first.y + kTableTop;
        EXPECT_EQ(mouse.TileAtPoint(left, top), 1) << "left and top edges belong to the tile";
        EXPECT_EQ(mouse.TileAtPoint(left + 32, top + 42), 1);
        EXPECT_EQ(mouse.TileAtPoint(left + 33, top), 2) << "33 pixels right is the next tile";
        EXPECT_EQ(mouse.TileAtPoint(left, top + 43), 0) << "43 pixels below, row 2 starts at column 3";
        EXPECT_EQ(mouse.TileAtPoint(left - 1, top), 0);
        // Tile 85 (layer 2) overlaps the bottom strip of tile 4 (layer 1, row 1).
        EXPECT_EQ(mouse.TileAtPoint(180, 77), 85);
        EXPECT_EQ(mouse.TileAtPoint(180, 74), 4);
        // A covered tile is never found: the layer-1 tile under 85 is hidden.
        const int under = GameOf().table.tiles[85].below[0];
        EXPECT_NE(mouse.TileAtPoint(GameOf().table.tiles[under].x + kTableLeft + 2,
                                    GameOf().table.tiles[under].y + kTableTop + 40),
                  under);
        GameOf().table.tableReady = 0;
    });
}

TEST_F(MousePlayTest, FinishGameAnsweredNoThenYes) {
    PlayFirstGame([&] {
        QAction* finish = form->findChild<QAction*>("FinishGame1");
        ASSERT_TRUE(finish->isEnabled());
        modal.answers = {MessageAnswer::No};
        finish->trigger();
        EXPECT_EQ(GameOf().table.tableReady, 1);
        EXPECT_TRUE(form->TimerEnabled(WindowTimer::Timer1));
        clock.steps.push_back([this, finish] {
            modal.answers = {MessageAnswer::Yes};
            finish->trigger();
            EXPECT_FALSE(finish->isEnabled());
        });
    });
    ASSERT_EQ(modal.messages.size(), 2u);
    EXPECT_EQ(modal.messages[1].caption, " Game Control");
    EXPECT_EQ(modal.messages[1].text, "End the current game?");
    EXPECT_EQ(modal.Count("ResDlg1"), 1);
    EXPECT_EQ(modal.Count("EndDlg1"), 0);
}

TEST_F(MousePlayTest, Timer2PutsBackTheStandardHint) {
    PlayFirstGame([&] {
        GameTable& table = GameOf().table;
        const Choice choice = Choose();
        Click(choice.blocked);
        clock.Advance(3000);
        EXPECT_EQ(Message(), "Select a pair of tiles that match one another.");
        EXPECT_FALSE(form->TimerEnabled(WindowTimer::Timer2));

        Click(choice.tile);
        Click(choice.blocked);
        EXPECT_EQ(form->Timer(WindowTimer::Timer2).Interval(), 3000);
        clock.Advance(2999);
        EXPECT_EQ(Message(), "The selected tile is not free. Try another.") << "a message stays 3 s";
        clock.Advance(1);
        EXPECT_EQ(Message(), "First selection made. Now, find a free match to that tile.");

        // With the pair pending the message stays; the announcement is not reset.
        Press(choice.match);
        table.moveAnnounced = 1;
        clock.Advance(3000);
        EXPECT_EQ(Message(), "Second selection made and tiles are a perfect match.");
        EXPECT_EQ(table.moveAnnounced, 1);
        Release(choice.match);

        GameOf().settings.infoDisplay = 0;
        form->SetTimerEnabled(WindowTimer::Timer2, true);
        clock.Advance(3000);
        EXPECT_EQ(Message(), "Info display option switched off.");
        EXPECT_EQ(table.moveAnnounced, 0) << "the next move check announces again";
        table.tableReady = 0;
    });
}

TEST_F(MousePlayTest, APressStopsAutomaticPlayAndASecondClearsTheTable) {
    Create();
    StartUp();
    std::size_t started = 0;
    // The first game is untouched: automatic play may take it over.
    StartAutomaticPlayAtNextStep(started);
    int presses = 0;
    clock.onPause = [&](int) {
        // Halfway through the third pair the player presses a button.
        if (started > 0 && clock.pauses.size() == started + 7 && presses == 0) {
            ++presses;
            Press(1);
            EXPECT_EQ(form->Timer(WindowTimer::Timer2).Interval(), 3000);
            clock.steps.push_back([&] {
                EXPECT_EQ(Message(), "Auto Play terminated by User intervention.");
                EXPECT_EQ(form->StatusText(0), "Click once to clear the game table.");
                EXPECT_FALSE(form->findChild<QAction*>("NewGame1")->isEnabled());
                // The half-made move stays as it was; the clearing press selects nothing.
                const TileSelection before = GameOf().table.firstSelection;
                Press(1);
                EXPECT_EQ(GameOf().table.firstSelection.tile, before.tile);
                EXPECT_EQ(GameOf().table.secondSelection.made, 0);
            });
        }
    };
    clock.Advance(400);
    EXPECT_EQ(GameOf().table.score, 4);
    EXPECT_EQ(GameOf().table.tableReady, 0);
    EXPECT_EQ(form->StatusText(0), "Ready to start a new game.");
    EXPECT_TRUE(form->findChild<QAction*>("NewGame1")->isEnabled());
    EXPECT_EQ(modal.Count("ResDlg1"), 0) << "automatic games show no results";
}

TEST_F(MousePlayTest, PlayingTimeTexts) {
    Create();
    StartUp();
    clock.nowMs = (23 * 3600 + 59 * 60) * 1000LL - 400;  // the game starts at 23:59:00
    clock.steps.push_back([&] {
        clock.Advance(2 * 60 * 1000);
        EXPECT_EQ(form->StatusText(2), " Playing Time: mins 02 : 00 secs") << "across midnight";
        clock.Advance(3 * 60 * 1000 + 23 * 1000);
        EXPECT_EQ(form->StatusText(2), " Playing Time: mins 05 : 23 secs");
        clock.Advance(55 * 60 * 1000 + 39 * 1000);
        EXPECT_EQ(form->StatusText(2), " Playing Time: mins 01 : 02 secs") << "61:02 shows no hours";
        GameOf().settings.timeDisplay = 0;
        clock.Advance(1000);
        EXPECT_EQ(form->StatusText(2), " Options under Game | Preferences.");
        GameOf().table.tableReady = 0;
    });
    clock.Advance(400);
}

// A new deal shows its own playing time at once, not the last game's until
// its first tick a second later.
TEST_F(MousePlayTest, NewDealStartsThePlayingTimeAtZero) {
    PlayFirstGame([&] {
        EXPECT_EQ(form->StatusText(2), " Playing Time: mins 00 : 00 secs");
        clock.Advance(5000);
        EXPECT_EQ(form->StatusText(2), " Playing Time: mins 00 : 05 secs");
        modal.answers = {MessageAnswer::Yes};
        form->findChild<QAction*>("NewGame1")->trigger();
        EXPECT_EQ(form->StatusText(2), " Playing Time: mins 00 : 00 secs");
        GameOf().settings.timeDisplay = 0;
        modal.answers = {MessageAnswer::Yes};
        form->findChild<QAction*>("NewGame1")->trigger();
        EXPECT_EQ(form->StatusText(2), " Options under Game | Preferences.");
        GameOf().table.tableReady = 0;
    });
}

}  // namespace
}  // namespace jadeleaf::test
