// The layer tables and BuildLayout.
#include "model/TableLayout.h"

namespace jadeleaf {

namespace {

constexpr LayerTable kLayer1 = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0},
    {0, 0, 0, 13, 14, 15, 16, 17, 18, 19, 20, 0, 0, 0},
    {0, 0, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 0, 0},
    {142, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 143},
    {142, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 143},
    {0, 0, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 0, 0},
    {0, 0, 0, 65, 66, 67, 68, 69, 70, 71, 72, 0, 0, 0},
    {0, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 0},
};

constexpr LayerTable kLayer2 = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 85, 86, 87, 88, 89, 90, 0, 0, 0, 0},
    {0, 0, 0, 0, 91, 92, 93, 94, 95, 96, 0, 0, 0, 0},
    {0, 0, 0, 0, 97, 98, 99, 100, 101, 102, 0, 0, 0, 0},
    {0, 0, 0, 0, 103, 104, 105, 106, 107, 108, 0, 0, 0, 0},
    {0, 0, 0, 0, 109, 110, 111, 112, 113, 114, 0, 0, 0, 0},
    {0, 0, 0, 0, 115, 116, 117, 118, 119, 120, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

constexpr LayerTable kLayer3 = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 121, 122, 123, 124, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 125, 126, 127, 128, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 129, 130, 131, 132, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 133, 134, 135, 136, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

constexpr LayerTable kLayer4 = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 137, 138, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 139, 140, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

constexpr int kX0 = kTableWidth - kSideMargin - kTileWidth;
constexpr int kEndTileY = kTopMargin + 3 * kVerticalStep + kTileHeight / 2;

int Cell(int layer, int row, int column) { return LayerTableOf(layer)[row - 1][column]; }

TileRecord& PlaceTile(GameTable& table, int p, int layer, int x, int y) {
    TileRecord& tile = table.tiles[p];
    tile.present = 1;
    tile.state = kStateNormal;
    tile.face = table.deal[p - 1];
    tile.layer = layer;
    tile.x = x;
    tile.y = y;
    tile.covered = 0;
    tile.shown = 1;
    return tile;
}

void PlaceGridTile(GameTable& table, int layer, int row, int column) {
    const int p = Cell(layer, row, column);
    table.GridCell(layer, column, row) = p;
    TileRecord& tile = PlaceTile(table, p, layer, kX0 - (14 - column) * kHorizontalStep + 4 * (layer - 1),
                                 kTopMargin + (row - 1) * kVerticalStep - 4 * (layer - 1));
    tile.leftBlocked = 1;
    tile.rightBlocked = 1;
    if (const int left = Cell(layer, row, column - 1); left == 0) {
        tile.leftBlocked = 0;
    } else {
        tile.left[0] = left;
    }
    if (const int right = Cell(layer, row, column + 1); right == 0) {
        tile.rightBlocked = 0;
    } else {
        tile.right[0] = right;
    }
    if (layer > 1) tile.below[0] = Cell(layer - 1, row, column);
    if (layer < kGridLayers && Cell(layer + 1, row, column) != 0) {
        tile.covered = 1;
        // Tiles of layers 1 and 2 under another tile are drawn only once the
        // start-of-game sweep reaches them.
        if (layer <= 2) tile.shown = 0;
    }
    if (layer == kGridLayers) tile.covered = 1;  // the top tile lies on all four
}

void PlaceLayer(GameTable& table, int layer) {
    for (int row = 1; row <= kGridRows; ++row) {
        for (int column = 12; column >= 1; --column) {
            if (Cell(layer, row, column) != 0) PlaceGridTile(table, layer, row, column);
        }
    }
}

}  // namespace

const LayerTable& LayerTableOf(int layer) {
    static constexpr const LayerTable* kTables[kGridLayers] = {&kLayer1, &kLayer2, &kLayer3, &kLayer4};
    return *kTables[layer - 1];
}

void BuildLayout(GameTable& table) {
    table.specialSlots[3] = kFarRightTile;
    TileRecord& farRight = PlaceTile(table, kFarRightTile, 1, kX0, kEndTileY);
    farRight.leftBlocked = 1;
    farRight.left[0] = kRightEndTile;
    farRight.rightBlocked = 0;

    table.specialSlots[2] = kRightEndTile;
    TileRecord& rightEnd = PlaceTile(table, kRightEndTile, 1, kX0 - kHorizontalStep, kEndTileY);
    rightEnd.leftBlocked = 1;
    rightEnd.left[0] = 42;
    rightEnd.left[1] = 54;
    rightEnd.rightBlocked = 1;
    rightEnd.right[0] = kFarRightTile;

    PlaceLayer(table, 1);

    table.specialSlots[0] = kLeftEndTile;
    TileRecord& leftEnd = PlaceTile(table, kLeftEndTile, 1, kX0 - 14 * kHorizontalStep, kEndTileY);
    leftEnd.leftBlocked = 0;
    leftEnd.rightBlocked = 1;
    leftEnd.right[0] = 31;
    leftEnd.right[1] = 43;

    PlaceLayer(table, 2);
    PlaceLayer(table, 3);
    PlaceLayer(table, 4);

    table.specialSlots[1] = kTopTile;
    TileRecord& top = PlaceTile(table, kTopTile, 5, kX0 - 8 * kHorizontalStep + kHorizontalStep / 2 + 16,
                                kTopMargin + 3 * kVerticalStep + kVerticalStep / 2 - 12);
    top.leftBlocked = 0;
    top.rightBlocked = 0;
    for (int i = 0; i < 4; ++i) top.below[i] = 137 + i;

    table.tableReady = 1;
}

}  // namespace jadeleaf
