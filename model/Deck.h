// The 144-tile deck and its shuffle into the deal.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/GameTable.h"
#include "model/RandomSource.h"

namespace jadeleaf {

// Fills `deal` with a shuffled deck and sets `tilesLeft` to 144; always succeeds.
bool ShuffleDeck(GameTable& table, RandomSource& random);

// Clears the table, seeds the random source, shuffles and lays the deck out;
// returns what the shuffle returned (`dealt`).
bool DealTable(GameTable& table, RandomSource& random, std::uint32_t seed);

// A deal number as the player types it: digits, blanks around them allowed,
// from 0 to 4294967295.
bool ParseDealNumber(std::string_view text, std::uint32_t& seed);

// A fresh game state holding the deal of `seed`, laid out.
GameTable DealtTable(std::uint32_t seed);

}  // namespace jadeleaf
