// The tile set, the deal, the layout and the rules and searches on a table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "model/Deck.h"
#include "model/GameTable.h"
#include "model/MoveRules.h"
#include "model/RandomSource.h"
#include "model/TableLayout.h"

namespace jadeleaf {
namespace {

// A table of the layout with chosen faces on chosen positions; every other
// position gets face 0, which no search looks for.
GameTable TableWithFaces(const std::vector<std::pair<int, int>>& faces) {
    GameTable table;
    ResetGameTable(table);
    for (const auto& [p, face] : faces) table.deal[p - 1] = face;
    BuildLayout(table);
    return table;
}

std::vector<int> FreePositions(const GameTable& table) {
    std::vector<int> free;
    for (int p = 1; p <= kPositionCount; ++p) {
        if (IsFree(table, p)) free.push_back(p);
    }
    return free;
}

void Remove(GameTable& table, int p) {
    // The link release without a window: only well-formed tables are used here.
    TileRecord& tile = table.tiles[p];
    tile.present = 0;
    tile.state = kStateRemoved;
    for (int b : tile.left) {
        if (b == 0) continue;
        for (int& link : table.tiles[b].right) {
            if (link == p) link = 0, table.tiles[b].rightBlocked = 0;
        }
    }
    for (int c : tile.right) {
        if (c == 0) continue;
        for (int& link : table.tiles[c].left) {
            if (link == p) link = 0, table.tiles[c].leftBlocked = 0;
        }
    }
    for (int d : tile.below) {
        if (d != 0) table.tiles[d].covered = 0;
    }
}

TEST(TileSet, MatchClasses) {
    EXPECT_TRUE(FacesMatch(1, 1));
    EXPECT_FALSE(FacesMatch(1, 2));
    EXPECT_TRUE(FacesMatch(35, 38));
    EXPECT_FALSE(FacesMatch(38, 39));
    EXPECT_TRUE(FacesMatch(39, 42));
    EXPECT_FALSE(FacesMatch(34, 35));
    // 36 classes of exactly four tiles each in a full deck.
    const GameTable table = DealtTable(7);
    std::set<int> classes;
    for (int a = 1; a <= kPositionCount; ++a) {
        int matches = 0;
        for (int b = 1; b <= kPositionCount; ++b) matches += TilesMatch(table, a, b) ? 1 : 0;
        EXPECT_EQ(matches, 4) << "position " << a;
        int face = table.tiles[a].face;
        classes.insert(face >= 39 ? 39 : face >= 35 ? 35 : face);
    }
    EXPECT_EQ(classes.size(), 36u);
}

TEST(TileSet, CountFaceAfterDealAndClear) {
    GameTable table = DealtTable(99);
    int total = 0;
    for (int face = 1; face <= kFaceCount; ++face) {
        EXPECT_EQ(CountFace(table, face), face <= 34 ? 4 : 1) << "face " << face;
        total += CountFace(table, face);
    }
    EXPECT_EQ(total, 144);

    // Record 0 is never counted, even with a face on it.
    table.tiles[0].present = 1;
    table.tiles[0].face = 5;
    EXPECT_EQ(CountFace(table, 5), 4);
    table.tiles[0] = {};

    table.tilesLeft = 144;
    table.score = 10;
    table.tableReady = 1;
    table.firstSelection = {.made = 1, .layer = 1, .tile = 7, .face = 5, .rect = {1, 2, 3, 4}};
    ClearTable(table);
    for (int face = 1; face <= kFaceCount; ++face) EXPECT_EQ(CountFace(table, face), 0);
    for (const TileRecord& tile : table.tiles) EXPECT_EQ(tile.present, 0);
    EXPECT_EQ(table.firstSelection.made, 0);
    EXPECT_EQ(table.firstSelection.tile, 7) << "only the made flag is cleared";
    EXPECT_EQ(table.tilesLeft, 144);
    EXPECT_EQ(table.score, 10);
    EXPECT_EQ(table.tableReady, 1);
    EXPECT_EQ(table.specialSlots[0], 0);
    EXPECT_EQ(table.GridCell(1, 12, 1), 0);
}

TEST(Deal, FixedSeedsGiveFixedDeals) {
    RandomSource random;
    random.Seed(12345);
    EXPECT_EQ(random.Next() % 144, 37);

    const std::vector<int> seed12345 = {2, 7, 22, 31, 29, 29, 18, 9, 21, 3};
    const std::vector<int> seed1 = {23, 23, 13, 32, 1, 29, 34, 6, 29, 5};
    const GameTable a = DealtTable(12345);
    const GameTable b = DealtTable(1);
    EXPECT_TRUE(std::equal(seed12345.begin(), seed12345.end(), a.deal));
    EXPECT_TRUE(std::equal(seed1.begin(), seed1.end(), b.deal));
    EXPECT_EQ(a.tiles[1].face, 2) << "position 1 receives the first face dealt";
    EXPECT_EQ(a.tilesLeft, 144);

    const GameTable again = DealtTable(12345);
    EXPECT_TRUE(std::equal(a.deal, a.deal + 144, again.deal));
}

TEST(Layout, CoordinatesOfTheFiveLayers) {
    const GameTable table = DealtTable(1);
    EXPECT_EQ(kTableWidth, 531);
    EXPECT_EQ(kTableHeight, 380);
    for (int column = 1; column <= 12; ++column) EXPECT_EQ(table.tiles[column].x, 16 + 33 * column);
    const int rowY[] = {16, 59, 102, 145, 188, 231, 274, 317};
    const int firstOfRow[] = {1, 13, 21, 31, 43, 55, 65, 73};
    for (int row = 0; row < 8; ++row) EXPECT_EQ(table.tiles[firstOfRow[row]].y, rowY[row]);
    auto at = [&](int p) { return std::make_pair(table.tiles[p].x, table.tiles[p].y); };
    EXPECT_EQ(at(142), std::make_pair(16, 168));
    EXPECT_EQ(at(143), std::make_pair(445, 168));
    EXPECT_EQ(at(144), std::make_pair(478, 168));
    EXPECT_EQ(at(141), std::make_pair(246, 154));
    EXPECT_EQ(at(137), std::make_pair(226, 133));
    EXPECT_EQ(at(85), std::make_pair(16 + 33 * 4 + 4, 59 - 4));
    EXPECT_EQ(at(121), std::make_pair(16 + 33 * 5 + 8, 102 - 8));
    EXPECT_EQ(table.tiles[141].layer, 5);
    EXPECT_EQ(table.tiles[142].layer, 1);
    EXPECT_EQ(table.tiles[120].layer, 2);
    EXPECT_EQ(table.tiles[136].layer, 3);
    EXPECT_EQ(table.tiles[140].layer, 4);
}

TEST(Layout, LinksAreSymmetricAndEndTilesJoinTheMiddleRows) {
    const GameTable table = DealtTable(3);
    int present = 0;
    for (int p = 1; p <= kPositionCount; ++p) {
        const TileRecord& tile = table.tiles[p];
        present += tile.present;
        EXPECT_EQ(tile.state, kStateNormal);
        EXPECT_EQ(tile.face, table.deal[p - 1]);
        EXPECT_EQ(tile.leftBlocked, tile.left[0] != 0 ? 1 : 0) << p;
        EXPECT_EQ(tile.rightBlocked, tile.right[0] != 0 ? 1 : 0) << p;
        for (int b : tile.right) {
            if (b != 0) {
                EXPECT_TRUE(table.tiles[b].left[0] == p || table.tiles[b].left[1] == p) << p << "->" << b;
            }
        }
        for (int b : tile.left) {
            if (b != 0) {
                EXPECT_TRUE(table.tiles[b].right[0] == p || table.tiles[b].right[1] == p) << p << "<-" << b;
            }
        }
        for (int d : tile.below) {
            if (d != 0) {
                EXPECT_EQ(table.tiles[d].layer, tile.layer - 1) << p;
            }
        }
    }
    EXPECT_EQ(present, 144);
    EXPECT_EQ(table.tiles[0].present, 0);
    EXPECT_EQ(table.tiles[0].face, 0);
    EXPECT_EQ(table.tiles[31].left[0], 142);
    EXPECT_EQ(table.tiles[43].left[0], 142);
    EXPECT_EQ(table.tiles[42].right[0], 143);
    EXPECT_EQ(table.tiles[54].right[0], 143);
    EXPECT_EQ(table.tiles[142].right[0], 31);
    EXPECT_EQ(table.tiles[142].right[1], 43);
    EXPECT_EQ(table.tiles[143].left[0], 42);
    EXPECT_EQ(table.tiles[143].left[1], 54);
    EXPECT_EQ(table.tiles[143].right[0], 144);
    EXPECT_EQ(table.tiles[144].left[0], 143);
    EXPECT_EQ(table.tiles[141].below[0], 137);
    EXPECT_EQ(table.tiles[141].below[3], 140);
    EXPECT_EQ(table.tiles[85].below[0], 14);
    EXPECT_EQ(table.tableReady, 1);
}

TEST(Layout, CoveredAndShownFlagsAndGrid) {
    const GameTable table = DealtTable(5);
    int coveredByLayer[6] = {};
    for (int p = 1; p <= kPositionCount; ++p) {
        const TileRecord& tile = table.tiles[p];
        if (tile.covered) ++coveredByLayer[tile.layer];
        const bool hiddenAtDeal = tile.covered && tile.layer <= 2;
        EXPECT_EQ(tile.shown, hiddenAtDeal ? 0 : 1) << p;
    }
    EXPECT_EQ(coveredByLayer[1], 36);
    EXPECT_EQ(coveredByLayer[2], 16);
    EXPECT_EQ(coveredByLayer[3], 4);
    EXPECT_EQ(coveredByLayer[4], 4);
    EXPECT_EQ(coveredByLayer[5], 0);
    // Layer-1 tiles under layer 2 are rows 2-7, columns 4-9.
    EXPECT_EQ(table.tiles[table.GridCell(1, 4, 2)].covered, 1);
    EXPECT_EQ(table.tiles[table.GridCell(1, 3, 2)].covered, 0);

    EXPECT_EQ(table.GridCell(1, 12, 1), 12);
    EXPECT_EQ(table.GridCell(4, 7, 5), 140);
    EXPECT_EQ(table.GridCell(2, 4, 2), 85);
    for (int layer = 1; layer <= 4; ++layer) {
        for (int row = 1; row <= 8; ++row) {
            EXPECT_EQ(table.GridCell(layer, 0, row), 0);
            EXPECT_EQ(table.GridCell(layer, 13, row), 0);
        }
    }
    EXPECT_EQ(table.specialSlots[0], 142);
    EXPECT_EQ(table.specialSlots[1], 141);
    EXPECT_EQ(table.specialSlots[2], 143);
    EXPECT_EQ(table.specialSlots[3], 144);

    GameTable rebuilt = table;
    ClearTable(rebuilt);
    BuildLayout(rebuilt);
    EXPECT_EQ(0, std::memcmp(rebuilt.tiles, table.tiles, sizeof table.tiles));
    EXPECT_EQ(0, std::memcmp(rebuilt.positionGrid, table.positionGrid, sizeof table.positionGrid));
}

TEST(FreeRule, FreshDealHas35FreeTiles) {
    const std::vector<int> expected = {1,   12,  13,  20,  21,  30,  55,  64,  65,  72,  73,  84,
                                       85,  90,  91,  96,  97,  102, 103, 108, 109, 114, 115, 120,
                                       121, 124, 125, 128, 129, 132, 133, 136, 141, 142, 144};
    EXPECT_EQ(FreePositions(DealtTable(12345)), expected);
}

TEST(FreeRule, EndTilesAndCoveredTiles) {
    GameTable table = DealtTable(12345);
    EXPECT_FALSE(IsFree(table, 143));
    Remove(table, 42);
    EXPECT_TRUE(IsFree(table, 143)) << "one released link frees the side";

    table = DealtTable(12345);
    Remove(table, 54);
    EXPECT_TRUE(IsFree(table, 143));

    table = DealtTable(12345);
    Remove(table, 144);
    EXPECT_TRUE(IsFree(table, 143));

    // A covered tile is never free, whatever its sides.
    table = DealtTable(12345);
    table.tiles[137].leftBlocked = 0;
    table.tiles[137].rightBlocked = 0;
    EXPECT_FALSE(IsFree(table, 137));
    Remove(table, 141);
    EXPECT_TRUE(IsFree(table, 137));
    EXPECT_FALSE(IsFree(table, 0));
}

TEST(MoveSearch, LowestFaceThenLowestPositions) {
    // Two free tiles of face 5 and two of face 3 (a third face-3 tile is not free).
    GameTable table = TableWithFaces({{1, 5}, {12, 5}, {84, 3}, {73, 3}, {3, 3}, {13, 3}});
    EXPECT_EQ(FindMove(table), 3);
    EXPECT_EQ(table.knownMove[0], 13);
    EXPECT_EQ(table.knownMove[1], 73);

    table.firstSelection.made = 1;
    EXPECT_EQ(FindMove(table), 0) << "no search while a selection is pending";

    // A face with only one free tile gives no move.
    table = TableWithFaces({{1, 7}, {2, 7}});
    EXPECT_EQ(FindMove(table), 0);
}

TEST(MoveSearch, SeasonsAndFlowersMatchAcrossFaces) {
    // Three free seasons and no other pair: the first two in face order.
    GameTable table = TableWithFaces({{30, 37}, {1, 36}, {144, 38}, {2, 35}});
    EXPECT_EQ(FindMove(table), kSeasonGroup);
    EXPECT_EQ(table.knownMove[0], 1) << "face 35 is not free; 36 comes before 37";
    EXPECT_EQ(table.knownMove[1], 30);

    table = TableWithFaces({{30, 39}, {1, 42}, {2, 40}});
    EXPECT_EQ(FindMove(table), kFlowerGroup);
    EXPECT_EQ(table.knownMove[0], 30);
    EXPECT_EQ(table.knownMove[1], 1);

    // A season and a flower never pair.
    table = TableWithFaces({{1, 38}, {12, 39}});
    EXPECT_EQ(FindMove(table), 0);
}

TEST(SureBet, WholeClassFreeAtOnce) {
    PaintRequests paint{};
    // Face 9 on four free tiles, one of them of layer 3.
    GameTable table = TableWithFaces({{1, 9}, {20, 9}, {142, 9}, {121, 9}});
    EXPECT_EQ(FindSureBet(table, paint), 9);
    EXPECT_EQ(std::vector<int>(table.sureBet, table.sureBet + 4), (std::vector<int>{1, 20, 121, 142}));
    EXPECT_EQ(table.tiles[121].state, kStateSureBet);
    EXPECT_EQ(paint.layerRepaint[3], 1);
    EXPECT_EQ(paint.layerRepaint[5], 1);

    // Three of four free is no sure bet.
    table = TableWithFaces({{1, 9}, {20, 9}, {142, 9}, {22, 9}});
    EXPECT_EQ(FindSureBet(table, paint), 0);

    // All four seasons free is one; three seasons left never are.
    table = TableWithFaces({{1, 35}, {12, 36}, {13, 37}, {20, 38}});
    EXPECT_EQ(FindSureBet(table, paint), kSeasonGroup);
    table = TableWithFaces({{1, 35}, {12, 36}, {13, 37}, {20, 38}});
    table.tiles[20].present = 0;
    EXPECT_EQ(FindSureBet(table, paint), 0);
}

}  // namespace
}  // namespace jadeleaf
