// The program's own pictures (window icon, buttons, emblem, title), drawn at build time.
#pragma once

#include <cstddef>

namespace jadeleaf {

struct PackedArt {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// A complete .bmp file image; white (0xFFFFFF) is the transparent colour. The same picture drawn
// at twice and three times the size, for dense screens, is deflated (in the layout of Qt's
// qCompress): the smooth drawings have too many colours for a palette.
struct ArtBlob {
    const unsigned char* data;
    std::size_t size;
    PackedArt atDensity2{};
    PackedArt atDensity3{};
};

ArtBlob WindowIconBitmap();      // 32 x 32, a character-suit tile: a black numeral above a red character
ArtBlob InfoButtonBitmap();      // 16 x 16, an information symbol, 16 colours
ArtBlob EmblemBitmap();          // 116 x 110, a red arched bridge with a pagoda-roofed gate over water
ArtBlob QuickInfoTitleBitmap();  // 322 x 27, the program's name in green italic letters on white
ArtBlob PlaceholderTileBitmap(); // 37 x 47, the blank stored tile with a light grey face

}  // namespace jadeleaf
