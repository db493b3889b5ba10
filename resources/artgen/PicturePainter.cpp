// Scenes and symbols drawn from the same shapes as the tiles, each within a small palette.
#include "resources/artgen/PicturePainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "resources/artgen/FacePainter.h"
#include "resources/artgen/Glyphs.h"
#include "resources/artgen/TilePainter.h"

namespace jadeleaf {

namespace {

constexpr double kPi = std::numbers::pi;

// Bands of colour blended in steps for skies and backgrounds; they stay few so that the small
// pictures fit a 256-colour palette.
void Bands(Canvas& canvas, int top, int bottom, Rgb from, Rgb to, int bandHeight) {
    const int count = std::max(1, (bottom - top + bandHeight - 1) / bandHeight);
    for (int i = 0; i < count; ++i) {
        const int y = top + i * bandHeight;
        const double t = count == 1 ? 0.0 : static_cast<double>(i) / (count - 1);
        canvas.FillRect(0, y, canvas.Width(), std::min(bandHeight, bottom - y), Mix(from, to, t));
    }
}

// A parabola through (left, ends) and (centre, crest), sampled once a pixel.
std::vector<Point> Arch(double left, double right, double crest, double ends) {
    std::vector<Point> points;
    const double centre = (left + right) / 2.0;
    const double half = (right - left) / 2.0;
    for (double x = left; x <= right + 0.001; x += 1.0) {
        const double t = (x - centre) / half;
        points.push_back({x, crest + (ends - crest) * t * t});
    }
    return points;
}

void Tree(Canvas& canvas, double x, double y, double size, Rgb dark, Rgb mid) {
    canvas.Line({x, y}, {x, y + size * 1.4}, std::max(2.0, size / 3.0), 0x5A3A1A);
    canvas.FillCircle(x - size * 0.55, y + size * 0.1, size * 0.75, dark);
    canvas.FillCircle(x + size * 0.55, y + size * 0.1, size * 0.75, dark);
    canvas.FillCircle(x, y - size * 0.45, size * 0.85, dark);
    canvas.FillCircle(x - size * 0.3, y - size * 0.5, size * 0.45, mid);
    canvas.FillCircle(x + size * 0.35, y - size * 0.05, size * 0.35, mid);
}

// A two-tiered roof with upturned eaves, centred on cx with its lower eave line at y.
void PagodaRoof(Canvas& canvas, double cx, double y, double halfWidth, Rgb tiles, Rgb ridge) {
    for (int tier = 0; tier < 2; ++tier) {
        const double w = halfWidth * (tier == 0 ? 1.0 : 0.62);
        const double base = y - tier * 9.0;
        canvas.FillPolygon({{cx - w - 3.0, base - 4.0}, {cx - w + 2.0, base},
                            {cx + w - 2.0, base}, {cx + w + 3.0, base - 4.0},
                            {cx + w * 0.55, base - 7.0}, {cx - w * 0.55, base - 7.0}},
                           tiles);
        canvas.Line({cx - w * 0.55, base - 7.0}, {cx + w * 0.55, base - 7.0}, 1.0, ridge);
        canvas.Line({cx - w + 2.0, base}, {cx + w - 2.0, base}, 1.0, ridge);
    }
    canvas.Line({cx, y - 16.0}, {cx, y - 21.0}, 1.5, 0xD4A030);
    canvas.FillCircle(cx, y - 21.0, 1.5, 0xD4A030);
}

}  // namespace

int TitleTextWidth(std::string_view text) {
    int width = 0;
    for (char letter : text) width += TitleLetter(letter).Width() + 1;
    return text.empty() ? 0 : width - 1;
}

void DrawTitleText(Canvas& canvas, std::string_view text, int x, int y, Rgb colour, int scale, double slant) {
    for (char letter : text) {
        const PixelGlyph glyph = TitleLetter(letter);
        canvas.DrawGlyph(glyph, x, y, colour, scale, scale, slant);
        x += (glyph.Width() + 1) * scale;
    }
}

Canvas PaintWindowIcon(int density, Resolve edges) {
    Canvas icon(32, 32, kWhite, density);
    constexpr Rgb outline = 0x303028;
    // The tile body 23 x 27 at (7, 1) with a 3-pixel edge to its left and below.
    for (int d = 1; d <= 3; ++d) {
        const Rgb side = d == 3 ? 0x1F5A33 : (d == 2 ? 0x3E9A58 : 0xDCCB98);
        if (density > 1) {
            // The same bands as slanted strips, whose ends are straight at any size.
            const double t0 = d - 1;
            const double t1 = d;
            icon.FillPolygon({{7 - t0, 1 + t0}, {7 - t1, 1 + t1}, {7 - t1, 28 + t1}, {7 - t0, 28 + t0}}, side);
            icon.FillPolygon({{7 - t0, 28 + t0}, {30 - t0, 28 + t0}, {30 - t1, 28 + t1}, {7 - t1, 28 + t1}}, side);
            continue;
        }
        for (int y = 1; y <= 27; ++y) icon.SetPixel(7 - d, y + d, side);
        for (int x = 7; x <= 29; ++x) icon.SetPixel(x - d, 27 + d, side);
        icon.SetPixel(7 - d, 1 + d, outline);
        icon.SetPixel(29 - d, 27 + d, outline);
    }
    if (density > 1) {
        // The slanted ends, just inside the strips' diagonal edges.
        icon.Line({7.5, 1.0}, {4.0, 4.5}, 0.7, outline);
        icon.Line({30.0, 27.5}, {26.5, 31.0}, 0.7, outline);
    }
    icon.FillRect(7, 1, 23, 27, 0xF6F0DC);
    icon.FrameRect(7, 1, 23, 27, outline);
    icon.DrawGlyph(ChineseNumeral(5), 13, 4, 0x101010);
    icon.DrawGlyph(SmallWanCharacter(), 12, 14, 0xD4231C);
    return icon.Resolved(edges);
}

Canvas PaintInfoButton(int density) {
    Canvas button(16, 16, kWhite, density);
    button.FillCircle(8.0, 8.0, 7.5, 0x000080);
    button.FillCircle(8.0, 8.0, 6.5, 0x0000FF);
    // The letter stays white, the button's own colour when white is taken as transparent.
    if (density > 1) {
        button.FillCircle(8.0, 4.0, 1.1, kWhite);
        button.FillPolygon({{6.0, 6.0}, {9.0, 6.0}, {9.0, 12.0}, {10.0, 12.0}, {10.0, 13.0}, {6.0, 13.0}, {6.0, 12.0},
                            {7.0, 12.0}, {7.0, 7.0}, {6.0, 7.0}},
                           kWhite);
        return button.Resolved(Resolve::Average);
    }
    button.FillRect(7, 3, 2, 2, kWhite);
    button.FillRect(6, 6, 3, 1, kWhite);
    button.FillRect(7, 6, 2, 6, kWhite);
    button.FillRect(6, 12, 4, 1, kWhite);
    return button.Resolved(Resolve::Average);
}

Canvas PaintEmblem(int density) {
    constexpr int width = 116;
    constexpr int height = 110;
    constexpr double waterLine = 84.0;
    Canvas emblem(width, height, 0xE8F4FA, density);
    Bands(emblem, 0, 50, 0x7EBCE6, 0xE2F0F8, 5);
    // Far hills, then the garden's trees behind the water.
    emblem.FillPolygon({{0, 52}, {18, 40}, {34, 46}, {52, 36}, {74, 46}, {92, 38}, {116, 48}, {116, 70}, {0, 70}},
                       0x8CB4A0);
    emblem.FillPolygon({{0, 58}, {22, 50}, {46, 56}, {70, 52}, {96, 57}, {116, 53}, {116, 80}, {0, 80}}, 0x5E9A6A);
    Tree(emblem, 12.0, 52.0, 9.0, 0x2E6A34, 0x4E8E44);
    Tree(emblem, 100.0, 50.0, 10.0, 0x2E6A34, 0x4E8E44);
    Tree(emblem, 84.0, 60.0, 6.0, 0x3A7A3C, 0x5A9E4C);
    Tree(emblem, 28.0, 62.0, 5.0, 0x3A7A3C, 0x5A9E4C);
    // Water with lighter ripples.
    emblem.FillRect(0, static_cast<int>(waterLine), width, height - static_cast<int>(waterLine), 0x3A78B8);
    for (int row = 0; row < 6; ++row) {
        const int y = static_cast<int>(waterLine) + 4 + row * 4;
        for (int x = (row * 7) % 13; x < width; x += 13) emblem.FillRect(x, y, 6, 1, 0x78AEE0);
    }
    // Banks of grass left and right, where the bridge lands.
    emblem.FillPolygon({{0, 76}, {20, 78}, {26, 86}, {18, 94}, {0, 96}}, 0x4E9A3A);
    emblem.FillPolygon({{116, 74}, {96, 78}, {90, 86}, {98, 94}, {116, 98}}, 0x4E9A3A);

    // The bridge: a red hump whose opening and its reflection make a full moon in the water.
    constexpr Rgb red = 0xC8281E;
    constexpr Rgb darkRed = 0x841410;
    std::vector<Point> top = Arch(14.0, 102.0, 60.0, 84.0);
    std::vector<Point> body = top;
    body.push_back({102.0, waterLine});
    body.push_back({14.0, waterLine});
    emblem.FillPolygon(body, red);
    std::vector<Point> opening = Arch(30.0, 86.0, 68.0, waterLine);
    emblem.FillPolygon(opening, 0x9CC4E4);
    std::vector<Point> reflection;
    for (const Point& p : opening) reflection.push_back({p.x, 2.0 * waterLine - p.y});
    emblem.Polyline(reflection, 2.0, 0x8A3A48);
    emblem.Polyline(opening, 1.0, darkRed);
    emblem.Polyline(top, 1.5, darkRed);
    // A railing on posts along the deck.
    std::vector<Point> rail;
    for (const Point& p : top) rail.push_back({p.x, p.y - 5.0});
    emblem.Polyline(rail, 1.0, red);
    for (std::size_t i = 0; i < top.size(); i += 8) emblem.Line(top[i], rail[i], 1.0, red);

    // The gate on the crest: red pillars and beam under a two-tiered roof.
    constexpr double gateX = 58.0;
    emblem.FillRect(47, 40, 3, 20, red);
    emblem.FillRect(66, 40, 3, 20, red);
    emblem.FillRect(44, 38, 28, 3, darkRed);
    emblem.FillRect(46, 43, 24, 2, red);
    PagodaRoof(emblem, gateX, 38.0, 16.0, 0x2E4A4C, 0x18282A);

    // Bushes and flowers in the foreground.
    for (const Point& bush : {Point{6.0, 100.0}, Point{16.0, 104.0}, Point{104.0, 101.0}, Point{112.0, 106.0}}) {
        emblem.FillCircle(bush.x, bush.y, 7.0, 0x2E6A34);
        emblem.FillCircle(bush.x - 2.0, bush.y - 2.0, 4.0, 0x4E8E44);
    }
    for (const Point& bloom : {Point{4.0, 97.0}, Point{11.0, 101.0}, Point{19.0, 100.0}, Point{101.0, 98.0},
                               Point{108.0, 103.0}, Point{113.0, 99.0}})
        emblem.FillCircle(bloom.x, bloom.y, 1.4, 0xF06EA6);
    return emblem.Resolved(Resolve::Average);
}

Canvas PaintQuickInfoTitle(int density) {
    constexpr std::string_view name = "Jadeleaf - Velora Edition";
    constexpr int scale = 2;
    constexpr double slant = 0.25;
    Canvas title(322, 27, kWhite, density);
    const int x = (title.Width() - TitleTextWidth(name) * scale - 5) / 2;
    DrawTitleText(title, name, x + 1, 5, 0xA8D8A8, scale, slant);
    DrawTitleText(title, name, x, 4, 0x007A10, scale, slant);
    return title.Resolved(Resolve::Average);
}

Canvas PaintStartupPicture(int density) {
    constexpr int width = 360;
    constexpr int height = 220;
    Canvas picture(width, height, kWhite, density);
    Bands(picture, 0, height, 0x0C3E26, 0x1E7A48, 10);
    picture.FrameRect(3, 3, width - 6, height - 6, 0xD4AA3C);
    picture.FrameRect(4, 4, width - 8, height - 8, 0xD4AA3C);
    picture.FrameRect(8, 8, width - 16, height - 16, 0x9A7A2A);

    // Bamboo stalks at the right, behind everything else.
    for (const int x : {332, 343}) {
        for (int y = 12; y < height - 12; ++y) {
            picture.SetPixel(x, y, 0x3A7A2A);
            picture.FillRect(x + 1, y, 2, 1, 0x8CC85A);
            picture.FillRect(x + 3, y, 3, 1, 0x5AA03C);
            picture.SetPixel(x + 6, y, 0x3A7A2A);
        }
        for (int y = 30 + (x % 3) * 7; y < height - 12; y += 34) picture.FillRect(x - 1, y, 9, 2, 0x2A5A1E);
    }
    for (int i = 0; i < 5; ++i) {
        const double y = 40.0 + i * 34.0;
        picture.FillEllipse(324.0, y, 10.0, 2.5, 0x4E9A34, 0.5);
        picture.FillEllipse(354.0, y + 12.0, 6.0, 2.5, 0x4E9A34, -0.5);
    }

    // A jade leaf: a pointed oval with a lit and a shaded half and its veins.
    constexpr double cx = 258.0;
    constexpr double cy = 140.0;
    constexpr double angle = -0.6;
    const Point tip = {cx + 62.0 * std::cos(angle), cy + 62.0 * std::sin(angle)};
    const Point stalk = {cx - 62.0 * std::cos(angle), cy - 62.0 * std::sin(angle)};
    std::vector<Point> upper;
    std::vector<Point> lower;
    for (int i = 0; i <= 40; ++i) {
        const double t = -1.0 + i / 20.0;
        const double along = 62.0 * t;
        const double across = 26.0 * (1.0 - t * t) * (1.0 - 0.25 * t);
        const double ax = cx + along * std::cos(angle);
        const double ay = cy + along * std::sin(angle);
        upper.push_back({ax + across * std::sin(angle), ay - across * std::cos(angle)});
        lower.push_back({ax - across * std::sin(angle), ay + across * std::cos(angle)});
    }
    std::vector<Point> upperHalf = upper;
    upperHalf.insert(upperHalf.end(), {tip, stalk});
    std::vector<Point> lowerHalf = lower;
    lowerHalf.insert(lowerHalf.end(), {tip, stalk});
    picture.FillPolygon(upperHalf, 0x5CC890);
    picture.FillPolygon(lowerHalf, 0x2E9A64);
    picture.Polyline(upper, 1.5, 0x17603A);
    picture.Polyline(lower, 1.5, 0x17603A);
    picture.Line(stalk, tip, 2.0, 0x17603A);
    picture.Line(stalk, {stalk.x - 12.0, stalk.y + 10.0}, 3.0, 0x6A4A1E);
    for (int i = 1; i <= 5; ++i) {
        const double t = -0.8 + i * 0.3;
        const Point on = {cx + 62.0 * t * std::cos(angle), cy + 62.0 * t * std::sin(angle)};
        const double reach = 20.0 * (1.0 - t * t) * (1.0 - 0.25 * t);
        for (double side : {-1.0, 1.0}) {
            const double veinAngle = angle + side * 0.9;
            picture.Line(on, {on.x + reach * std::cos(veinAngle), on.y + reach * std::sin(veinAngle)}, 1.0,
                         0x1E7A4A);
        }
    }

    // A small stack of finished tiles in three layers.
    const Canvas frame = PaintTileFrame(density);
    struct Placed {
        int column;
        int row;
        int face;
    };
    const std::vector<std::vector<Placed>> layers = {
        {{0, 0, 28}, {1, 0, 5}, {2, 0, 14}, {3, 0, 39}, {0, 1, 23}, {1, 1, 32}, {2, 1, 1},
         {3, 1, 30}, {0, 2, 10}, {1, 2, 36}, {2, 2, 19}, {3, 2, 9}},
        {{0, 0, 33}, {1, 0, 41}, {0, 1, 26}, {1, 1, 13}},
        {{0, 0, 32}},
    };
    constexpr int baseX = 30;
    constexpr int baseY = 62;
    // Each layer sits centred on the one below it, shifted 4 pixels right and up.
    constexpr Point offsets[] = {{0, 0}, {33 + 4, 21 - 4}, {33 + 16 + 8, 21 + 21 - 8}};
    for (std::size_t layer = 0; layer < layers.size(); ++layer) {
        const int offsetX = static_cast<int>(offsets[layer].x);
        const int offsetY = static_cast<int>(offsets[layer].y);
        // Right to left and top to bottom, as the game draws, so each tile covers its neighbours' edges.
        std::vector<Placed> tiles = layers[layer];
        std::sort(tiles.begin(), tiles.end(), [](const Placed& a, const Placed& b) {
            return a.row != b.row ? a.row < b.row : a.column > b.column;
        });
        for (const Placed& tile : tiles) {
            picture.Draw(ComposeFinishedTile(frame, PaintFace(tile.face, density)), baseX + offsetX + tile.column * 33,
                         baseY + offsetY + tile.row * 43, true);
        }
    }

    DrawTitleText(picture, "Jadeleaf", 184, 25, 0x0A2A18, 3, 0.25);
    DrawTitleText(picture, "Jadeleaf", 182, 23, 0xF4E6B4, 3, 0.25);
    DrawTitleText(picture, "Velora Edition", 172, 62, 0xD4AA3C, 2, 0.25);
    return picture.Resolved(Resolve::Average);
}

}  // namespace jadeleaf
