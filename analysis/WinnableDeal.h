// Winnable deals only: the first deal from a given number on that the deal search proves winnable.
#pragma once

#include <cstdint>

#include "analysis/DealSolver.h"

namespace jadeleaf {

// Positions spent on each deal before it is passed over. Most winnable deals
// are proven within it, and passing over one costs a few tens of
// milliseconds at most, so that New game deals at once (bench/solver-figures.md).
inline constexpr std::uint64_t kWinnableDealBudget = 10'000;

// The first deal number from `seed` upwards (after 4294967295 comes 0) whose
// deal the search proves winnable within `budget` positions. Lost deals and
// those left open are passed over.
std::uint32_t FirstWinnableSeed(DealSolver& solver, std::uint32_t seed, std::uint64_t budget = kWinnableDealBudget);

}  // namespace jadeleaf
