// The free rule and the two searches over the table: a move, and a sure bet.
#pragma once

#include "model/GameTable.h"
#include "model/PaintRequests.h"

namespace jadeleaf {

// Present, nothing on top, and at least one side open.
bool IsFree(const GameTable& table, int p);

// Looks for one pair of free matching tiles and puts it into `knownMove`:
// the lowest face 1-34 with two free tiles (its two lowest positions), else
// the first two free seasons, else the first two free flowers. Returns the
// face, kSeasonGroup or kFlowerGroup, or 0 when there is none or a selection
// is pending.
int FindMove(GameTable& table);

// Looks for a whole match class of four tiles that are all free at once, puts
// them into `sureBet` and marks them SureBet. Returns the face, kSeasonGroup
// or kFlowerGroup, or 0 when there is none or a selection is pending.
int FindSureBet(GameTable& table, PaintRequests& paint);

}  // namespace jadeleaf
