// The drawing primitives of the artwork generator.
#include "resources/artgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace jadeleaf {

namespace {

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

Canvas::Canvas(int width, int height, Rgb background) : width(width), height(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a picture needs a positive size");
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background);
}

Rgb Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) throw std::out_of_range("pixel outside the picture");
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

void Canvas::SetPixel(int x, int y, Rgb colour) {
    // Shapes may reach past the border; clipping here keeps every caller simple.
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = colour;
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) SetPixel(column, row, colour);
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
    for (int y = static_cast<int>(std::floor(cy - reach)); y <= static_cast<int>(std::ceil(cy + reach)); ++y) {
        for (int x = static_cast<int>(std::floor(cx - reach)); x <= static_cast<int>(std::ceil(cx + reach)); ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double u = (dx * cosine + dy * sine) / rx;
            const double v = (dy * cosine - dx * sine) / ry;
            if (u * u + v * v <= 1.0) SetPixel(x, y, colour);
        }
    }
}

void Canvas::Ring(double cx, double cy, double outer, double inner, Rgb colour) {
    for (int y = static_cast<int>(std::floor(cy - outer)); y <= static_cast<int>(std::ceil(cy + outer)); ++y) {
        for (int x = static_cast<int>(std::floor(cx - outer)); x <= static_cast<int>(std::ceil(cx + outer)); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= outer && d > inner) SetPixel(x, y, colour);
        }
    }
}

void Canvas::Line(Point from, Point to, double lineWidth, Rgb colour) {
    const double half = lineWidth / 2.0;
    const int left = static_cast<int>(std::floor(std::min(from.x, to.x) - half));
    const int right = static_cast<int>(std::ceil(std::max(from.x, to.x) + half));
    const int top = static_cast<int>(std::floor(std::min(from.y, to.y) - half));
    const int bottom = static_cast<int>(std::ceil(std::max(from.y, to.y) + half));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (DistanceToSegment({x + 0.5, y + 0.5}, from, to) <= half) SetPixel(x, y, colour);
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
    for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y) {
        const double scan = y + 0.5;
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
            const int first = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int last = static_cast<int>(std::ceil(crossings[i + 1] - 0.5)) - 1;
            for (int x = first; x <= last; ++x) SetPixel(x, y, colour);
        }
    }
}

void Canvas::DrawGlyph(const PixelGlyph& glyph, int x, int y, Rgb colour, int scaleX, int scaleY, double slant) {
    for (std::string_view row : glyph.rows)
        if (static_cast<int>(row.size()) != glyph.Width()) throw std::logic_error("glyph rows differ in length");
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

void Canvas::Draw(const Canvas& source, int x, int y, bool whiteTransparent) {
    for (int row = 0; row < source.Height(); ++row) {
        for (int column = 0; column < source.Width(); ++column) {
            const Rgb colour = source.Pixel(column, row);
            if (whiteTransparent && colour == kWhite) continue;
            SetPixel(x + column, y + row, colour);
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

}  // namespace jadeleaf
