// Decoding .bmp images with every field checked against the bytes at hand.
#include "render/BmpDecoder.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "resources/ResourceFileFormat.h"

namespace jadeleaf {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint64_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t Get16(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Get32(std::span<const unsigned char> bytes, std::size_t at) {
    return Get16(bytes, at) | Get16(bytes, at + 2) << 16;
}

QRgb Opaque(unsigned blue, unsigned green, unsigned red) { return qRgb(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue)); }

// The index of pixel x in a row of an indexed picture.
unsigned IndexAt(const unsigned char* row, int x, int bits) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1u << bits) - 1u);
}

}  // namespace

QImage DecodeBmp(std::span<const unsigned char> bytes) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return {};
    const std::uint64_t pixelOffset = Get32(bytes, 10);
    const std::uint64_t headerSize = Get32(bytes, 14);
    if (headerSize < kInfoHeaderSize || kFileHeaderSize + headerSize > bytes.size()) return {};
    const auto width = static_cast<std::int32_t>(Get32(bytes, 18));
    const auto signedHeight = static_cast<std::int32_t>(Get32(bytes, 22));
    const std::uint32_t planes = Get16(bytes, 26);
    const int bits = static_cast<int>(Get16(bytes, 28));
    const std::uint32_t compression = Get32(bytes, 30);
    const std::uint64_t coloursUsed = Get32(bytes, 46);

    const bool topDown = signedHeight < 0;
    // Widened before the sign flips: the lowest 32-bit number has no positive twin.
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(signedHeight) : signedHeight;
    if (width < 1 || width > kBmpMaxWidth || height < 1 || height > kBmpMaxHeight) return {};
    if (planes != 1 || compression != kUncompressed) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};

    const bool indexed = bits <= 8;
    const std::uint64_t paletteLimit = indexed ? (1u << bits) : 0;
    const std::uint64_t paletteSize = indexed ? (coloursUsed == 0 ? paletteLimit : coloursUsed) : 0;
    if (paletteSize > paletteLimit) return {};
    const std::uint64_t paletteStart = kFileHeaderSize + headerSize;
    if (pixelOffset < paletteStart + paletteSize * 4) return {};

    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
    if (pixelOffset + rowBytes * static_cast<std::uint64_t>(height) > bytes.size()) return {};

    std::vector<QRgb> palette(static_cast<std::size_t>(paletteSize));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(paletteStart) + i * 4;
        palette[i] = Opaque(bytes[at], bytes[at + 1], bytes[at + 2]);
    }

    QImage image(width, static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < image.height(); ++y) {
        const std::int64_t stored = topDown ? y : height - 1 - y;
        const unsigned char* row = bytes.data() + pixelOffset + static_cast<std::uint64_t>(stored) * rowBytes;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (indexed) {
                const unsigned index = IndexAt(row, x, bits);
                if (index >= palette.size()) return {};
                out[x] = palette[index];
            } else {
                const unsigned char* pixel = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
                out[x] = Opaque(pixel[0], pixel[1], pixel[2]);
            }
        }
    }
    return image;
}

QImage DecodePackedBmp(std::span<const unsigned char> bytes) {
    if (bytes.size() < 4) return {};
    const uLongf expected = static_cast<uLongf>(bytes[0]) << 24 | static_cast<uLongf>(bytes[1]) << 16 |
                            static_cast<uLongf>(bytes[2]) << 8 | static_cast<uLongf>(bytes[3]);
    if (expected == 0 || expected > kPackedBmpLimit) return {};
    // The buffer holds exactly what the length promises: zlib stops with an
    // error rather than write past it.
    std::vector<unsigned char> bmp(expected);
    uLongf produced = expected;
    if (uncompress(bmp.data(), &produced, bytes.data() + 4, static_cast<uLong>(bytes.size() - 4)) != Z_OK) return {};
    if (produced != expected) return {};
    return DecodeBmp(bmp);
}

}  // namespace jadeleaf
