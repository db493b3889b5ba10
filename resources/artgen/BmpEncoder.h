// Turns a picture into the bytes of a Windows .bmp file (uncompressed, bottom-up rows).
#pragma once

#include <vector>

#include "resources/artgen/Canvas.h"

namespace jadeleaf {

enum class BmpDepth {
    Indexed4 = 4,   // up to 16 colours
    Indexed8 = 8,   // up to 256 colours
    Rgb24 = 24,
};

// Throws std::runtime_error when a picture has more colours than an indexed depth can hold.
std::vector<unsigned char> EncodeBmp(const Canvas& picture, BmpDepth depth);
// The same file image deflated, in the layout of Qt's qCompress (a big-endian length, then a zlib
// stream), as the denser pictures are kept.
std::vector<unsigned char> EncodePackedBmp(const Canvas& picture, BmpDepth depth);

}  // namespace jadeleaf
