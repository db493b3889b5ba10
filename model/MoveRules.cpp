// The free rule, the move search and the sure-bet search.
#include "model/MoveRules.h"

namespace jadeleaf {

namespace {

// The one position that carries a season or flower face.
int PositionOfFace(const GameTable& table, int face) {
    for (int p = 1; p <= kPositionCount; ++p) {
        if (table.tiles[p].face == face) return p;
    }
    return 0;
}

// Collects the free season or flower tiles of `first` to `last`, each of
// which the table holds once, into `found`, at most `wanted` of them. With
// `stopAtMissing`, a face no longer on the table ends the collection.
int CollectFreeSingles(const GameTable& table, int first, int last, bool stopAtMissing, int* found, int wanted) {
    int count = 0;
    for (int face = first; face <= last && count < wanted; ++face) {
        if (CountFace(table, face) != 1) {
            if (stopAtMissing) break;
            continue;
        }
        const int p = PositionOfFace(table, face);
        if (p != 0 && IsFree(table, p)) found[count++] = p;
    }
    return count;
}

void MarkSureBet(GameTable& table, PaintRequests& paint) {
    for (const int p : table.sureBet) {
        TileRecord& tile = table.tiles[p];
        tile.state = kStateSureBet;
        tile.shown = 1;
        MarkLayersForRepaint(paint, tile.layer);
    }
}

}  // namespace

bool IsFree(const GameTable& table, int p) {
    const TileRecord& tile = table.tiles[p];
    return tile.present == 1 && tile.covered == 0 && !(tile.leftBlocked == 1 && tile.rightBlocked == 1);
}

int FindMove(GameTable& table) {
    if (table.firstSelection.made) return 0;
    for (int face = 1; face <= kLastPlainFace; ++face) {
        if (CountFace(table, face) < 2) continue;
        int found = 0;
        for (int p = 1; p <= kPositionCount && found < 2; ++p) {
            if (table.tiles[p].face == face && IsFree(table, p)) table.knownMove[found++] = p;
        }
        if (found == 2) return face;
    }
    if (CollectFreeSingles(table, kFirstSeason, kLastSeason, false, table.knownMove, 2) == 2) return kSeasonGroup;
    if (CollectFreeSingles(table, kFirstFlower, kLastFlower, false, table.knownMove, 2) == 2) return kFlowerGroup;
    return 0;
}

int FindSureBet(GameTable& table, PaintRequests& paint) {
    if (table.firstSelection.made) return 0;
    for (int face = 1; face <= kLastPlainFace; ++face) {
        if (CountFace(table, face) != 4) continue;
        int found = 0;
        for (int p = 1; p <= kPositionCount && found < 4; ++p) {
            if (table.tiles[p].face == face && IsFree(table, p)) table.sureBet[found++] = p;
        }
        if (found == 4) {
            MarkSureBet(table, paint);
            return face;
        }
    }
    if (CollectFreeSingles(table, kFirstSeason, kLastSeason, true, table.sureBet, 4) == 4) {
        MarkSureBet(table, paint);
        return kSeasonGroup;
    }
    if (CollectFreeSingles(table, kFirstFlower, kLastFlower, true, table.sureBet, 4) == 4) {
        MarkSureBet(table, paint);
        return kFlowerGroup;
    }
    return 0;
}

}  // namespace jadeleaf
