// A picture being drawn: plain RGB pixels and the few shapes all the artwork is made of.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/artgen/PixelGlyph.h"

namespace jadeleaf {

using Rgb = std::uint32_t;  // 0xRRGGBB
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kFaceFill = 0xCECECE;  // what the game puts behind a face's white pixels

// The colour a share t of the way from `from` to `to`.
Rgb Mix(Rgb from, Rgb to, double t);

struct Point {
    double x;
    double y;
};

// How the samples of a picture drawn at a higher density become its pixels.
enum class Resolve {
    // Plain averages: for pictures shown as they are.
    Average,
    // White samples count as the tile's grey face: the game puts a face's white on that grey,
    // so edges blend into what is seen round them. A pixel stays white only when all its
    // samples are.
    FaceOnGrey,
    // White is the transparent colour: a pixel is white when at least half its samples are,
    // and otherwise the average of the others, so no pale fringe shows over what lies beneath.
    KeyedWhite,
};

// Shapes are given in continuous coordinates where pixel (x, y) covers the unit square from
// (x, y) to (x + 1, y + 1); a pixel is painted when its centre lies inside the shape. There is no
// antialiasing, so every picture has exact colours and the same bytes on every run.
//
// A canvas made with a density above 1 takes the same coordinates, but holds density x density
// pixels for each of those units, and draws them from a finer grid of samples: Resolved() gives
// the smooth picture. Glyphs are then drawn as strokes rather than as blocks of pixels.
class Canvas {
public:
    Canvas(int width, int height, Rgb background = kWhite);
    Canvas(int width, int height, Rgb background, int density);

    // The size in drawing units; the pixel size after Resolved() is density times as large.
    int Width() const { return width; }
    int Height() const { return height; }
    int Density() const { return density; }
    const std::vector<Rgb>& Pixels() const { return pixels; }
    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour);

    void FillRect(int x, int y, int w, int h, Rgb colour);
    void FrameRect(int x, int y, int w, int h, Rgb colour);
    void FillEllipse(double cx, double cy, double rx, double ry, Rgb colour, double angle = 0.0);
    void FillCircle(double cx, double cy, double r, Rgb colour) { FillEllipse(cx, cy, r, r, colour); }
    // The pixels whose centres lie farther than inner and no farther than outer from the centre.
    void Ring(double cx, double cy, double outer, double inner, Rgb colour);
    void Line(Point from, Point to, double width, Rgb colour);
    void Polyline(const std::vector<Point>& points, double width, Rgb colour);
    void FillPolygon(const std::vector<Point>& points, Rgb colour);
    // Each glyph pixel becomes scaleX x scaleY pixels; slant moves each row right by slant
    // pixels per row above the glyph's bottom, which gives italic letters.
    void DrawGlyph(const PixelGlyph& glyph, int x, int y, Rgb colour, int scaleX = 1, int scaleY = 1,
                   double slant = 0.0);
    // Copies source with its top-left corner at (x, y); white source pixels are skipped when
    // whiteTransparent is set. On a denser canvas the source is a resolved picture of the same
    // density, and (x, y) are in drawing units.
    void Draw(const Canvas& source, int x, int y, bool whiteTransparent);
    void ReplaceColour(Rgb from, Rgb to);
    // Each pixel becomes a factor x factor block, for looking at small pictures.
    Canvas Enlarged(int factor) const;
    // The finished picture: this one itself at density 1, else density times the size in pixels.
    Canvas Resolved(Resolve how) const;

private:
    void FillSamples(int x, int y, int w, int h, Rgb colour);
    void Plot(int x, int y, Rgb colour);
    void StrokeGlyph(const PixelGlyph& glyph, int x, int y, Rgb colour, int scaleX, int scaleY, double slant);

    int width;
    int height;
    int density = 1;
    int scale = 1;
    int sampleWidth;
    int sampleHeight;
    std::vector<Rgb> pixels;
};

}  // namespace jadeleaf
