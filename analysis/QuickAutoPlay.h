// The automatic player's game of a seed without the game loop's passes, for batches of deals.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/Game.h"

namespace jadeleaf {

// Deals `seed` onto `game` and takes, pair after pair, the pair that the move
// search offers, as the automatic player does, until none is left. `pairs`
// receives the pairs in order (first and second selection); returns the
// number of tiles removed. The game's own rules remove each pair.
int QuickAutoPlay(Game& game, std::uint32_t seed, std::vector<std::pair<int, int>>& pairs);

}  // namespace jadeleaf
