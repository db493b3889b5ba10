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

    // The same drawings at `deviceScale` percent of their size, where that is
    // not 100: from the art of the next larger density (1x, 2x or 3x), exact
    // when the scale is that density's, smoothly filtered otherwise, and from
    // the 1x art while the library has no drawing at that density. Positions
    // and sizes are in the target's own pixels.
    void DrawTileScaled(QImage& canvas, QPoint at, int face, int state, int deviceScale, GameWindow& window);
    // A finished tile with its corners transparent.
    QImage ScaledTilePicture(int face, int deviceScale);
    // Resource bitmap `id` drawn to `size`; `fallback` when the library has
    // no such bitmap.
    QImage ScaledBitmap(int id, int deviceScale, QSize size, const QImage& fallback) const;
    // A tile's size at `deviceScale`.
    static QSize ScaledTileSize(int deviceScale);

    void Release();

    ResourceLibrary library;
    bool graphicsFailed = false;
    bool frameLoaded = false;
    bool overlayLoaded = false;

private:
    // The finished tiles and the sure-bet overlay at one scale.
    struct ScaledSet {
        int deviceScale = 0;
        int density = 1;
        std::array<QImage, kImageListSize> tiles;
        QImage overlay;
        QImage frame;  // at `density`, white left out
    };
    const ScaledSet& ScaledTiles(int deviceScale);
    QImage Art(int id, int density) const;
    bool LoadFrame(GameWindow& window);
    void ComposeOverlay(GameWindow& window);
    bool ComposeTile(int face);

    std::array<QImage, kImageListSize> imageList;
    QImage framePicture;
    QImage workPicture;
    QImage overlayPicture;
    ScaledSet scaled_;
};

// `picture` with its white pixels transparent.
QImage WhiteLeftOut(const QImage& picture);
// The picture resized with smooth filtering; as it is when it has that size.
QImage SmoothlyScaled(const QImage& picture, QSize size);
// The resolution (1, 2 or 3) of the art that a picture at `deviceScale` percent is drawn from.
int ArtDensity(int deviceScale);

}  // namespace jadeleaf
