// The drawing primitives of the artwork generator.
#include "resources/artgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace jadeleaf {

namespace {

// Samples per pixel along each axis on a denser canvas: 16 levels of coverage for every edge.
constexpr int kSamples = 4;
// The desktop's largest icon is the window icon drawn eight times its size.
constexpr int kLargestDensity = 8;
// A glyph's stroke is this share of its cell, so neighbouring strokes keep a gap between them.
constexpr double kGlyphPen = 0.84;

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

int Floor(double value) { return static_cast<int>(std::floor(value)); }
int Ceil(double value) { return static_cast<int>(std::ceil(value)); }

Rgb Average(const std::uint64_t sums[3], std::uint64_t count) {
    const auto channel = [&](int i) { return static_cast<Rgb>((sums[i] + count / 2) / count); };
    return channel(0) << 16 | channel(1) << 8 | channel(2);
}

void Add(std::uint64_t sums[3], Rgb colour) {
    sums[0] += (colour >> 16) & 0xFF;
    sums[1] += (colour >> 8) & 0xFF;
    sums[2] += colour & 0xFF;
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, double t) {
    auto channel = [&](int shift) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        return static_cast<Rgb>(std::lround(a + (b - a) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

Canvas::Canvas(int width, int height, Rgb background) : Canvas(width, height, background, 1) {}

Canvas::Canvas(int width, int height, Rgb background, int density)
    : width(width), height(height), density(density), scale(density > 1 ? density * kSamples : 1) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a picture needs a positive size");
    if (density < 1 || density > kLargestDensity) throw std::invalid_argument("pictures are drawn at density 1 to 8");
    sampleWidth = width * scale;
    sampleHeight = height * scale;
    pixels.assign(static_cast<std::size_t>(sampleWidth) * static_cast<std::size_t>(sampleHeight), background);
}

Rgb Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) throw std::out_of_range("pixel outside the picture");
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(scale) * static_cast<std::size_t>(sampleWidth) +
                  static_cast<std::size_t>(x) * static_cast<std::size_t>(scale)];
}

void Canvas::Plot(int x, int y, Rgb colour) {
    // Shapes may reach past the border; clipping here keeps every caller simple.
    if (x < 0 || y < 0 || x >= sampleWidth || y >= sampleHeight) return;
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(sampleWidth) + static_cast<std::size_t>(x)] = colour;
}

void Canvas::FillSamples(int x, int y, int w, int h, Rgb colour) {
    for (int row = std::max(y, 0); row < std::min(y + h, sampleHeight); ++row)
        for (int column = std::max(x, 0); column < std::min(x + w, sampleWidth); ++column) Plot(column, row, colour);
}

void Canvas::SetPixel(int x, int y, Rgb colour) { FillSamples(x * scale, y * scale, scale, scale, colour); }

void Canvas::FillRect(int x, int y, int w, int h, Rgb colour) {
    if (w > 0 && h > 0) FillSamples(x * scale, y * scale, w * scale, h * scale, colour);
}

void Canvas::FrameRect(int x, int y, int w, int h, Rgb colour) {
    FillRect(x, y, w, 1, colour);
    FillRect(x, y + h - 1, w, 1, colour);
    FillRect(x, y, 1, h, colour);
    FillRect(x + w - 1, y, 1, h, colour);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb colour, double angle) {
    const double reach = std::max(rx, ry);
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    for (int y = Floor((cy - reach) * scale); y <= Ceil((cy + reach) * scale); ++y) {
        for (int x = Floor((cx - reach) * scale); x <= Ceil((cx + reach) * scale); ++x) {
            const double dx = (x + 0.5) / scale - cx;
            const double dy = (y + 0.5) / scale - cy;
            const double u = (dx * cosine + dy * sine) / rx;
            const double v = (dy * cosine - dx * sine) / ry;
            if (u * u + v * v <= 1.0) Plot(x, y, colour);
        }
    }
}

void Canvas::Ring(double cx, double cy, double outer, double inner, Rgb colour) {
    for (int y = Floor((cy - outer) * scale); y <= Ceil((cy + outer) * scale); ++y) {
        for (int x = Floor((cx - outer) * scale); x <= Ceil((cx + outer) * scale); ++x) {
            const double d = std::hypot((x + 0.5) / scale - cx, (y + 0.5) / scale - cy);
            if (d <= outer && d > inner) Plot(x, y, colour);
        }
    }
}

void Canvas::Line(Point from, Point to, double lineWidth, Rgb colour) {
    const double half = lineWidth / 2.0;
    const int left = Floor((std::min(from.x, to.x) - half) * scale);
    const int right = Ceil((std::max(from.x, to.x) + half) * scale);
    const int top = Floor((std::min(from.y, to.y) - half) * scale);
    const int bottom = Ceil((std::max(from.y, to.y) + half) * scale);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (DistanceToSegment({(x + 0.5) / scale, (y + 0.5) / scale}, from, to) <= half) Plot(x, y, colour);
}

void Canvas::Polyline(const std::vector<Point>& points, double lineWidth, Rgb colour) {
    for (std::size_t i = 1; i < points.size(); ++i) Line(points[i - 1], points[i], lineWidth, colour);
}

