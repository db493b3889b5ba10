// Writes BITMAPFILEHEADER, BITMAPINFOHEADER, the palette and the pixel rows of a picture.
#include "resources/artgen/BmpEncoder.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace jadeleaf {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 pixels per inch

void Put16(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The palette is sorted by colour value, so the same picture always gives the same file.
std::vector<Rgb> PaletteOf(const Canvas& picture, std::size_t limit) {
    std::vector<Rgb> palette = picture.Pixels();
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.size() > limit)
        throw std::runtime_error("a " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) +
                                 " picture has " + std::to_string(palette.size()) + " colours, more than " +
                                 std::to_string(limit));
    return palette;
}

std::size_t IndexOf(const std::vector<Rgb>& palette, Rgb colour) {
    return static_cast<std::size_t>(std::lower_bound(palette.begin(), palette.end(), colour) - palette.begin());
}

}  // namespace

std::vector<unsigned char> EncodeBmp(const Canvas& picture, BmpDepth depth) {
    const int bits = static_cast<int>(depth);
    std::vector<Rgb> palette;
    if (depth != BmpDepth::Rgb24) palette = PaletteOf(picture, std::size_t{1} << bits);

    const auto width = static_cast<std::uint32_t>(picture.Width());
    const auto height = static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t rowBytes = (width * static_cast<std::uint32_t>(bits) + 31) / 32 * 4;
    const auto paletteBytes = static_cast<std::uint32_t>(palette.size() * 4);
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
    const std::uint32_t fileSize = pixelOffset + rowBytes * height;

    std::vector<unsigned char> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, pixelOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: rows run bottom-up
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, rowBytes * height);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, static_cast<std::uint32_t>(palette.size()));
    Put32(out, 0);

    for (Rgb colour : palette) {
        out.push_back(static_cast<unsigned char>(colour & 0xFF));
        out.push_back(static_cast<unsigned char>((colour >> 8) & 0xFF));
        out.push_back(static_cast<unsigned char>((colour >> 16) & 0xFF));
        out.push_back(0);
    }

    for (int y = picture.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgb colour = picture.Pixel(x, y);
            if (depth == BmpDepth::Rgb24) {
                out.push_back(static_cast<unsigned char>(colour & 0xFF));
                out.push_back(static_cast<unsigned char>((colour >> 8) & 0xFF));
                out.push_back(static_cast<unsigned char>((colour >> 16) & 0xFF));
            } else if (depth == BmpDepth::Indexed8) {
                out.push_back(static_cast<unsigned char>(IndexOf(palette, colour)));
            } else if (x % 2 == 0) {
                out.push_back(static_cast<unsigned char>(IndexOf(palette, colour) << 4));
            } else {
                out.back() = static_cast<unsigned char>(out.back() | IndexOf(palette, colour));
            }
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

std::vector<unsigned char> EncodePackedBmp(const Canvas& picture, BmpDepth depth) {
    const std::vector<unsigned char> bmp = EncodeBmp(picture, depth);
    const QByteArray packed = qCompress(bmp.data(), static_cast<qsizetype>(bmp.size()), 9);
    return {packed.begin(), packed.end()};
}

}  // namespace jadeleaf
