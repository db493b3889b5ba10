// The aids in the real window: their menu items after the Game menu's own,
// and Undo and Redo by their keys with the table picture following.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "analysis/DealSolver.h"
#include "model/Deck.h"
#include "model/MoveRules.h"
#include "shell/Forms.h"
#include "model/TableLayout.h"
#include "tests/ShellFixture.h"
#include "ui_TForm1.h"

namespace jadeleaf::test {
namespace {

class AidsWindowTest : public ShellFixture {
protected:
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

    QByteArray StoredSettings() {
        QFile file(QString::fromStdString(settingsPath));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    // New game as the player starts it, with the clock's seconds at `seed`.
    void NewGameAt(std::uint32_t seed) {
        clock.calendarAtMidnight = seed - static_cast<std::uint32_t>(clock.nowMs / 1000);
        modal.answers = {MessageAnswer::Yes};
        form->findChild<QAction*>("NewGame1")->trigger();
    }
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

// A move or Undo calls off the hint's search under way, whose answer would
// be dropped: deal 1280's table takes the search its whole budget otherwise.
TEST_F(AidsWindowTest, AMoveOrUndoCallsOffTheHintsSearch) {
    std::vector<int> calledOff;
    PlayFirstGame([&] {
        modal.answers = {MessageAnswer::Yes};
        GameOf().DealNumber1Click(1280);
        ASSERT_TRUE(GameOf().AidsAllowed());
        form->Hint1Click();
        GameTable copy = GameOf().table;
        ASSERT_NE(FindMove(copy), 0);
        Click(copy.knownMove[0]);
        Click(copy.knownMove[1]);
        ASSERT_EQ(GameOf().table.tilesLeft, 142);
        calledOff.push_back(form->HintsCalledOff());
        form->WaitForHint();
        EXPECT_EQ(form->MessageLineText().indexOf("highlighted"), -1) << "the answer is dropped";

        form->Hint1Click();
        form->Hint1Click();
        calledOff.push_back(form->HintsCalledOff());
        GameOf().Undo1Click();
        calledOff.push_back(form->HintsCalledOff());
        form->WaitForHint();
        modal.answers = {MessageAnswer::Yes};
        GameOf().FinishGame1Click();
    });
    EXPECT_EQ(calledOff, (std::vector<int>{1, 1, 2})) << "a second request is no change of the table";
}

// The dialog tells the deal on the table and takes a new number until it is
// one; the same number gives the same deal as the analysis tool's.
TEST_F(AidsWindowTest, DealNumberRefusesWhatIsNoNumberThenDealsIt) {
    std::vector<std::string> shownDeal;
    PlayFirstGame([&] {
        const std::vector<QString> typed = {"12x", "4294967296", " 77 "};
        modal.onDialog = [&](QDialog& dialog) {
            if (dialog.objectName() != "DealNumberDlg") return;  // the results of the game abandoned
            shownDeal.push_back(dialog.findChild<QLabel*>("CurrentDeal")->text().toStdString());
            dialog.findChild<QLineEdit*>("DealNumberEdit")->setText(typed[std::min<std::size_t>(shownDeal.size(), 3) - 1]);
            dialog.accept();
        };
        modal.answers = {MessageAnswer::Yes};
        Item("DealNumber1")->trigger();
        EXPECT_EQ(GameOf().DealSeed(), 77u);
        const GameTable expected = DealtTable(77);
        EXPECT_TRUE(std::equal(std::begin(expected.deal), std::end(expected.deal), std::begin(GameOf().table.deal)));
        EXPECT_EQ(GameOf().table.tilesLeft, kPositionCount);
        modal.onDialog = nullptr;
        modal.answers = {MessageAnswer::Yes};
        GameOf().FinishGame1Click();
    });
    ASSERT_EQ(shownDeal.size(), 3u);
    EXPECT_EQ(shownDeal[0], "The deal on the table is number " + std::to_string(clock.CalendarSeconds()) + ".");
    std::vector<std::string> warnings;
    for (const auto& message : modal.messages) {
        if (message.caption == " Deal Number") warnings.push_back(message.text);
    }
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "\"12x\" is not a deal number.\nA deal number is a whole number from 0 to 4294967295.",
                            "\"4294967296\" is not a deal number.\nA deal number is a whole number from 0 to 4294967295."}));
}

// The refusal in a real message box, between two showings of the real dialog.
TEST_F(AidsWindowTest, DealNumberRefusalInARealMessageBox) {
    QtModalService realModal;
    windows = CreateForms({clock, realModal, settingsPath, QSize(1280, 1024), false});
    form = windows.form1.get();
    GameOf().shell.startupPending = 0;
    QString boxText;
    int dialogs = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modalWidget = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modalWidget)) {
            boxText = box->text();
            box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modalWidget); dialog && dialog->objectName() == "DealNumberDlg") {
            if (++dialogs == 1) {
                dialog->findChild<QLineEdit*>("DealNumberEdit")->setText("-5");
                dialog->accept();
            } else {
                dialog->reject();
            }
        }
    });
    driver.start(0);
    form->DealNumber1Click();
    driver.stop();
    EXPECT_EQ(boxText, "\"-5\" is not a deal number.\nA deal number is a whole number from 0 to 4294967295.");
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(GameOf().table.tableReady, 0) << "cancelled: no deal";
}

