// The window on a screen of device pixel ratio 2: the table is drawn in the
// screen's own pixels, not as its 1x pixels each shown twice as large.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

class HiDpiTest : public ShellFixture {};

TEST_F(HiDpiTest, TilesAreDrawnAtThePhysicalResolution) {
    PlayFirstGame([&] {
        QWidget* area = form->ClientArea();
        ASSERT_EQ(area->devicePixelRatioF(), 2.0);
        const QImage screen = area->grab().toImage();
        ASSERT_EQ(screen.size(), area->size() * 2);
        const TileRecord& top = GameOf().table.tiles[GameOf().table.specialSlots[1]];
        const QRect tile(top.x, top.y, kTileWidth, kTileHeight);
        const QImage doubled = form->TablePicture().copy(tile).scaled(tile.size() * 2, Qt::IgnoreAspectRatio,
                                                                       Qt::FastTransformation);
        const QImage shown = screen.copy(QRect((tile.topLeft() + QPoint(kTableLeft, kTableTop)) * 2, tile.size() * 2))
                                 .convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        int tileColoured = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                differing += shown.pixel(x, y) != doubled.pixel(x, y) ? 1 : 0;
                tileColoured += (shown.pixel(x, y) & 0xFFFFFFu) == kTileFaceGrey ? 1 : 0;
            }
        }
        EXPECT_GT(differing, shown.width() * shown.height() / 10) << "not a pixel-doubled copy";
        EXPECT_GT(tileColoured, shown.width() * shown.height() / 4) << "the tile's face is where it belongs";
        GameOf().table.tableReady = 0;
    });
}

}  // namespace
}  // namespace jadeleaf::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
