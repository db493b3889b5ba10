// The table geometry for the stored sizes, a large window and a narrow one.
#include <gtest/gtest.h>

#include "render/TableGeometry.h"

namespace jadeleaf {
namespace {

TEST(TableGeometry, StoredSizesAndPanels) {
    TableGeometry geometry;
    PaintRequests paint{};
    const PanelPlacement place = ComputeGeometry(geometry, {900, 600, 19, 97, 26}, Settings{}, paint);
    EXPECT_EQ(geometry.tableWidth, 531);
    EXPECT_EQ(geometry.tableHeight, 380);
    EXPECT_EQ(geometry.sideX, 575);
    EXPECT_EQ(geometry.layoutWidth, 575);
    EXPECT_EQ(geometry.panelTop, 422);
    EXPECT_EQ(place.panel1Left, 37);
    EXPECT_EQ(place.panel1Top, 422);
    EXPECT_EQ(place.panel2Left, 441);
    EXPECT_EQ(place.viewButtonLeft, 511);
    EXPECT_EQ(place.viewButtonTop, 37);
    EXPECT_EQ(place.label1Width, 380);

    EXPECT_EQ(geometry.tableAreaHeight, 581);
    EXPECT_EQ(geometry.sideMaxWidth, 321);
    EXPECT_EQ(geometry.sideMaxHeight, 556);
    EXPECT_EQ(geometry.sideWidth, 321);
    EXPECT_EQ(geometry.sideHeight, 556);
    EXPECT_EQ(paint.eraseWindow, 1) << "the client size changed";

    paint.eraseWindow = 0;
    Settings sized;
    sized.sideWindowWidth = 200;
    sized.sideWindowHeight = 150;
    ComputeGeometry(geometry, {900, 600, 19, 97, 26}, sized, paint);
    EXPECT_EQ(paint.eraseWindow, 0) << "same size, nothing to erase";
    EXPECT_EQ(geometry.sideWidth, 200);
    EXPECT_EQ(geometry.sideHeight, 150);
}

TEST(TableGeometry, NarrowWindowGivesANegativeSideWindow) {
    TableGeometry geometry;
    PaintRequests paint{};
    ComputeGeometry(geometry, {578, 500, 19, 97, 26}, Settings{}, paint);
    EXPECT_EQ(geometry.sideMaxWidth, -1);
    EXPECT_EQ(geometry.sideWidth, -1);
    EXPECT_EQ(geometry.sideX, 575) << "the table keeps its place";
}

TEST(TableGeometry, LargerTableKeepsItsOwnGeometryAndMovesThePanels) {
    TableGeometry geometry;
    geometry.scale = 200;
    PaintRequests paint{};
    const PanelPlacement place = ComputeGeometry(geometry, {1900, 1000, 19, 97, 26}, Settings{}, paint);
    EXPECT_EQ(geometry.tableWidth, 531) << "the table's own sizes do not scale";
    EXPECT_EQ(geometry.clientWidth, 950);
    EXPECT_EQ(geometry.tableAreaHeight, 491) << "981 window pixels above the status bar, half a pixel cut";
    EXPECT_EQ(geometry.sideMaxWidth, 950 - 4 - 527 - 48);
    EXPECT_EQ(place.panel1Top, 844);
    EXPECT_EQ(place.panel1Left, (1062 - 396 - 97 - 8) / 2 + 44) << "centred under the table";
    EXPECT_EQ(place.panel2Left, place.panel1Left + 404) << "the panels keep their sizes";
    EXPECT_EQ(place.viewButtonLeft, 2 * (531 + 22 - 16) - 26);
    EXPECT_EQ(place.viewButtonTop, 74);

    geometry.scale = 50;
    const PanelPlacement small = ComputeGeometry(geometry, {1900, 1000, 19, 97, 26}, Settings{}, paint);
    EXPECT_EQ(small.panel1Left, 0) << "a message line wider than the table starts at the window's edge";
}

// Window pixels and table pixels correspond one to one at 100%; larger,
// every table pixel starts where the window pixel mapping meets it.
TEST(TableGeometry, WindowAndTablePixels) {
    for (int x = -3; x < 700; ++x) {
        EXPECT_EQ(TablePixel(x, kActualScale), x);
        EXPECT_EQ(WindowPixel(x, kActualScale), x);
    }
    for (int scale = kActualScale; scale <= kLargestScale; ++scale) {
        for (int x = -3; x < 700; ++x) {
            ASSERT_EQ(TablePixel(WindowPixel(x, scale), scale), x) << scale;
            ASSERT_EQ(TablePixel(WindowPixel(x, scale) - 1, scale), x - 1) << scale;
        }
    }
    EXPECT_EQ(TablePixel(2, 150), 1) << "the centre 2.5 lies in table pixel 1.67";
    EXPECT_EQ(TablePixel(1, 150), 1) << "the centre 1.5 on the border goes to the pixel after it";
    EXPECT_EQ(TableLength(1001, 200), 501);
}

TEST(TableGeometry, FitFillsTheLimitingSide) {
    const ClientMeasures screen{1918, 1000, 19, 97, 26};
    const int fit = FitScale(screen, 41, Settings{});
    TableGeometry geometry;
    PaintRequests paint{};
    ComputeGeometry(geometry, screen, Settings{}, paint);
    EXPECT_LE(WindowPixel(geometry.panelTop, fit) + 41, 981);
    EXPECT_GT(WindowPixel(geometry.panelTop, fit + 1) + 41, 981) << "the largest that fits";
    EXPECT_GE(WindowPixel(geometry.tableHeight + kTableTop, fit), 0.8 * 981);

    Settings wideSide;
    wideSide.sideWindowWidth = 900;
    const int narrower = FitScale(screen, 41, wideSide);
    EXPECT_LE(WindowPixel(575 + 904, narrower), 1918);
    EXPECT_GT(WindowPixel(575 + 904, narrower + 1), 1918);
    EXPECT_EQ(FitScale({300, 200, 19, 97, 26}, 41, Settings{}), kSmallestScale) << "too small for any scale";
}

TEST(TableGeometry, ZoomSteps) {
    EXPECT_EQ(LargerScale(100), 110);
    EXPECT_EQ(LargerScale(213), 250) << "from a fitted scale to the next step";
    EXPECT_EQ(LargerScale(400), 400);
    EXPECT_EQ(SmallerScale(100), 90);
    EXPECT_EQ(SmallerScale(213), 200);
    EXPECT_EQ(SmallerScale(50), 50);
}

}  // namespace
}  // namespace jadeleaf
