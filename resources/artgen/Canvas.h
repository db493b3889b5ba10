// A picture being drawn: plain RGB pixels and the few shapes all the artwork is made of.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/artgen/PixelGlyph.h"

namespace jadeleaf {

using Rgb = std::uint32_t;  // 0xRRGGBB
inline constexpr Rgb kWhite = 0xFFFFFF;

struct Point {
    double x;
    double y;
};

// Shapes are given in continuous coordinates where pixel (x, y) covers the unit square from
// (x, y) to (x + 1, y + 1); a pixel is painted when its centre lies inside the shape. There is no
// antialiasing, so every picture has exact colours and the same bytes on every run.
class Canvas {
public:
    Canvas(int width, int height, Rgb background = kWhite);

    int Width() const { return width; }
    int Height() const { return height; }
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
    // whiteTransparent is set.
    void Draw(const Canvas& source, int x, int y, bool whiteTransparent);
    void ReplaceColour(Rgb from, Rgb to);
    // Each pixel becomes a factor x factor block, for looking at small pictures.
    Canvas Enlarged(int factor) const;

private:
    int width;
    int height;
    std::vector<Rgb> pixels;
};

}  // namespace jadeleaf
