// Draws the desktop icons from the window icon, whose white is the background around the tile.
#include "resources/artgen/IconWriter.h"

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "resources/artgen/PicturePainter.h"
#include "resources/artgen/SourceWriter.h"

namespace jadeleaf {

namespace {

constexpr int kLargest = 256;

QImage TransparentIcon(const Canvas& icon, int factor) {
    QImage image(icon.Width() * factor, icon.Height() * factor, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb colour = icon.Pixel(x / factor, y / factor);
            image.setPixel(x, y, colour == kWhite ? 0u : 0xFF000000u | colour);
        }
    return image;
}

std::string PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("cannot encode an icon as PNG");
    return bytes.toStdString();
}

// One square a run of like pixels in a row, sharp-edged, so the picture stays pixel art at any size.
std::string Svg(const Canvas& icon) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kLargest) +
                      "\" height=\"" + std::to_string(kLargest) + "\" viewBox=\"0 0 " + std::to_string(icon.Width()) +
                      " " + std::to_string(icon.Height()) + "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width();) {
            const Rgb colour = icon.Pixel(x, y);
            int end = x + 1;
            while (end < icon.Width() && icon.Pixel(end, y) == colour) ++end;
            if (colour != kWhite) {
                char fill[8];
                std::snprintf(fill, sizeof fill, "%06X", colour);
                svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
                       std::to_string(end - x) + "\" height=\"1\" fill=\"#" + fill + "\"/>\n";
            }
            x = end;
        }
    }
    return svg + "</svg>\n";
}

}  // namespace

void WriteIcons(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw std::runtime_error("cannot create " + folder.string() + ": " + error.message());
    const Canvas icon = PaintWindowIcon();
    // The sizes up to the window icon's are the largest one averaged down, so the small icons keep
    // the tile's shape without the uneven pixels that a plain resampling of the 32-pixel picture
    // would give. The larger ones come from the icon drawn at the largest size, smooth and with
    // its strokes, so a dense desktop shows no blocks.
    const QImage blocky = TransparentIcon(icon, kLargest / icon.Width());
    const QImage smooth = TransparentIcon(PaintWindowIcon(kLargest / icon.Width(), Resolve::KeyedWhite), 1);
    for (const int size : kIconSizes) {
        const QImage& largest = size <= icon.Width() ? blocky : smooth;
        const QImage image = largest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ReplaceFile(folder / ("jadeleaf-" + std::to_string(size) + ".png"), PngBytes(image));
    }
    ReplaceFile(folder / "jadeleaf.svg", Svg(icon));
}

}  // namespace jadeleaf
