// A bounded decoder for the uncompressed .bmp images of the resource file.
#pragma once

#include <QImage>
#include <span>

namespace jadeleaf {

// Larger pictures than these are not the game's and are refused.
inline constexpr int kBmpMaxWidth = 1024;
inline constexpr int kBmpMaxHeight = 1024;

// Decodes an uncompressed .bmp file image of 1, 4, 8, 24 or 32 bits per pixel
// into an RGB32 picture. Every size, offset and palette index is checked
// against the bytes given; anything else gives a null image.
QImage DecodeBmp(std::span<const unsigned char> bytes);

}  // namespace jadeleaf
