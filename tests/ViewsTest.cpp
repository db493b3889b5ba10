// The information pages, the commands that switch to them, and automatic
// play as the player watches it, all in the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <string>
#include <vector>

#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "model/TextLine.h"
#include "render/InformationViews.h"
#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

constexpr QRgb kGreen = 0x009900u;
constexpr QRgb kLimeText = 0x00FF00u;

// Where the Set of Tiles page puts face f: five rows, the dragons and the
// flowers beside the winds and the seasons.
QPoint TileSetPosition(int face) {
    struct Row {
        int first, last, x, y;
    };
    static constexpr Row kRows[] = {{1, 9, 24, 94},     {10, 18, 24, 176},  {19, 27, 24, 258}, {28, 31, 24, 340},
                                    {32, 34, 324, 340}, {35, 38, 24, 422},  {39, 42, 324, 422}};
    for (const Row& row : kRows) {
        if (face >= row.first && face <= row.last) return {row.x + (face - row.first) * 60, row.y};
    }
    return {};
}

// Pixels of a rectangle, for comparing what two places show.
QImage Region(const QImage& picture, int x, int y, int width, int height) {
    return picture.copy(x, y, width, height).convertToFormat(QImage::Format_RGB32);
}

bool HasColour(const QImage& picture, const QRect& rect, QRgb colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if ((picture.pixel(x, y) & 0xFFFFFFu) == colour) return true;
        }
    }
    return false;
}

class ViewsTest : public ShellFixture {
protected:
    // Starts the program and runs `step` at the first wait of the first game.
    void AtFirstGame(std::function<void()> step) {
        Create();
        StartUp();
        clock.steps.push_back(std::move(step));
        clock.Advance(400);
    }

    QToolButton* ViewButton() { return form->findChild<QToolButton*>("ViewBtn1"); }
    QAction* MenuAction(const char* name) { return form->findChild<QAction*>(name); }
    bool PanelsShown() {
        return form->findChild<QWidget*>("Panel1")->isVisible() && form->findChild<QWidget*>("Panel2")->isVisible();
    }
    const QImage& Window() { return form->ClientPicture(); }

    // True when writing `text` again at (x, y) changes no pixel of the window.
    bool ShowsText(int x, int y, std::string_view text, PageFont font) {
        QImage again = Window().copy();
        WritePageText(again, x, y, text, font, QColor(kGreen));
        return again == Window();
    }

    // True when every coloured pixel of face f's finished tile is on the window at (x, y).
    bool ShowsTile(int face, QPoint at) {
        const QImage tile = form->Graphics().FetchTilePicture(face).copy();
        for (int y = 0; y < tile.height(); ++y) {
            for (int x = 0; x < tile.width(); ++x) {
                const QRgb pixel = tile.pixel(x, y) & 0xFFFFFFu;
                if (pixel != 0xFFFFFFu && (Window().pixel(at.x() + x, at.y() + y) & 0xFFFFFFu) != pixel) return false;
            }
        }
        return true;
    }

    // Takes two present tiles of `face` off the table, whether free or not.
    void RemoveTwoOf(int face) {
        int found[2] = {};
        int count = 0;
        for (int p = 1; p <= kPositionCount && count < 2; ++p) {
            const TileRecord& tile = GameOf().table.tiles[p];
            if (tile.present && tile.face == face) found[count++] = p;
        }
        GameOf().RemovePair(found[0], found[1]);
    }
};

