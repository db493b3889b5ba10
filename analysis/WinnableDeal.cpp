// The search for the first winnable deal from a deal number on.
#include "analysis/WinnableDeal.h"

#include "model/Deck.h"

namespace jadeleaf {

// About one deal in ten is passed over, so the loop ends within a few deals;
// a run of hundreds of passed deals in a row has never been seen.
std::uint32_t FirstWinnableSeed(DealSolver& solver, std::uint32_t seed, std::uint64_t budget) {
    while (solver.Solve(DealtTable(seed), budget).verdict != SolveVerdict::Winnable) ++seed;
    return seed;
}

}  // namespace jadeleaf
