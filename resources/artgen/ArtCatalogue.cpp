// Gathers the library's 45 bitmaps and the program's own pictures, at each density.
#include "resources/artgen/ArtCatalogue.h"

#include "resources/ResourceFileFormat.h"
#include "resources/artgen/FacePainter.h"
#include "resources/artgen/PicturePainter.h"
#include "resources/artgen/TilePainter.h"

namespace jadeleaf {

namespace {

// Smooth drawings need more colours than the small pictures' palettes hold.
BmpDepth DenseDepth(BmpDepth depth, int density) { return density == 1 ? depth : BmpDepth::Rgb24; }

std::vector<ArtItem> Resources(int density) {
    std::vector<ArtItem> items;
    const auto add = [&](int id, std::string name, Canvas picture, BmpDepth depth) {
        items.push_back({DenseResourceId(id, density), std::move(name), std::move(picture), depth, density});
    };
    // Tile-sized pictures stay 24-bit so the game reads their exact colours without a palette.
    for (int face = 1; face <= kFaceTotal; ++face)
        add(face, "face " + std::to_string(face), PaintFace(face, density), BmpDepth::Rgb24);
    add(43, "tile frame", PaintTileFrame(density), BmpDepth::Rgb24);
    add(44, "start-up picture", PaintStartupPicture(density), DenseDepth(BmpDepth::Indexed8, density));
    add(45, "sure-bet pattern", PaintSureBetPattern(density), BmpDepth::Rgb24);
    return items;
}

std::vector<ArtItem> ProgramPictures(int density) {
    return {
        {0, "WindowIconBitmap", PaintWindowIcon(density), DenseDepth(BmpDepth::Indexed4, density), density},
        {0, "InfoButtonBitmap", PaintInfoButton(density), DenseDepth(BmpDepth::Indexed4, density), density},
        {0, "EmblemBitmap", PaintEmblem(density), DenseDepth(BmpDepth::Indexed8, density), density},
        {0, "QuickInfoTitleBitmap", PaintQuickInfoTitle(density), DenseDepth(BmpDepth::Indexed4, density), density},
        {0, "PlaceholderTileBitmap", PaintPlaceholderTile(density), BmpDepth::Rgb24, density},
    };
}

}  // namespace

ArtCatalogue BuildArtCatalogue() {
    ArtCatalogue catalogue;
    catalogue.resources = Resources(1);
    catalogue.program = ProgramPictures(1);
    for (int density = 2; density <= kLargestDensity; ++density) {
        for (ArtItem& item : Resources(density)) catalogue.denseResources.push_back(std::move(item));
        for (ArtItem& item : ProgramPictures(density)) catalogue.program.push_back(std::move(item));
    }
    return catalogue;
}

}  // namespace jadeleaf
