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

// The edge of a denser tile: the four layers of the edge become as many thin bands as there are
// pixels, each layer shading into the next of the same material (the ivory front, the green
// back), and the slanted ends are straight lines instead of steps.
void PaintDenseEdge(Canvas& tile, const BodyColours& colours) {
    const int bands = kEdgeDepth * tile.Density();
    for (int band = 0; band < bands; ++band) {
        const double t0 = static_cast<double>(band) / tile.Density();
        const double t1 = static_cast<double>(band + 1) / tile.Density();
        const int layer = band / tile.Density();
        const double within = (band % tile.Density() + 0.5) / tile.Density();
        const auto shade = [&](const std::array<Rgb, kEdgeDepth>& layers) {
            const bool blends = layer == 0 || layer == 2;
            return blends ? Mix(layers[layer], layers[layer + 1], within * 0.5) : layers[layer];
        };
        tile.FillPolygon({{kBodyLeft - t0, t0}, {kBodyLeft - t1, t1}, {kBodyLeft - t1, kBodyBottom + 1 + t1},
                          {kBodyLeft - t0, kBodyBottom + 1 + t0}},
                         shade(colours.leftEdge));
        tile.FillPolygon({{kBodyLeft - t0, kBodyBottom + 1 + t0}, {kBodyRight + 1 - t0, kBodyBottom + 1 + t0},
                          {kBodyRight + 1 - t1, kBodyBottom + 1 + t1}, {kBodyLeft - t1, kBodyBottom + 1 + t1}},
                         shade(colours.bottomEdge));
    }
    // The ends are drawn just inside the body's slanted boundary, so the corners stay clear.
    const double ends = 1.0 - 0.5 / tile.Density();
    tile.Line({kBodyLeft + 0.5, 0.0}, {0.0, kBodyLeft + 0.5}, ends, colours.outline);
    const double far = kBodyRight + kBodyBottom + 1.5;
    tile.Line({kBodyRight + 1.0, far - kBodyRight - 1.0}, {far - kTileHeight, kTileHeight}, ends, colours.outline);
}

// Draws the body; the face rectangle at (6, 2) keeps the canvas's colour.
void PaintBody(Canvas& tile, const BodyColours& colours) {
    if (tile.Density() > 1) {
        PaintDenseEdge(tile, colours);
        tile.FrameRect(kBodyLeft, 0, kTileWidth - kBodyLeft, kBodyBottom + 1, colours.outline);
        tile.FrameRect(kBodyLeft + 1, 1, kTileWidth - kBodyLeft - 2, kBodyBottom - 1, colours.inner);
        return;
    }
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

Canvas PaintTileFrame(int density) {
    Canvas frame(kTileWidth, kTileHeight, kWhite, density);
    PaintBody(frame, {
        .outline = 0x3A3A30,
        .inner = kFaceFill,
        .leftEdge = {0xF4EACB, 0xDCCB98, 0x3E9A58, 0x1F5A33},
        .bottomEdge = {0xE2D3A8, 0xC6B07A, 0x2E8048, 0x1F5A33},
    });
    return frame.Resolved(Resolve::KeyedWhite);
}

Canvas PaintPlaceholderTile(int density) {
    Canvas tile(kTileWidth, kTileHeight, kWhite, density);
    tile.FillRect(kBodyLeft, 0, kTileWidth - kBodyLeft, kBodyBottom + 1, kFaceFill);
    PaintBody(tile, {
        .outline = 0x404040,
        .inner = kFaceFill,
        .leftEdge = {0xB4B4B4, 0xA0A0A0, 0x8C8C8C, 0x606060},
        .bottomEdge = {0xA4A4A4, 0x909090, 0x7C7C7C, 0x606060},
    });
    return tile.Resolved(Resolve::KeyedWhite);
}

Canvas PaintSureBetPattern(int density) {
    Canvas pattern(kFaceWidth, kFaceHeight, kWhite, density);
    if (density > 1) {
        // The same stripes as straight lines through the pixels the small pattern sets, a little
        // thinner than its steps, with hard edges: the pattern's white is transparent.
        for (int diagonal = 0; diagonal <= kFaceWidth + kFaceHeight; diagonal += 4) {
            const double through = diagonal + 1.0;
            pattern.Line({through + 1.0, -1.0}, {through - kFaceHeight - 1.0, kFaceHeight + 1.0}, 0.8,
                         (diagonal / 4) % 2 == 0 ? 0xFF7A00 : 0xE01818);
        }
        return pattern.Resolved(Resolve::KeyedWhite);
    }
    for (int y = 0; y < kFaceHeight; ++y) {
        for (int x = 0; x < kFaceWidth; ++x) {
            const int diagonal = x + y;
            if (diagonal % 4 == 0) pattern.SetPixel(x, y, (diagonal / 4) % 2 == 0 ? 0xFF7A00 : 0xE01818);
        }
    }
    return pattern;
}

Canvas ComposeFinishedTile(const Canvas& frame, const Canvas& face) {
    const int density = frame.Width() / kTileWidth;
    Canvas tile(frame.Width(), frame.Height(), kWhite);
    tile.Draw(frame, 0, 0, true);
    Canvas filled = face;
    filled.ReplaceColour(kWhite, kFaceFill);
    tile.Draw(filled, kFaceX * density, kFaceY * density, false);
    return tile;
}

}  // namespace jadeleaf
