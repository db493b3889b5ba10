// The 144-tile deck and its shuffle into the deal.
#pragma once

#include "model/GameTable.h"
#include "model/RandomSource.h"

namespace jadeleaf {

// Fills `deal` with a shuffled deck and sets `tilesLeft` to 144; always succeeds.
bool ShuffleDeck(GameTable& table, RandomSource& random);

}  // namespace jadeleaf
