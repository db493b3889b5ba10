// Draws each face from shapes and glyphs so that all 42 differ at a glance at real size.
#include "resources/artgen/FacePainter.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "resources/artgen/Glyphs.h"
#include "resources/artgen/TilePainter.h"

namespace jadeleaf {

namespace {

constexpr double kPi = std::numbers::pi;

struct Shades {
    Rgb dark;
    Rgb mid;
    Rgb light;
};

constexpr Shades kBlue{0x0E2A7A, 0x1D4FC4, 0x8AA8F4};
constexpr Shades kGreen{0x0A5A22, 0x17903A, 0x86D494};
constexpr Shades kRed{0x8C1010, 0xD4231C, 0xF28A7A};
constexpr Rgb kInk = 0x181818;
constexpr Rgb kNavy = 0x14205A;
constexpr Rgb kBrown = 0x7A4A1E;
constexpr Rgb kLeaf = 0x2E9A3A;
constexpr Rgb kLeafDark = 0x16602A;

Point Polar(double cx, double cy, double radius, double angle) {
    return {cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
}

// A coin of the circle suit: a dark rim, a coloured disc, a white ring and a coloured centre.
void Coin(Canvas& face, double cx, double cy, double r, const Shades& shades) {
    face.FillCircle(cx, cy, r, shades.dark);
    face.FillCircle(cx, cy, r - 1.0, shades.mid);
    face.Ring(cx, cy, r * 0.62, r * 0.36, kWhite);
    if (r >= 6.0) face.FillCircle(cx, cy, r * 0.16, kWhite);
}

void OneCircle(Canvas& face) {
    constexpr double cx = 14.5;
    constexpr double cy = 19.5;
    face.FillCircle(cx, cy, 14.0, kGreen.dark);
    face.FillCircle(cx, cy, 13.0, kGreen.mid);
    face.Ring(cx, cy, 11.0, 10.0, kWhite);
    face.FillCircle(cx, cy, 10.0, kBlue.dark);
    face.FillCircle(cx, cy, 9.0, kBlue.mid);
    for (int i = 0; i < 8; ++i) {
        const Point dot = Polar(cx, cy, 7.0, i * kPi / 4.0);
        face.FillCircle(dot.x, dot.y, 1.4, kWhite);
    }
    face.FillCircle(cx, cy, 5.0, kRed.dark);
    face.FillCircle(cx, cy, 4.0, kRed.mid);
    face.FillCircle(cx, cy, 1.6, kWhite);
}

void Circles(Canvas& face, int count) {
    struct Placed {
        double x;
        double y;
        const Shades* shades;
    };
    std::vector<Placed> coins;
    double r = 5.0;
    switch (count) {
    case 1: OneCircle(face); return;
    case 2:
        r = 8.0;
        coins = {{14.5, 10.0, &kGreen}, {14.5, 29.0, &kBlue}};
        break;
    case 3:
        r = 6.2;
        coins = {{7.5, 7.5, &kBlue}, {14.5, 19.5, &kRed}, {21.5, 31.5, &kGreen}};
        break;
    case 4:
        r = 6.6;
        coins = {{8.0, 10.5, &kBlue}, {21.0, 10.5, &kGreen}, {8.0, 28.5, &kGreen}, {21.0, 28.5, &kBlue}};
        break;
    case 5:
        r = 5.6;
        coins = {{7.0, 7.5, &kBlue}, {22.0, 7.5, &kGreen}, {14.5, 19.5, &kRed}, {7.0, 31.5, &kGreen},
                 {22.0, 31.5, &kBlue}};
        break;
    case 6:
        r = 5.6;
        coins = {{8.0, 7.0, &kGreen}, {21.0, 7.0, &kGreen}, {8.0, 19.5, &kRed},
                 {21.0, 19.5, &kRed}, {8.0, 32.0, &kRed}, {21.0, 32.0, &kRed}};
        break;
    case 7:
        r = 4.6;
        coins = {{5.5, 5.0, &kGreen}, {14.5, 8.5, &kGreen}, {23.5, 12.0, &kGreen}, {9.0, 23.0, &kRed},
                 {20.0, 23.0, &kRed}, {9.0, 33.0, &kRed}, {20.0, 33.0, &kRed}};
        break;
    case 8:
        r = 4.7;
        for (double y : {5.0, 14.7, 24.3, 34.0}) {
            coins.push_back({8.5, y, &kBlue});
            coins.push_back({20.5, y, &kBlue});
        }
        break;
    case 9: {
        r = 4.5;
        const Shades* rows[3] = {&kBlue, &kRed, &kGreen};
        for (int row = 0; row < 3; ++row)
            for (double x : {5.0, 14.5, 24.0}) coins.push_back({x, 7.0 + row * 12.5, rows[row]});
        break;
    }
    default: throw std::out_of_range("circles run from 1 to 9");
    }
    for (const Placed& coin : coins) Coin(face, coin.x, coin.y, r, *coin.shades);
}

// An upright band from x0 to x1 over the rows top to bottom, in drawing units.
void Band(Canvas& face, double x0, double x1, double top, double bottom, Rgb colour) {
    face.FillPolygon({{x0, top}, {x1, top}, {x1, bottom}, {x0, bottom}}, colour);
}

// The stick drawn with more pixels than its four columns: a rounded stem with a soft highlight,
// thin dark edges, and joints that swell out as rings.
void RoundStick(Canvas& face, int left, int top, int height, const Shades& shades) {
    const double x = left;
    const double y0 = top + 0.3;
    const double y1 = top + height - 0.3;
    const double edge = 0.5;
    face.FillEllipse(x + 2.0, y0 + 0.4, 2.0, 0.6, shades.dark);
    face.FillEllipse(x + 2.0, y1 - 0.4, 2.0, 0.6, shades.dark);
    Band(face, x, x + 4.0, y0 + 0.4, y1 - 0.4, shades.dark);
    Band(face, x + edge, x + 4.0 - edge, y0 + 0.4, y1 - 0.4, shades.mid);
    Band(face, x + 0.9, x + 2.0, y0 + 0.4, y1 - 0.4, shades.light);
    for (const double joint : {top + 0.5, top + height / 2 + 0.5, top + height - 0.5}) {
        face.FillEllipse(x + 2.0, joint, 3.0, 0.75, shades.dark);
        face.Line({x + 0.6, joint - 0.3}, {x + 2.6, joint - 0.3}, 0.35, shades.light);
    }
}

// A bamboo stick four pixels wide, lit from the left, with a joint at both ends and in the middle.
void Stick(Canvas& face, int left, int top, int height, const Shades& shades) {
    const int bottom = top + height - 1;
    if (face.Density() > 1) {
        RoundStick(face, left, top, height, shades);
        return;
    }
    for (int y = top; y <= bottom; ++y) {
        face.SetPixel(left, y, shades.dark);
        face.SetPixel(left + 1, y, shades.light);
        face.SetPixel(left + 2, y, shades.mid);
        face.SetPixel(left + 3, y, shades.dark);
    }
    for (int joint : {top, top + height / 2, bottom}) face.FillRect(left - 1, joint, 6, 1, shades.dark);
}

// Bamboo one is a bird on a branch, as in most sets.
void Bird(Canvas& face) {
    face.Line({2.0, 35.5}, {27.0, 33.5}, 2.0, kBrown);
    // The tail fans out behind the bird, each feather ending in an eye.
    const Rgb feathers[] = {kBlue.mid, kGreen.mid, kBlue.mid, kGreen.mid};
    const Point tips[] = {{2.5, 21.0}, {2.5, 28.0}, {5.0, 33.5}, {10.0, 36.5}};
    for (int i = 0; i < 4; ++i) {
        face.Line({12.0, 25.0}, tips[i], 2.0, feathers[i]);
        face.FillCircle(tips[i].x, tips[i].y, 2.0, kRed.mid);
        face.FillCircle(tips[i].x, tips[i].y, 0.8, kBlue.dark);
    }
    face.FillEllipse(14.5, 22.0, 5.8, 8.5, kGreen.dark, -0.45);
    face.FillEllipse(14.5, 22.0, 4.8, 7.5, kGreen.mid, -0.45);
    face.FillEllipse(17.0, 20.0, 2.6, 5.0, kRed.mid, -0.45);
    face.FillEllipse(12.5, 23.5, 3.0, 5.5, kGreen.dark, -0.3);
    face.Line({11.0, 21.0}, {13.0, 27.0}, 1.0, kGreen.light);
    face.Line({15.0, 29.5}, {14.0, 33.5}, 1.0, 0xE08000);
    face.Line({18.0, 28.5}, {19.0, 33.0}, 1.0, 0xE08000);
    face.Line({19.0, 14.0}, {20.0, 9.0}, 3.0, kGreen.mid);
    face.FillCircle(20.5, 8.5, 4.2, kGreen.dark);
    face.FillCircle(20.5, 8.5, 3.3, kGreen.mid);
    face.FillPolygon({{23.5, 6.5}, {28.5, 9.0}, {23.5, 10.5}}, 0xF0A000);
    face.FillCircle(21.5, 7.5, 1.3, kWhite);
    if (face.Density() > 1) face.FillCircle(21.6, 7.5, 0.6, kInk);
    else face.SetPixel(21, 7, kInk);
    // A crest of three red plumes.
    for (double dx : {-2.5, 0.0, 2.5}) {
        face.Line({20.5, 5.0}, {20.5 + dx, 1.0}, 1.0, kRed.mid);
        face.FillCircle(20.5 + dx, 1.0, 1.0, kRed.mid);
    }
}

void Bamboos(Canvas& face, int count) {
    struct Placed {
        int left;
        int top;
        int height;
        const Shades* shades;
    };
    std::vector<Placed> sticks;
    switch (count) {
    case 1: Bird(face); return;
    case 2: sticks = {{12, 2, 16, &kGreen}, {12, 21, 16, &kBlue}}; break;
    case 3: sticks = {{12, 2, 16, &kBlue}, {6, 21, 16, &kGreen}, {19, 21, 16, &kGreen}}; break;
    case 4:
        sticks = {{6, 2, 16, &kGreen}, {19, 2, 16, &kBlue}, {6, 21, 16, &kBlue}, {19, 21, 16, &kGreen}};
        break;
    case 5:
        sticks = {{3, 2, 16, &kGreen}, {22, 2, 16, &kBlue}, {12, 11, 17, &kRed},
                  {3, 21, 16, &kBlue}, {22, 21, 16, &kGreen}};
        break;
    case 6:
        for (int left : {3, 12, 22}) {
            sticks.push_back({left, 2, 16, &kGreen});
            sticks.push_back({left, 21, 16, &kBlue});
        }
        break;
    case 7:
        sticks.push_back({12, 1, 11, &kRed});
        for (int left : {3, 12, 22}) {
            sticks.push_back({left, 14, 11, &kGreen});
            sticks.push_back({left, 27, 11, &kGreen});
        }
        break;
    case 8:
        for (int left : {1, 8, 16, 23}) {
            sticks.push_back({left, 2, 16, &kGreen});
            sticks.push_back({left, 21, 16, &kRed});
        }
        break;
    case 9:
        for (int top : {1, 14, 27}) {
            sticks.push_back({3, top, 11, &kGreen});
            sticks.push_back({12, top, 11, &kRed});
            sticks.push_back({22, top, 11, &kBlue});
        }
        break;
    default: throw std::out_of_range("bamboos run from 1 to 9");
    }
    for (const Placed& stick : sticks) Stick(face, stick.left, stick.top, stick.height, *stick.shades);
}

// The numerals as brush strokes, in the cells of the 11 x 7 numeral glyphs: (0, 0) is the centre
// of the top-left cell.
using Strokes = std::vector<std::vector<Point>>;

Strokes NumeralStrokes(int number) {
    switch (number) {
    case 1: return {{{0, 3}, {10, 3}}};
    case 2: return {{{2, 1}, {8, 1}}, {{0, 5}, {10, 5}}};
    case 3: return {{{2, 0}, {8, 0}}, {{3, 3}, {7, 3}}, {{0, 6}, {10, 6}}};
    case 4:
        return {{{0, 6}, {0, 0}, {10, 0}, {10, 6}, {0, 6}}, {{4, 0}, {4, 2}, {2.2, 4}},
                {{7, 0}, {7, 3}, {8, 4}, {10, 4}}};
    case 5: return {{{0, 0}, {9, 0}}, {{3, 0}, {2.6, 3}, {1, 5.5}}, {{2.6, 3}, {8, 3}, {8, 6}}, {{0, 6}, {10, 6}}};
    case 6: return {{{4, 0}, {5.6, 1}}, {{0, 2}, {10, 2}}, {{3, 4}, {1, 6}}, {{7, 4}, {9, 6}}};
    case 7: return {{{1, 2.2}, {7, 2}, {10, 1}}, {{3, 0}, {3, 5}, {4, 6}, {10, 6}, {10, 5}}};
    case 8: return {{{3, 0}, {3, 2}, {2, 4.2}, {0, 6}}, {{7, 0}, {8, 2.5}, {9, 4.5}, {10, 6}}};
    default: return {{{2, 0}, {2, 4}, {0, 6}}, {{0, 2}, {5, 2}, {5, 5}, {6, 6}, {10, 6}, {10, 5}}};
    }
}

void Characters(Canvas& face, int number) {
    if (face.Density() > 1) {
        for (const std::vector<Point>& stroke : NumeralStrokes(number)) {
            std::vector<Point> placed;
            for (const Point& cell : stroke) placed.push_back({4.5 + 2.0 * cell.x, 2.0 + 2.0 * cell.y});
            face.Polyline(placed, 2.2, kInk);
        }
    } else {
        // Drawn twice a pixel apart: heavier upright strokes keep numerals such as three and five apart.
        face.DrawGlyph(ChineseNumeral(number), 3, 1, kInk, 2, 2);
        face.DrawGlyph(ChineseNumeral(number), 4, 1, kInk, 2, 2);
    }
    face.DrawGlyph(WanCharacter(), 3, 17, kRed.mid, 2, 2);
}

// The wind letters drawn as pen strokes over the box the small letters fill, (4, 6) to (25, 33).
void StrokeWind(Canvas& face, char letter) {
    constexpr double pen = 2.6;
    constexpr double left = 5.5;
    constexpr double right = 23.5;
    constexpr double top = 7.5;
    constexpr double bottom = 31.5;
    constexpr double middle = (top + bottom) / 2.0;
    switch (letter) {
    case 'E':
        face.Polyline({{right, top}, {left, top}, {left, bottom}, {right, bottom}}, pen, kNavy);
        face.Line({left, middle}, {right - 3.0, middle}, pen, kNavy);
        return;
    case 'N': face.Polyline({{left, bottom}, {left, top}, {right, bottom}, {right, top}}, pen, kNavy); return;
    case 'W':
        // Upright sides with a short stem between them, joined at the foot.
        face.Polyline({{left, top}, {left, bottom}, {14.5, bottom - 8.0}, {right, bottom}, {right, top}}, pen, kNavy);
        face.Line({14.5, top + 8.0}, {14.5, bottom - 8.0}, pen, kNavy);
        return;
    default: {
        // Two bowls of an S, the upper one open to the right and the lower one to the left.
        std::vector<Point> curve;
        const double rx = (right - left) / 2.0 - 0.5;
        const double ry = (bottom - top) / 4.0;
        const auto bowl = [&](double cy, double from, double to) {
            constexpr int steps = 24;
            for (int i = 0; i <= steps; ++i) {
                const double angle = from + (to - from) * i / steps;
                curve.push_back({14.5 + rx * std::cos(angle), cy + ry * std::sin(angle)});
            }
        };
        bowl(top + ry, -0.45, -1.5 * kPi);
        bowl(bottom - ry, -0.5 * kPi, kPi - 0.45);
        face.Polyline(curve, pen, kNavy);
        return;
    }
    }
}

void Wind(Canvas& face, char letter) {
    if (face.Density() > 1) StrokeWind(face, letter);
    else face.DrawGlyph(WindLetter(letter), 4, 6, kNavy, 3, 3);
}

// The green dragon's sign, written as brush strokes.
void GreenDragon(Canvas& face) {
    const Rgb ink = kGreen.mid;
    constexpr double w = 2.0;
    // The two feet at the top.
    face.Polyline({{3.0, 3.0}, {10.0, 3.0}, {4.0, 11.0}}, w, ink);
    face.Line({5.0, 6.5}, {8.0, 8.5}, w, ink);
    face.Line({16.0, 2.0}, {18.5, 4.5}, w, ink);
    face.Line({22.5, 2.0}, {25.0, 4.0}, w, ink);
    face.Line({15.0, 6.0}, {26.0, 11.0}, w, ink);
    face.Line({4.0, 12.5}, {25.0, 12.5}, w, ink);
    // The bow on the left.
    face.Polyline({{3.0, 16.0}, {11.0, 16.0}, {11.0, 21.0}, {4.0, 21.0}, {4.0, 26.0}, {12.0, 26.0},
                   {12.0, 35.0}, {8.0, 35.0}},
                  w, ink);
    // The weapon on the right.
    face.Polyline({{16.0, 15.5}, {16.0, 19.0}, {14.5, 22.0}}, w, ink);
    face.Polyline({{16.0, 15.5}, {22.0, 15.5}, {22.0, 20.0}, {26.0, 20.0}}, w, ink);
    face.Line({15.0, 24.0}, {25.0, 24.0}, w, ink);
    face.Line({25.0, 24.0}, {14.5, 36.0}, w, ink);
    face.Line({17.5, 27.5}, {26.5, 36.0}, w, ink);
}

void WhiteDragon(Canvas& face) {
    face.FrameRect(2, 2, 25, 35, kBlue.mid);
    face.FrameRect(3, 3, 23, 33, kBlue.mid);
    // With pixels to spare the broad border gets a light inlay down its middle.
    if (face.Density() > 1)
        face.Polyline({{3.0, 3.0}, {26.0, 3.0}, {26.0, 36.0}, {3.0, 36.0}, {3.0, 3.0}}, 0.5, kBlue.light);
    face.FrameRect(6, 6, 17, 27, kBlue.dark);
    for (Point corner : {Point{4.5, 4.5}, Point{24.5, 4.5}, Point{4.5, 34.5}, Point{24.5, 34.5}})
        face.FillCircle(corner.x, corner.y, 2.2, kBlue.dark);
}

void Dragon(Canvas& face, int which) {
    switch (which) {
    case 0:
        // Drawn twice a pixel apart for the heavy strokes of this sign.
        face.DrawGlyph(MiddleCharacter(), 3, 4, kRed.mid, 2, 2);
        face.DrawGlyph(MiddleCharacter(), 4, 4, kRed.mid, 2, 2);
        break;
    case 1: GreenDragon(face); break;
    default: WhiteDragon(face); break;
    }
}

void Corner(Canvas& face, int number, Rgb colour) {
    face.DrawGlyph(SmallDigit(number), 1, 1, colour, 2, 2);
}

void Spring(Canvas& face) {
    face.FillEllipse(14.5, 36.0, 11.0, 3.5, kBrown);
    face.Line({14.5, 34.0}, {14.5, 15.0}, 2.0, kLeafDark);
    face.FillEllipse(8.5, 24.0, 6.5, 3.0, kLeaf, 0.55);
    face.FillEllipse(20.5, 19.0, 6.5, 3.0, kLeaf, -0.55);
    face.Line({4.5, 21.0}, {13.0, 26.5}, 1.0, kLeafDark);
    face.Line({24.5, 16.0}, {16.0, 21.5}, 1.0, kLeafDark);
    face.FillEllipse(14.5, 12.0, 2.6, 4.0, 0x8CD23C);
}

void Summer(Canvas& face) {
    constexpr double cx = 15.0;
    constexpr double cy = 22.0;
    for (int i = 0; i < 12; ++i) {
        const double angle = i * kPi / 6.0;
        face.Line(Polar(cx, cy, 9.0, angle), Polar(cx, cy, i % 2 == 0 ? 13.5 : 11.5, angle), 2.0,
                  i % 2 == 0 ? 0xE83C10 : 0xF08C00);
    }
    face.FillCircle(cx, cy, 7.5, 0xD03010);
    face.FillCircle(cx, cy, 6.5, 0xF88C14);
    face.FillCircle(cx - 2.0, cy - 2.0, 2.0, 0xFCD25C);
}

// A maple leaf: five lobes, each with a pointed tip and a tooth on either side.
void Autumn(Canvas& face) {
    constexpr double cx = 15.0;
    constexpr double cy = 22.0;
    constexpr double lobeAngles[] = {-kPi / 2.0, -kPi / 2.0 + 1.2, -kPi / 2.0 + 2.4, kPi * 1.5 - 2.4, kPi * 1.5 - 1.2};
    constexpr double lobeLengths[] = {14.0, 13.0, 9.5, 9.5, 13.0};
    std::vector<Point> leaf;
    for (int i = 0; i < 5; ++i) {
        const double a = lobeAngles[i];
        const double length = lobeLengths[i];
        leaf.push_back(Polar(cx, cy, 5.5, a - 0.6));
        leaf.push_back(Polar(cx, cy, length * 0.75, a - 0.42));
        leaf.push_back(Polar(cx, cy, length * 0.7, a - 0.2));
        leaf.push_back(Polar(cx, cy, length, a));
        leaf.push_back(Polar(cx, cy, length * 0.7, a + 0.2));
        leaf.push_back(Polar(cx, cy, length * 0.75, a + 0.42));
    }
    face.Line({cx, cy}, {cx + 1.0, 38.0}, 2.0, kBrown);
    face.FillPolygon(leaf, 0xD8641C);
    for (int i = 0; i < 5; ++i) face.Line({cx, cy}, Polar(cx, cy, lobeLengths[i] - 3.0, lobeAngles[i]), 1.0, 0x8A2A08);
}

void Winter(Canvas& face) {
    constexpr double cx = 15.0;
    constexpr double cy = 22.0;
    const Rgb ice = 0x1E64D2;
    for (int i = 0; i < 6; ++i) {
        const double angle = -kPi / 2.0 + i * kPi / 3.0;
        face.Line({cx, cy}, Polar(cx, cy, 13.0, angle), 2.0, ice);
        const Point branch = Polar(cx, cy, 8.0, angle);
        face.Line(branch, Polar(branch.x, branch.y, 4.0, angle - kPi / 4.0), 1.5, ice);
        face.Line(branch, Polar(branch.x, branch.y, 4.0, angle + kPi / 4.0), 1.5, ice);
    }
    face.FillCircle(cx, cy, 2.5, 0x8CC8F8);
}

void Season(Canvas& face, int number) {
    Corner(face, number, kBlue.mid);
    switch (number) {
    case 1: Spring(face); break;
    case 2: Summer(face); break;
    case 3: Autumn(face); break;
    default: Winter(face); break;
    }
}

void Stem(Canvas& face, Point from, Point to) {
    face.Line(from, to, 2.0, kLeafDark);
}

void Plum(Canvas& face) {
    face.Polyline({{3.0, 38.0}, {11.0, 30.0}, {14.0, 22.0}}, 2.5, kBrown);
    face.Line({11.0, 30.0}, {23.0, 34.0}, 1.5, kBrown);
    constexpr double cx = 16.0;
    constexpr double cy = 17.0;
    for (int i = 0; i < 5; ++i) {
        const Point petal = Polar(cx, cy, 5.0, -kPi / 2.0 + i * 2.0 * kPi / 5.0);
        face.FillCircle(petal.x, petal.y, 4.0, 0xC8286E);
        face.FillCircle(petal.x, petal.y, 3.0, 0xF26EA6);
    }
    face.FillCircle(cx, cy, 2.2, 0xF8D020);
    face.FillCircle(23.5, 33.0, 2.2, 0xF26EA6);
}

void Orchid(Canvas& face) {
    Stem(face, {14.5, 38.0}, {14.5, 22.0});
    face.FillEllipse(7.0, 30.0, 8.0, 1.8, kLeaf, 1.0);
    face.FillEllipse(22.0, 30.0, 8.0, 1.8, kLeaf, -1.0);
    constexpr double cx = 14.5;
    constexpr double cy = 16.0;
    for (int i = 0; i < 3; ++i) {
        const double angle = -kPi / 2.0 + i * 2.0 * kPi / 3.0;
        const Point tip = Polar(cx, cy, 6.0, angle);
        face.FillEllipse(tip.x, tip.y, 6.5, 2.8, 0x8A3CC8, angle);
    }
    face.FillEllipse(cx, cy + 3.0, 3.0, 4.0, 0xC890F0);
    face.FillCircle(cx, cy, 1.5, 0xF8D020);
}

void Chrysanthemum(Canvas& face) {
    Stem(face, {15.0, 38.0}, {15.0, 24.0});
    face.FillEllipse(9.5, 32.0, 5.0, 2.2, kLeaf, 0.5);
    face.FillEllipse(20.5, 32.0, 5.0, 2.2, kLeaf, -0.5);
    constexpr double cx = 15.0;
    constexpr double cy = 16.0;
    for (int i = 0; i < 16; ++i) {
        const double angle = i * kPi / 8.0;
        face.Line({cx, cy}, Polar(cx, cy, 10.0, angle), 2.0, i % 2 == 0 ? 0xF0B800 : 0xE07800);
    }
    face.FillCircle(cx, cy, 3.0, 0x9A4A10);
}

void Tulip(Canvas& face) {
    Stem(face, {14.5, 38.0}, {14.5, 20.0});
    face.FillEllipse(9.0, 30.0, 7.0, 2.4, kLeaf, 1.1);
    face.FillEllipse(20.0, 31.0, 7.0, 2.4, kLeaf, -1.1);
    face.FillPolygon({{6.0, 6.0}, {10.0, 11.0}, {14.5, 5.0}, {19.0, 11.0}, {23.0, 6.0}, {23.0, 14.0},
                      {20.0, 20.0}, {9.0, 20.0}, {6.0, 14.0}},
                     0xD41E1E);
    face.Line({14.5, 9.0}, {14.5, 18.0}, 1.0, 0x8C1010);
}

void Flower(Canvas& face, int number) {
    Corner(face, number, kRed.mid);
    switch (number) {
    case 1: Plum(face); break;
    case 2: Orchid(face); break;
    case 3: Chrysanthemum(face); break;
    default: Tulip(face); break;
    }
}

}  // namespace

Canvas PaintFace(int face, int density) {
    if (face < 1 || face > kFaceTotal) throw std::out_of_range("faces run from 1 to 42");
    Canvas picture(kFaceWidth, kFaceHeight, kWhite, density);
    if (face <= 9) Circles(picture, face);
    else if (face <= 18) Bamboos(picture, face - 9);
    else if (face <= 27) Characters(picture, face - 18);
    else if (face <= 31) Wind(picture, "ESWN"[face - 28]);
    else if (face <= 34) Dragon(picture, face - 32);
    else if (face <= 38) Season(picture, face - 34);
    else Flower(picture, face - 38);
    return picture.Resolved(Resolve::FaceOnGrey);
}

}  // namespace jadeleaf
