// The table drawn larger: presses at every tile's centre and edges hit the
// tile they hit at 100%, on the very window pixels that show that tile.
#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

class TableScaleTest : public ShellFixture {
protected:
    void PlayFirstGame(std::function<void()> play) {
        Create(QSize(1920, 1080));
        form->resize(1918, 1000);
        StartUp();
        clock.steps.push_back(std::move(play));
        clock.Advance(400);
    }

    // The client area as the screen shows it, without the panels above it.
    QImage Screen() {
        QWidget* area = form->ClientArea();
        QImage shown(area->size(), QImage::Format_RGB32);
        area->render(&shown, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return shown;
    }

    // The centre and the four corners of the tile's hit rectangle, in table pixels.
    static std::vector<QPoint> Landmarks(const TileRecord& tile) {
        const int left = tile.x + kTableLeft;
        const int top = tile.y + kTableTop;
        const int right = left + kHorizontalStep - 1;
        const int bottom = top + kVerticalStep - 1;
        return {{left + 16, top + 21}, {left, top}, {right, top}, {left, bottom}, {right, bottom}};
    }

    // The first and the last window pixel showing a table pixel.
    static std::vector<QPoint> WindowPixels(QPoint table, int scale) {
        const QPoint first(WindowPixel(table.x(), scale), WindowPixel(table.y(), scale));
        const QPoint last(WindowPixel(table.x() + 1, scale) - 1, WindowPixel(table.y() + 1, scale) - 1);
        return {first, last};
    }
};

TEST_F(TableScaleTest, EveryTileIsHitWhereItIsSeenAtEachScale) {
    PlayFirstGame([&] {
        GameTable& table = GameOf().table;
        MousePlay& mouse = form->Mouse();
        for (const int scale : {150, 200}) {
            SCOPED_TRACE(scale);
            form->SetTableScale(scale);
            const QImage tablePixels = form->ClientPicture();
            const QImage shown = Screen();
            int checked = 0;
            for (int p = 1; p <= kPositionCount; ++p) {
                const TileRecord& tile = table.tiles[p];
                if (!tile.present || tile.covered) continue;
                std::vector<QPoint> ownPixels;
                for (const QPoint at : Landmarks(tile)) {
                    const int hitAtActualSize = mouse.TileAtPoint(at.x(), at.y());
                    for (const QPoint window : WindowPixels(at, scale)) {
                        const QPoint hit = form->TablePoint(window);
                        EXPECT_EQ(mouse.TileAtPoint(hit.x(), hit.y()), hitAtActualSize) << p;
                        EXPECT_EQ(shown.pixel(window), tablePixels.pixel(at)) << p << " drawn where it is hit";
                        if (hitAtActualSize == p) ownPixels.push_back(window);
                        ++checked;
                    }
                }
                if (!IsFree(table, p) || ownPixels.empty()) continue;
                // Real presses on a free tile select it, and a second press
                // on another of its pixels lets it go again.
                QTest::mouseClick(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, ownPixels.front());
                EXPECT_EQ(table.firstSelection.made, 1) << p;
                EXPECT_EQ(table.firstSelection.tile, p);
                QTest::mouseClick(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, ownPixels.back());
                EXPECT_EQ(table.firstSelection.made, 0) << p;
            }
            EXPECT_GT(checked, 500);
        }
        table.tableReady = 0;
    });
}

}  // namespace
}  // namespace jadeleaf::test
