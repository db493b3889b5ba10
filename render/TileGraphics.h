// The tile pictures: the resource library, the finished tiles of the image
// list, and the drawing of one tile in each of its states.
#pragma once

#include <QImage>
#include <array>

#include "model/Game.h"
#include "render/ResourceLibrary.h"

namespace jadeleaf {

inline constexpr int kImageListSize = 43;
inline constexpr QRgb kTileFaceGrey = 0xCECECEu;

class TileGraphics {
public:
    // Fills the image list with the stored blank tiles and creates the pictures.
    void Prepare(const QImage& placeholderTile);

    // Loads the library once; during start-up it then composes the 42 tiles.
    void LoadResourceLibrary(Game& game, GameWindow& window);
    void LoadTilePictures(Game& game, GameWindow& window);

    // Draws one tile at (x, y) of `canvas` as its state asks.
    void DrawTile(QImage& canvas, int x, int y, int face, int state, GameWindow& window);

    // Fetches the image-list picture of `face` into the work picture: where
    // the list's picture is transparent the work picture keeps what it had.
    const QImage& FetchTilePicture(int face);

    // The start-up picture; null when it cannot be read.
    QImage StartupPicture() const { return library.Bitmap(44); }

    void Release();

    ResourceLibrary library;
    bool graphicsFailed = false;
    bool frameLoaded = false;
    bool overlayLoaded = false;

private:
    bool LoadFrame(GameWindow& window);
    void ComposeOverlay(GameWindow& window);
    bool ComposeTile(int face);

    std::array<QImage, kImageListSize> imageList;
    QImage framePicture;
    QImage workPicture;
    QImage overlayPicture;
};

}  // namespace jadeleaf
