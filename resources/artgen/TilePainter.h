// The tile body pictures: the frame, the stored blank tile, the sure-bet pattern, finished tiles.
#pragma once

#include "resources/artgen/Canvas.h"

namespace jadeleaf {

inline constexpr int kTileWidth = 37;
inline constexpr int kTileHeight = 47;
inline constexpr int kFaceX = 6;
inline constexpr int kFaceY = 2;
inline constexpr int kFaceWidth = 29;
inline constexpr int kFaceHeight = 39;

// Each picture comes at density 1, 2 or 3: the size and positions below times the density.

// 37 x 47: white face area inside a dark outline, the 3-D edge on the left and at the bottom,
// and white (transparent) corner triangles at the top left and the bottom right.
Canvas PaintTileFrame(int density = 1);
// 37 x 47: the same body with a light grey face and a grey edge.
Canvas PaintPlaceholderTile(int density = 1);
// 29 x 39: diagonal stripes on white, laid over a face to mark a sure bet.
Canvas PaintSureBetPattern(int density = 1);
// A tile as the game composes it: the frame, then the face on light grey at (6, 2); both
// pictures of the same density.
Canvas ComposeFinishedTile(const Canvas& frame, const Canvas& face);

}  // namespace jadeleaf