TEST_F(ViewsTest, SetOfTilesShowsEveryFaceWithItsLiveCount) {
    AtFirstGame([&] {
        QTest::mouseClick(ViewButton(), Qt::LeftButton);
        EXPECT_EQ(GameOf().shell.viewMode, kViewSetOfTiles);
        EXPECT_FALSE(PanelsShown());
        EXPECT_TRUE(HasColour(Window(), QRect(24, 16, 200, 12), kLimeText)) << "the heading";
        EXPECT_TRUE(ShowsText(24, 16, "Velora-MahJong Information Page 1", {10, kLimeText, true}));
        EXPECT_TRUE(ShowsText(24, 72, "Circle suit", {8, kLimeText}));
        EXPECT_TRUE(ShowsText(324, 400, "Flowers", {8, kLimeText}));
        EXPECT_TRUE(ShowsText(24, 482, "Note:", {8, kLimeText}));
        for (int face = 1; face <= kFaceCount; ++face) {
            EXPECT_TRUE(ShowsTile(face, TileSetPosition(face))) << "face " << face;
            const QPoint count = TileSetPosition(face) + QPoint(41, 31);
            EXPECT_TRUE(ShowsText(count.x(), count.y(), face <= 34 ? "4" : "1", {8, 0xFFFFFFu})) << "face " << face;
        }

        // A pair of fives gone: the next paint of the page counts two.
        RemoveTwoOf(5);
        form->Paint();
        const QPoint five = TileSetPosition(5) + QPoint(41, 31);
        EXPECT_TRUE(ShowsText(five.x(), five.y(), "2", {8, 0xFFFFFFu}));
        EXPECT_FALSE(ShowsText(five.x(), five.y(), "4", {8, 0xFFFFFFu}));

        QTest::mouseClick(ViewButton(), Qt::LeftButton);
        EXPECT_EQ(GameOf().shell.viewMode, kViewTable);
        EXPECT_TRUE(PanelsShown());
        GameOf().table.tableReady = 0;
    });
}

TEST_F(ViewsTest, DimensionsOfA792By546ClientArea) {
    AtFirstGame([&] { GameOf().table.tableReady = 0; });
    ASSERT_EQ(GameOf().table.tableReady, 0);
    const int statusBar = form->findChild<QStatusBar*>("StatusBar1")->height();
    form->ClientArea()->window()->resize(form->width() - form->ClientArea()->width() + 792,
                                         form->height() - form->ClientArea()->height() - statusBar + 546);
    QCoreApplication::processEvents();
    ASSERT_EQ(form->Geometry().clientWidth, 792);
    ASSERT_EQ(form->Geometry().clientHeight, 546);

    form->SetStatusText(1, "left over");
    MenuAction("DimensionMode")->trigger();
    EXPECT_EQ(GameOf().shell.viewMode, kViewDimensions);
    const int table = 546 - statusBar;
    const PageFont value{10, 0xFFFFFFu};
    EXPECT_TRUE(ShowsText(24, 16, "Velora-MahJong Information Page 2", {10, kLimeText, true}));
    EXPECT_TRUE(ShowsText(24, 42, "Display of window construction details.", {8, 0xFFFFFFu}));
    EXPECT_TRUE(ShowsText(24, 86, "Dimensions", {10, kLimeText, true}));
    EXPECT_TRUE(ShowsText(130, 86, "[ in number of pixels ]", {10, kLimeText}));
    EXPECT_TRUE(ShowsText(24, 125, "Entire Screen:  1280 x 1024", value)) << "two blanks for a wide screen";
    EXPECT_TRUE(ShowsText(24, 164, "Client Window:   792 x 546", value));
    EXPECT_TRUE(ShowsText(24, 203, FormatText("MahJong Table:   575 x %d", table).text, value));
    EXPECT_TRUE(ShowsText(24, 229, "MahJong Deck:    531 x 380", value));
    EXPECT_TRUE(ShowsText(24, 268, FormatText("SideWindow Max:  213 x %d", table - 25).text, value));
    EXPECT_TRUE(ShowsText(24, 294, FormatText("Actual SW Size:  213 x %d", table - 25).text, value));
    EXPECT_TRUE(ShowsText(24, 333, "MahJong Tile:     37 x  47", value));
    EXPECT_TRUE(ShowsText(24, 377, "Window Status", {10, kLimeText, true}));
    EXPECT_TRUE(ShowsText(24, 416, "normal", value));
    EXPECT_TRUE(ShowsText(24, 455, "Note: Size and Screen Position of the main window will be", {8, 0xFFFFFFu}));
    EXPECT_TRUE(ShowsText(72, 473, "remembered when leaving the Jadeleaf application.", {8, 0xFFFFFFu}));
    EXPECT_EQ(form->StatusText(1), "");
    EXPECT_EQ(form->StatusText(2), "");
    // The side window's outline stands where its picture would.
    EXPECT_EQ(Window().pixel(575, 21) & 0xFFFFFFu, 0x03DA03u);
    EXPECT_EQ(Window().pixel(575 + 212, 21 + table - 26) & 0xFFFFFFu, 0x03DA03u);

    form->showMaximized();
    QCoreApplication::processEvents();
    MenuAction("DimensionMode")->trigger();
    EXPECT_TRUE(ShowsText(24, 416, "maximized", value));
}

