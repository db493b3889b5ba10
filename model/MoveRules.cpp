// The free rule, the move search and the sure-bet search.
#include "model/MoveRules.h"

namespace jadeleaf {

namespace {

// One scan of the table: how many tiles of each face are present, and which
// of them are free, in increasing position order. The searches below read it
// instead of scanning the table once per face.
struct FaceCensus {
    int present[kFaceCount + 1] = {};
    int freeCount[kFaceCount + 1] = {};
    int freeTiles[kFaceCount + 1][4] = {};

    explicit FaceCensus(const GameTable& table) {
        for (int p = 1; p <= kPositionCount; ++p) {
            const TileRecord& tile = table.tiles[p];
            if (tile.present != 1 || tile.face < 1 || tile.face > kFaceCount) continue;
            ++present[tile.face];
            if (!IsFree(table, p)) continue;
            int& n = freeCount[tile.face];
            if (n < 4) freeTiles[tile.face][n] = p;
            ++n;
        }
    }
};

// The free tiles of the season or flower faces `first` to `last`, each of
// which a deck holds once, into `found`, at most `wanted` of them. With
// `stopAtMissing`, a face no longer on the table ends the collection.
int CollectFreeSingles(const FaceCensus& census, int first, int last, bool stopAtMissing, int* found, int wanted) {
    int count = 0;
    for (int face = first; face <= last && count < wanted; ++face) {
        if (census.present[face] != 1) {
            if (stopAtMissing) break;
            continue;
        }
        if (census.freeCount[face] == 1) found[count++] = census.freeTiles[face][0];
    }
    return count;
}

int MarkSureBet(GameTable& table, PaintRequests& paint, const int (&tiles)[4], int result) {
    for (int i = 0; i < 4; ++i) {
        const int p = tiles[i];
        table.sureBet[i] = p;
        TileRecord& tile = table.tiles[p];
        tile.state = kStateSureBet;
        tile.shown = 1;
        MarkLayersForRepaint(paint, tile.layer);
    }
    return result;
}

}  // namespace

bool IsFree(const GameTable& table, int p) {
    const TileRecord& tile = table.tiles[p];
    return tile.present == 1 && tile.covered == 0 && !(tile.leftBlocked == 1 && tile.rightBlocked == 1);
}

int FindMove(GameTable& table) {
    if (table.firstSelection.made) return 0;
    const FaceCensus census(table);
    for (int face = 1; face <= kLastPlainFace; ++face) {
        if (census.present[face] >= 2 && census.freeCount[face] >= 2) {
            table.knownMove[0] = census.freeTiles[face][0];
            table.knownMove[1] = census.freeTiles[face][1];
            return face;
        }
    }
    int pair[2];
    if (CollectFreeSingles(census, kFirstSeason, kLastSeason, false, pair, 2) == 2 ||
        CollectFreeSingles(census, kFirstFlower, kLastFlower, false, pair, 2) == 2) {
        table.knownMove[0] = pair[0];
        table.knownMove[1] = pair[1];
        return table.tiles[pair[0]].face <= kLastSeason ? kSeasonGroup : kFlowerGroup;
    }
    return 0;
}

int FindSureBet(GameTable& table, PaintRequests& paint) {
    if (table.firstSelection.made) return 0;
    const FaceCensus census(table);
    for (int face = 1; face <= kLastPlainFace; ++face) {
        if (census.present[face] == 4 && census.freeCount[face] == 4) {
            return MarkSureBet(table, paint, census.freeTiles[face], face);
        }
    }
    int group[4];
    if (CollectFreeSingles(census, kFirstSeason, kLastSeason, true, group, 4) == 4) {
        return MarkSureBet(table, paint, group, kSeasonGroup);
    }
    if (CollectFreeSingles(census, kFirstFlower, kLastFlower, true, group, 4) == 4) {
        return MarkSureBet(table, paint, group, kFlowerGroup);
    }
    return 0;
}

}  // namespace jadeleaf