void Canvas::FillPolygon(const std::vector<Point>& points, Rgb colour) {
    if (points.size() < 3) return;
    double top = points.front().y;
    double bottom = top;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<double> crossings;
    for (int y = Floor(top * scale); y <= Ceil(bottom * scale); ++y) {
        const double scan = (y + 0.5) / scale;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i];
            const Point b = points[(i + 1) % points.size()];
            // Half-open edges count a vertex on the scan line once, so shapes close without gaps.
            if ((a.y <= scan && scan < b.y) || (b.y <= scan && scan < a.y))
                crossings.push_back(a.x + (scan - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int first = Ceil(crossings[i] * scale - 0.5);
            const int last = Ceil(crossings[i + 1] * scale - 0.5) - 1;
            for (int x = first; x <= last; ++x) Plot(x, y, colour);
        }
    }
}

void Canvas::DrawGlyph(const PixelGlyph& glyph, int x, int y, Rgb colour, int scaleX, int scaleY, double slant) {
    for (std::string_view row : glyph.rows)
        if (static_cast<int>(row.size()) != glyph.Width()) throw std::logic_error("glyph rows differ in length");
    if (density > 1) {
        StrokeGlyph(glyph, x, y, colour, scaleX, scaleY, slant);
        return;
    }
    const int outHeight = glyph.Height() * scaleY;
    for (int row = 0; row < glyph.Height(); ++row) {
        for (int column = 0; column < glyph.Width(); ++column) {
            if (!glyph.IsSet(column, row)) continue;
            for (int sy = 0; sy < scaleY; ++sy) {
                const int outRow = row * scaleY + sy;
                const int shift = static_cast<int>(std::floor(slant * (outHeight - 1 - outRow) + 0.5));
                FillRect(x + column * scaleX + shift, y + outRow, scaleX, 1, colour);
            }
        }
    }
}

// At a higher density a glyph's pixels are the stations of a pen: each drawn pixel is a round
// dot, joined to its drawn neighbours by strokes, and a diagonal step becomes a straight stroke
// unless a neighbour already turns the corner. Letters come out as written lines, not blocks.
void Canvas::StrokeGlyph(const PixelGlyph& glyph, int x, int y, Rgb colour, int scaleX, int scaleY, double slant) {
    const int outHeight = glyph.Height() * scaleY;
    const auto set = [&](int column, int row) {
        return column >= 0 && row >= 0 && column < glyph.Width() && row < glyph.Height() && glyph.IsSet(column, row);
    };
    const auto centre = [&](int column, int row) {
        const double cy = y + (row + 0.5) * scaleY;
        return Point{x + (column + 0.5) * scaleX + slant * (y + outHeight - 0.5 - cy), cy};
    };
    const double pen = kGlyphPen * std::min(scaleX, scaleY);
    for (int row = 0; row < glyph.Height(); ++row) {
        for (int column = 0; column < glyph.Width(); ++column) {
            if (!set(column, row)) continue;
            const Point here = centre(column, row);
            FillCircle(here.x, here.y, pen / 2.0, colour);
            if (set(column + 1, row)) Line(here, centre(column + 1, row), pen, colour);
            if (set(column, row + 1)) Line(here, centre(column, row + 1), pen, colour);
            for (const int step : {-1, 1}) {
                if (set(column + step, row + 1) && !set(column + step, row) && !set(column, row + 1))
                    Line(here, centre(column + step, row + 1), pen, colour);
            }
            if (set(column + 1, row) && set(column, row + 1) && set(column + 1, row + 1))
                FillPolygon({here, centre(column + 1, row), centre(column + 1, row + 1), centre(column, row + 1)}, colour);
        }
    }
}

void Canvas::Draw(const Canvas& source, int x, int y, bool whiteTransparent) {
    const int block = scale / density;
    for (int row = 0; row < source.Height(); ++row) {
        for (int column = 0; column < source.Width(); ++column) {
            const Rgb colour = source.Pixel(column, row);
            if (whiteTransparent && colour == kWhite) continue;
            FillSamples(x * scale + column * block, y * scale + row * block, block, block, colour);
        }
    }
}

void Canvas::ReplaceColour(Rgb from, Rgb to) {
    std::replace(pixels.begin(), pixels.end(), from, to);
}

Canvas Canvas::Enlarged(int factor) const {
    Canvas large(width * factor, height * factor);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) large.FillRect(x * factor, y * factor, factor, factor, Pixel(x, y));
    return large;
}

Canvas Canvas::Resolved(Resolve how) const {
    if (density == 1) return *this;
    const int block = scale / density;
    Canvas out(width * density, height * density);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            std::uint64_t all[3] = {0, 0, 0};
            std::uint64_t coloured[3] = {0, 0, 0};
            std::uint64_t whites = 0;
            for (int sy = y * block; sy < (y + 1) * block; ++sy) {
                for (int sx = x * block; sx < (x + 1) * block; ++sx) {
                    const Rgb sample =
                        pixels[static_cast<std::size_t>(sy) * static_cast<std::size_t>(sampleWidth) + static_cast<std::size_t>(sx)];
                    if (sample == kWhite) {
                        ++whites;
                        Add(all, how == Resolve::FaceOnGrey ? kFaceFill : kWhite);
                    } else {
                        Add(all, sample);
                        Add(coloured, sample);
                    }
                }
            }
            const auto count = static_cast<std::uint64_t>(block * block);
            Rgb colour = Average(all, count);
            if (whites == count) colour = kWhite;
            else if (how == Resolve::KeyedWhite) colour = whites * 2 >= count ? kWhite : Average(coloured, count - whites);
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) + static_cast<std::size_t>(x)] = colour;
        }
    }
    return out;
}

}  // namespace jadeleaf