TEST_F(ViewsTest, TheButtonAndTheMenuFollowTheStateTable) {
    Create();
    StartUp();
    QTest::mouseClick(ViewButton(), Qt::LeftButton);
    EXPECT_EQ(GameOf().shell.viewMode, kViewTable) << "nothing during start-up";

    clock.steps.push_back([&] {
        struct Row {
            int from;
            std::function<void()> command;
            int to;
        };
        const auto button = [&] { ViewButton()->click(); };
        const auto tiles = [&] { MenuAction("TileMode")->trigger(); };
        // The menu item is disabled during a game; the command is the same.
        const auto dimensions = [&] { form->Views().DimensionModeClick(); };
        const auto press = [&] { QTest::mouseClick(form->ClientArea(), Qt::LeftButton, {}, QPoint(5, 5)); };
        const std::vector<Row> rows = {
            {kViewTable, button, kViewSetOfTiles},         {kViewTable, tiles, kViewSetOfTiles},
            {kViewTable, dimensions, kViewDimensions},     {kViewSetOfTiles, button, kViewTable},
            {kViewSetOfTiles, tiles, kViewSetOfTiles},     {kViewSetOfTiles, dimensions, kViewDimensions},
            {kViewDimensions, button, kViewSetOfTiles},    {kViewDimensions, tiles, kViewSetOfTiles},
            {kViewDimensions, dimensions, kViewDimensions}, {kViewSetOfTiles, press, kViewTable},
            {kViewDimensions, press, kViewTable},
        };
        for (std::size_t i = 0; i < rows.size(); ++i) {
            GameOf().shell.viewMode = rows[i].from;
            rows[i].command();
            EXPECT_EQ(GameOf().shell.viewMode, rows[i].to) << "row " << i;
            EXPECT_EQ(PanelsShown(), rows[i].to == kViewTable) << "row " << i;
        }
        EXPECT_EQ(GameOf().table.firstSelection.made, 0) << "a press on a page selects nothing";
        GameOf().table.tableReady = 0;
    });
    clock.Advance(400);
}

