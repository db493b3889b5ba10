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

}  // namespace
}  // namespace jadeleaf
