// The 42 face pictures of the tile set, 29 x 39 on white.
#pragma once

#include "resources/artgen/Canvas.h"

namespace jadeleaf {

inline constexpr int kFaceTotal = 42;

// Faces 1-9 circles, 10-18 bamboos, 19-27 characters, 28-31 winds, 32-34 dragons,
// 35-38 seasons, 39-42 flowers. Throws std::out_of_range for any other number. At density 2 or 3
// the same face is drawn with that many pixels to the unit, smooth and with finer strokes.
Canvas PaintFace(int face, int density = 1);

}  // namespace jadeleaf
