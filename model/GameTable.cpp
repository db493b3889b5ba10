// The game state's resets, the face count and the match rule.
#include "model/GameTable.h"

#include <cstring>

namespace jadeleaf {

void ResetGameTable(GameTable& table) {
    std::memset(&table, 0, sizeof table);
    table.welcomePending = 1;
    table.shownSweep = 1;
}

void ClearTable(GameTable& table) {
    table.firstSelection.made = 0;
    table.secondSelection.made = 0;
    table.knownMove[0] = table.knownMove[1] = 0;
    std::memset(table.sureBet, 0, sizeof table.sureBet);
    std::memset(table.tiles, 0, sizeof table.tiles);
    std::memset(table.positionGrid, 0, sizeof table.positionGrid);
    std::memset(table.specialSlots, 0, sizeof table.specialSlots);
    table.removedCount = 0;
    table.redoCount = 0;
}

int CountFace(const GameTable& table, int face) {
    int count = 0;
    for (int p = 1; p <= kPositionCount; ++p) {
        const TileRecord& tile = table.tiles[p];
        if (tile.present == 1 && tile.face == face) ++count;
    }
    return count;
}

static bool IsSeason(int face) { return face >= kFirstSeason && face <= kLastSeason; }
static bool IsFlower(int face) { return face >= kFirstFlower && face <= kLastFlower; }

bool FacesMatch(int faceA, int faceB) {
    if (faceA == faceB) return true;
    if (IsSeason(faceA) && IsSeason(faceB)) return true;
    return IsFlower(faceA) && IsFlower(faceB);
}

bool TilesMatch(const GameTable& table, int a, int b) {
    return FacesMatch(table.tiles[a].face, table.tiles[b].face);
}

}  // namespace jadeleaf
