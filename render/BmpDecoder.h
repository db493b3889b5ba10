// A bounded decoder for the uncompressed .bmp images of the resource file.
#pragma once

#include <QImage>
#include <span>

namespace jadeleaf {

// Larger pictures than these are not the game's and are refused; the widest
// is the start-up picture drawn at three times its size, 1080 pixels.
inline constexpr int kBmpMaxWidth = 1200;
inline constexpr int kBmpMaxHeight = 1024;

// Decodes an uncompressed .bmp file image of 1, 4, 8, 24 or 32 bits per pixel
// into an RGB32 picture. Every size, offset and palette index is checked
// against the bytes given; anything else gives a null image.
QImage DecodeBmp(std::span<const unsigned char> bytes);

// Decodes a deflated .bmp file image as the resource file holds its denser
// pictures: a big-endian length, then the zlib stream. The length must be
// within the resource file's limit and the stream must give exactly that many
// bytes; anything else gives a null image.
QImage DecodePackedBmp(std::span<const unsigned char> bytes);

}  // namespace jadeleaf
