// The fixed five-layer layout of the 144 positions and the deal's placement on it.
#pragma once

#include "model/GameTable.h"

namespace jadeleaf {

// The table picture's geometry as far as the layout needs it.
inline constexpr int kTileWidth = 37;
inline constexpr int kTileHeight = 47;
inline constexpr int kHorizontalStep = 33;
inline constexpr int kVerticalStep = 43;
inline constexpr int kTopMargin = 16;
inline constexpr int kSideMargin = 16;
inline constexpr int kTableWidth = 2 * kSideMargin + 15 * kHorizontalStep + 4;
inline constexpr int kTableHeight = 2 * kTopMargin + 8 * kVerticalStep + 4;

// The client position at which the table picture is shown: a tile's x and y
// are inside the picture.
inline constexpr int kTableLeft = 22;
inline constexpr int kTableTop = 21;

// The positions that stand outside the grid.
inline constexpr int kTopTile = 141;
inline constexpr int kLeftEndTile = 142;
inline constexpr int kRightEndTile = 143;
inline constexpr int kFarRightTile = 144;

// The grid table of a layer 1-4, indexed [row - 1][column] with columns 0-13.
using LayerTable = int[kGridRows][kGridColumns];
const LayerTable& LayerTableOf(int layer);

// Fills the records, the position grid and the special slots from the layout
// and `deal`, and sets `tableReady`. Expects a cleared table.
void BuildLayout(GameTable& table);

}  // namespace jadeleaf