// At each pause the window and the status bar already show the phase that
// the pause is for.
TEST_F(ViewsTest, AutomaticPlayShowsEachPhaseForItsWholePause) {
    Create();
    StartUp();
    StatusPanel* panel0 = form->findChild<QStatusBar*>("StatusBar1")->findChildren<StatusPanel*>().value(0);
    ASSERT_NE(panel0, nullptr);
    ASSERT_EQ(panel0->text(), form->StatusText(0));

    struct PaintProbe : QObject {
        std::function<void(QObject*)> onPaint;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) onPaint(watched);
            return false;
        }
    } probe;
    QString paintedStatus;
    QImage paintedTable;
    probe.onPaint = [&](QObject* watched) {
        if (watched == panel0) paintedStatus = panel0->text();
        if (watched == form->ClientArea()) paintedTable = form->ClientPicture().copy();
    };
    panel0->installEventFilter(&probe);
    form->ClientArea()->installEventFilter(&probe);

    std::size_t started = 0;
    std::vector<std::string> shown;
    clock.steps.push_back([&] {
        started = clock.pauses.size();
        MenuAction("AutoPlay1")->trigger();
    });
    clock.onPause = [&](int) {
        if (started == 0 || clock.pauses.size() > started + 6) return;
        shown.push_back(paintedStatus.toStdString());
        EXPECT_EQ(paintedStatus, panel0->text());
        EXPECT_TRUE(paintedTable == form->ClientPicture()) << "pause " << clock.pauses.size() - started;
        if (clock.pauses.size() == started + 6) GameOf().table.stopRequested = 1;
    };
    clock.steps.push_back([&] { QTest::mouseClick(form->ClientArea(), Qt::LeftButton); });
    clock.Advance(400);

    const int d = GameOf().shell.autoPlayDelay;
    ASSERT_GE(clock.pauses.size(), started + 6);
    EXPECT_EQ(std::vector<int>(clock.pauses.begin() + static_cast<long>(started),
                               clock.pauses.begin() + static_cast<long>(started) + 6),
              (std::vector<int>{d, 2 * d, d, d, 2 * d, d}));
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].rfind("Selections 1:  face ", 0), 0u);
    EXPECT_EQ(shown[0].substr(shown[0].size() - 4), "    ") << "one face chosen";
    EXPECT_NE(shown[1].substr(shown[1].size() - 4), "    ") << "both faces chosen";
}

// A sure-bet tile shows the pattern over its own face, whatever lies beneath.
TEST_F(ViewsTest, SureBetTileShowsItsOwnFaceOverOtherTiles) {
    Create();
    StartUp();
    TileGraphics& graphics = form->Graphics();
    const auto sureBetOver = [&](int faceBeneath) {
        QImage canvas(60, 60, QImage::Format_RGB32);
        canvas.fill(0x336633u);
        graphics.DrawTile(canvas, 10, 6, faceBeneath, kStateNormal, *form);
        graphics.DrawTile(canvas, 14, 2, 7, kStateSureBet, *form);
        return Region(canvas, 14, 2, kTileWidth, kTileHeight);
    };
    QImage plain(60, 60, QImage::Format_RGB32);
    plain.fill(0x336633u);
    graphics.DrawTile(plain, 14, 2, 7, kStateNormal, *form);

    EXPECT_TRUE(sureBetOver(20) == sureBetOver(33));
    EXPECT_FALSE(sureBetOver(20) == Region(plain, 14, 2, kTileWidth, kTileHeight)) << "the pattern shows";
    EXPECT_TRUE(modal.messages.empty());
}

TEST_F(ViewsTest, TheMessageLineAndScoreBoxTakeTheirOwnPresses) {
    AtFirstGame([&] {
        form->SetMessageLine("A message on display.");
        form->SetTimerEnabled(WindowTimer::Timer2, true);
        for (const char* name : {"Label1", "Panel1", "Panel2", "StaticText2"}) {
            QWidget* control = form->findChild<QWidget*>(name);
            QTest::mousePress(control, Qt::LeftButton, {}, QPoint(3, 3));
            QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(3, 3));
            EXPECT_EQ(form->Timer(WindowTimer::Timer2).Interval(), 3000) << name;
        }
        EXPECT_EQ(GameOf().shell.autoPlayEnabled, 1);
        EXPECT_EQ(form->MessageLineText(), "A message on display.");
        GameOf().table.tableReady = 0;
    });
}

