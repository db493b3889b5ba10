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

}  // namespace jadeleaf
