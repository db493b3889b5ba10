// A tile's face and its place on the table in words, as a screen reader speaks them.
#pragma once

#include <string>

#include "model/GameTable.h"

namespace jadeleaf {

// "Three of Bamboo", "East Wind", "Red Dragon", "Spring", "Plum"; empty for a number outside 1-42.
std::string FaceName(int face);

// Free or not and what holds the tile, its layer, and the marks it carries:
// "free, layer 1", "covered, blocked on both sides, layer 2, selected".
std::string TileDescription(const TileRecord& tile);

}  // namespace jadeleaf
