// The tile body: a face area seen from the front and the tile's depth seen at its left and bottom.
#include "resources/artgen/TilePainter.h"

#include <array>

namespace jadeleaf {

namespace {

// The body covers x 4..36 and y 0..42; the edge is 4 pixels deep.
constexpr int kBodyLeft = 4;
constexpr int kBodyBottom = 42;
constexpr int kBodyRight = kTileWidth - 1;
constexpr int kEdgeDepth = 4;

struct BodyColours {
    Rgb outline;
    // The one-pixel ring between the outline and the face, which no face covers. The game draws
    // the frame's white as transparent, so a white ring would let the table show round each face.
    Rgb inner;
    std::array<Rgb, kEdgeDepth> leftEdge;    // from next to the face outwards
    std::array<Rgb, kEdgeDepth> bottomEdge;  // the same in shade: light falls from the top left
};

// Draws the body; the face rectangle at (6, 2) keeps the canvas's colour.
void PaintBody(Canvas& tile, const BodyColours& colours) {
    tile.FrameRect(kBodyLeft, 0, kTileWidth - kBodyLeft, kBodyBottom + 1, colours.outline);
    tile.FrameRect(kBodyLeft + 1, 1, kTileWidth - kBodyLeft - 2, kBodyBottom - 1, colours.inner);
    for (int d = 1; d <= kEdgeDepth; ++d) {
        // Each pixel of the body's left and bottom border seen d pixels deeper, down and to the left.
        for (int y = 0; y <= kBodyBottom; ++y) tile.SetPixel(kBodyLeft - d, y + d, colours.leftEdge[d - 1]);
        for (int x = kBodyLeft; x <= kBodyRight; ++x) tile.SetPixel(x - d, kBodyBottom + d, colours.bottomEdge[d - 1]);
        // The two slanted ends of the edge get the outline, so the corner triangles read as cut off.
        tile.SetPixel(kBodyLeft - d, d, colours.outline);
        tile.SetPixel(kBodyRight - d, kBodyBottom + d, colours.outline);
    }
}

}  // namespace

Canvas PaintTileFrame() {
    Canvas frame(kTileWidth, kTileHeight, kWhite);
    PaintBody(frame, {
        .outline = 0x3A3A30,
        .inner = kFaceFill,
        .leftEdge = {0xF4EACB, 0xDCCB98, 0x3E9A58, 0x1F5A33},
        .bottomEdge = {0xE2D3A8, 0xC6B07A, 0x2E8048, 0x1F5A33},
    });
    return frame;
}

Canvas PaintPlaceholderTile() {
    Canvas tile(kTileWidth, kTileHeight, kWhite);
    tile.FillRect(kBodyLeft, 0, kTileWidth - kBodyLeft, kBodyBottom + 1, kFaceFill);
    PaintBody(tile, {
        .outline = 0x404040,
        .inner = kFaceFill,
        .leftEdge = {0xB4B4B4, 0xA0A0A0, 0x8C8C8C, 0x606060},
        .bottomEdge = {0xA4A4A4, 0x909090, 0x7C7C7C, 0x606060},
    });
    return tile;
}

Canvas PaintSureBetPattern() {
    Canvas pattern(kFaceWidth, kFaceHeight, kWhite);
    for (int y = 0; y < kFaceHeight; ++y) {
        for (int x = 0; x < kFaceWidth; ++x) {
            const int diagonal = x + y;
            if (diagonal % 4 == 0) pattern.SetPixel(x, y, (diagonal / 4) % 2 == 0 ? 0xFF7A00 : 0xE01818);
        }
    }
    return pattern;
}

Canvas ComposeFinishedTile(const Canvas& frame, const Canvas& face) {
    Canvas tile(kTileWidth, kTileHeight, kWhite);
    tile.Draw(frame, 0, 0, true);
    Canvas filled = face;
    filled.ReplaceColour(kWhite, kFaceFill);
    tile.Draw(filled, kFaceX, kFaceY, false);
    return tile;
}

}  // namespace jadeleaf
