// Gathers the library's 45 bitmaps and the program's own pictures.
#include "resources/artgen/ArtCatalogue.h"

#include "resources/artgen/FacePainter.h"
#include "resources/artgen/PicturePainter.h"
#include "resources/artgen/TilePainter.h"

namespace jadeleaf {

ArtCatalogue BuildArtCatalogue() {
    ArtCatalogue catalogue;
    // Tile-sized pictures stay 24-bit so the game reads their exact colours without a palette.
    for (int face = 1; face <= kFaceTotal; ++face)
        catalogue.resources.push_back({face, "face " + std::to_string(face), PaintFace(face), BmpDepth::Rgb24});
    catalogue.resources.push_back({43, "tile frame", PaintTileFrame(), BmpDepth::Rgb24});
    catalogue.resources.push_back({44, "start-up picture", PaintStartupPicture(), BmpDepth::Indexed8});
    catalogue.resources.push_back({45, "sure-bet pattern", PaintSureBetPattern(), BmpDepth::Rgb24});

    catalogue.program.push_back({0, "WindowIconBitmap", PaintWindowIcon(), BmpDepth::Indexed4});
    catalogue.program.push_back({0, "InfoButtonBitmap", PaintInfoButton(), BmpDepth::Indexed4});
    catalogue.program.push_back({0, "EmblemBitmap", PaintEmblem(), BmpDepth::Indexed8});
    catalogue.program.push_back({0, "QuickInfoTitleBitmap", PaintQuickInfoTitle(), BmpDepth::Indexed4});
    catalogue.program.push_back({0, "PlaceholderTileBitmap", PaintPlaceholderTile(), BmpDepth::Rgb24});
    return catalogue;
}

}  // namespace jadeleaf