// Deal 1280 is left open by any short search: with the option on, New game
// at that second deals the next deal proven winnable instead, and the deal
// shown is the one dealt. A deal asked for by its number is dealt as asked.
TEST_F(AidsWindowTest, WinnableDealsOnlyPassesOverDealsNotProvenWinnable) {
    std::vector<std::uint32_t> dealt;
    PlayFirstGame([&] {
        QAction* item = Item("WinnableDeals1");
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(form->findChild<QMenu*>("GameMenu1")->actions().back(), item);
        EXPECT_TRUE(item->isCheckable());
        EXPECT_FALSE(item->isChecked());
        EXPECT_EQ(StoredSettings().indexOf("Winnable Deals"), -1) << "nothing written until chosen";

        NewGameAt(1280);
        dealt.push_back(GameOf().DealSeed());
        item->trigger();
        EXPECT_NE(StoredSettings().indexOf("\"Winnable Deals\"=dword:00000001"), -1);
        NewGameAt(1280);
        dealt.push_back(GameOf().DealSeed());
        const GameTable expected = DealtTable(dealt.back());
        EXPECT_TRUE(std::equal(std::begin(expected.deal), std::end(expected.deal), std::begin(GameOf().table.deal)));
        modal.answers = {MessageAnswer::Yes};
        GameOf().DealNumber1Click(1280);
        dealt.push_back(GameOf().DealSeed());

        item->trigger();
        EXPECT_NE(StoredSettings().indexOf("\"Winnable Deals\"=dword:00000000"), -1);
        NewGameAt(1280);
        dealt.push_back(GameOf().DealSeed());
        modal.answers = {MessageAnswer::Yes};
        GameOf().FinishGame1Click();
    });
    ASSERT_EQ(dealt.size(), 4u);
    EXPECT_EQ(dealt[0], 1280u) << "the option is off at first";
    EXPECT_GT(dealt[1], 1280u);
    EXPECT_LT(dealt[1], 1290u);
    DealSolver solver;
    EXPECT_EQ(solver.Solve(DealtTable(dealt[1]), 1'000'000).verdict, SolveVerdict::Winnable);
    EXPECT_EQ(dealt[2], 1280u);
    EXPECT_EQ(dealt[3], 1280u);
}

// The option is read back at start-up; a refused write is reported in a real
// message box and the choice holds for the run.
TEST_F(AidsWindowTest, WinnableDealsIsReadAtStartAndARefusedWriteIsReported) {
    QtModalService realModal;
    windows = CreateForms({clock, realModal, settingsPath, QSize(1280, 1024), false});
    form = windows.form1.get();
    StartUp();
    const QString shown = RefusedWriteReport([&] { Item("WinnableDeals1")->trigger(); });
    EXPECT_TRUE(shown.startsWith("Failed to set data for 'Winnable Deals'\n")) << shown.toStdString();
    EXPECT_EQ(GameOf().settings.winnableDeals, 1);

    Item("WinnableDeals1")->trigger();
    Item("WinnableDeals1")->trigger();
    windows = ApplicationWindows();
    Create();
    StartUp();
    EXPECT_TRUE(Item("WinnableDeals1")->isChecked());
    EXPECT_EQ(GameOf().settings.winnableDeals, 1);
}

TEST(DealNumber, ParsedAsTyped) {
    std::uint32_t seed = 1;
    EXPECT_TRUE(ParseDealNumber("0", seed));
    EXPECT_EQ(seed, 0u);
    EXPECT_TRUE(ParseDealNumber(" 4294967295 ", seed));
    EXPECT_EQ(seed, 4294967295u);
    EXPECT_TRUE(ParseDealNumber("007", seed));
    EXPECT_EQ(seed, 7u);
    for (const char* bad : {"", " ", "4294967296", "99999999999", "1 2", "+1", "-1", "0x10", "1.0"}) {
        EXPECT_FALSE(ParseDealNumber(bad, seed)) << bad;
    }
}

}  // namespace
}  // namespace jadeleaf::test
