// The tile set, the per-position tile records and the one game state of the program.
#pragma once

#include <cstdint>

namespace jadeleaf {

using Flag = std::uint8_t;

inline constexpr int kPositionCount = 144;
inline constexpr int kFaceCount = 42;
inline constexpr int kLayerCount = 5;
inline constexpr int kGridLayers = 4;
inline constexpr int kGridColumns = 14;
inline constexpr int kGridRows = 8;

// Faces 1-9 circles, 10-18 bamboos, 19-27 characters, 28-31 winds,
// 32-34 dragons, 35-38 seasons, 39-42 flowers.
inline constexpr int kFirstSeason = 35;
inline constexpr int kLastSeason = 38;
inline constexpr int kFirstFlower = 39;
inline constexpr int kLastFlower = 42;
inline constexpr int kLastPlainFace = 34;

// What the move and sure-bet searches return for a pair or group of seasons
// and of flowers, since those tiles match across faces.
inline constexpr int kSeasonGroup = 39;
inline constexpr int kFlowerGroup = 43;

enum TileState : std::int32_t {
    kStateNone = 0,
    kStateNormal = 1,
    kStateSelected = 2,
    kStateSureBet = 3,
    kStateRemoved = 4,
};

struct TileRecord {
    Flag present;
    Flag covered;
    Flag leftBlocked;
    Flag rightBlocked;
    Flag shown;
    std::int32_t x;
    std::int32_t y;
    std::int32_t face;
    std::int32_t state;
    std::int32_t layer;
    std::int32_t left[2];
    std::int32_t right[2];
    std::int32_t below[4];
};

struct TileRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct TileSelection {
    std::int32_t made;
    std::int32_t layer;
    std::int32_t tile;
    std::int32_t face;
    TileRect rect;
};

// A time of day or a time span as a fraction of a day (1.0 = 24 hours).
using DayFraction = double;

struct GameTable {
    TileRecord tiles[kPositionCount + 1];  // record 0 is never used
    std::int32_t deal[kPositionCount];
    std::int32_t tilesLeft;
    std::int32_t score;
    Flag tableReady;
    Flag dealt;
    Flag gameRunning;
    Flag stopRequested;
    Flag autoPlay;
    Flag moveCheck;
    Flag welcomePending;
    std::int32_t shownSweep;
    DayFraction startTime;
    DayFraction nowTime;
    DayFraction elapsed;
    DayFraction finishTime;
    TileSelection firstSelection;
    TileSelection secondSelection;
    std::int32_t knownMove[2];
    std::int32_t knownMoveFace;
    std::int32_t knownMoveCount;
    Flag moveAnnounced;
    std::int32_t sureBet[4];
    std::int32_t sureBetFace;
    std::int32_t sureBetCount;
    Flag sureBetShown;
    // positionGrid[layer - 1][column][row - 1]: layers 1-4, columns 0-13, rows 1-8.
    std::int32_t positionGrid[kGridLayers][kGridColumns][kGridRows];
    std::int32_t specialSlots[4];
    // The positions in the order they left the table, two for each pair taken,
    // so that a game can be followed from its state alone.
    std::int32_t removalOrder[kPositionCount];
    std::int32_t removedCount;
    // Positions taken back by Undo that Redo can take again: they follow the
    // first removedCount entries of removalOrder, two for each pair.
    std::int32_t redoCount;

    // The grid cell of a layer (1-4), column (0-13) and row (1-8).
    std::int32_t& GridCell(int layer, int column, int row) { return positionGrid[layer - 1][column][row - 1]; }
    std::int32_t GridCell(int layer, int column, int row) const { return positionGrid[layer - 1][column][row - 1]; }
};

// The state at program start: everything zero but the two start values.
void ResetGameTable(GameTable& table);

// Resets the tile records and their removal order, the selections, searches and
// grid before a deal and after a game; counters, flags and times are left alone.
void ClearTable(GameTable& table);

int CountFace(const GameTable& table, int face);

bool FacesMatch(int faceA, int faceB);
bool TilesMatch(const GameTable& table, int a, int b);

}  // namespace jadeleaf