TEST_F(ViewsTest, FinishGameEndsAutomaticPlayWithoutAClick) {
    modal.answers = {MessageAnswer::Yes};
    Create();
    StartUp();
    std::size_t started = 0;
    std::vector<std::string> messages;
    ASSERT_EQ(GameOf().shell.autoPlayDelay, 250);
    clock.steps.push_back([&] {
        started = clock.pauses.size();
        MenuAction("AutoPlay1")->trigger();
    });
    clock.onPause = [&](int) {
        if (started == 0) return;
        messages.push_back(form->MessageLineText().toStdString());
        // Well after Timer2's tick has ended the welcome, the player finishes the game.
        if (clock.pauses.size() == started + 30) {
            QMetaObject::invokeMethod(MenuAction("FinishGame1"), "trigger", Qt::QueuedConnection);
        }
    };
    clock.Advance(400);
    ASSERT_GE(messages.size(), 30u);
    EXPECT_EQ(messages.front(), "Welcome to Jadeleaf Automatic Play.");
    EXPECT_EQ(messages.back(), "Auto Play in action.  ( Use mouse button for an early break. )");
    for (const std::string& message : messages) {
        EXPECT_TRUE(message == messages.front() || message == messages.back()) << "Timer2 left it alone: " << message;
    }
    EXPECT_EQ(GameOf().table.tableReady, 0);
    EXPECT_EQ(GameOf().table.autoPlay, 0);
    EXPECT_EQ(form->MessageLineText(), "No move left. Game finished for this basic version of Auto Play.");
    EXPECT_EQ(form->StatusText(0), "Ready to start a new game.");
    EXPECT_EQ(modal.Count("ResDlg1"), 0);
}

TEST_F(ViewsTest, SetOfTilesWhileTheAutomaticResultIsShown) {
    Create();
    StartUp();
    bool checked = false;
    clock.steps.push_back([&] { MenuAction("AutoPlay1")->trigger(); });
    clock.onPause = [&](int) {
        if (GameOf().table.autoPlay && !checked) {
            checked = true;
            QTest::mouseClick(form->ClientArea(), Qt::LeftButton);
            clock.steps.push_back([&] {
                // The result is shown: only the Set of Tiles may be looked at.
                EXPECT_FALSE(MenuAction("NewGame1")->isEnabled());
                EXPECT_FALSE(MenuAction("AutoPlay1")->isEnabled());
                EXPECT_TRUE(ViewButton()->isEnabled());
                ViewButton()->click();
                EXPECT_EQ(GameOf().shell.viewMode, kViewSetOfTiles);
                QTest::mouseClick(form->ClientArea(), Qt::LeftButton, {}, QPoint(5, 5));
            });
        }
    };
    clock.Advance(400);
    ASSERT_TRUE(checked);
    EXPECT_EQ(GameOf().table.tableReady, 0);
    EXPECT_EQ(GameOf().shell.viewMode, kViewSetOfTiles) << "the clearing press keeps the page";
    EXPECT_TRUE(MenuAction("NewGame1")->isEnabled());
    QTest::mouseClick(form->ClientArea(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(GameOf().shell.viewMode, kViewTable);
}

// Automatic play takes the table back from the Set of Tiles page before it
// draws: no heading above the table, no note below it, the panels shown.
TEST_F(ViewsTest, AutomaticPlayLeavesTheSetOfTilesPageFirst) {
    bool checked = false;
    AtFirstGame([&] {
        ViewButton()->click();
        ASSERT_TRUE(ShowsText(24, 482, "Note:", {8, kLimeText}));
        clock.onPause = [&](int) {
            if (checked) return;
            checked = true;
            EXPECT_EQ(GameOf().shell.viewMode, kViewTable);
            EXPECT_TRUE(PanelsShown());
            EXPECT_FALSE(HasColour(Window(), QRect(24, 16, 200, 4), kLimeText)) << "the heading";
            EXPECT_FALSE(HasColour(Window(), QRect(24, 482, 200, 12), kLimeText)) << "the note";
            GameOf().table.tableReady = 0;
        };
        MenuAction("AutoPlay1")->trigger();
    });
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace jadeleaf::test
