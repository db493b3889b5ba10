// Undo and Redo: a pair taken back onto the table with every link it released, and taken again;
// and a deal chosen by its number.
#include <cstdint>

#include "model/Game.h"
#include "model/TableLayout.h"
#include "model/TextLine.h"

namespace jadeleaf {

namespace {

// The links of every position as the layout lays them out: they depend on
// the positions alone, not on the faces dealt onto them.
const GameTable& LaidOutLinks() {
    static const GameTable layout = [] {
        GameTable table;
        ResetGameTable(table);
        BuildLayout(table);
        return table;
    }();
    return layout;
}

// Puts the link to `p` back into the slot the layout gave it. Taking a
// neighbour frees a side at once, so a side is blocked again only once all
// of its laid-out neighbours are back.
void RelinkSide(std::int32_t (&links)[2], Flag& blocked, const std::int32_t (&laidLinks)[2], Flag laidBlocked,
                int p) {
    for (int i = 0; i < 2; ++i) {
        if (laidLinks[i] == p) links[i] = p;
    }
    blocked = laidBlocked && links[0] == laidLinks[0] && links[1] == laidLinks[1] ? 1 : 0;
}

}  // namespace

// Pairs go back in the reverse order they left, so each tile returns to the
// table exactly as its removal left it: the neighbours that were there then
// are there again, and those that left before it are still gone.
void Game::RestoreTile(int p) {
    const GameTable& layout = LaidOutLinks();
    const TileRecord& laid = layout.tiles[p];
    TileRecord& tile = table.tiles[p];
    tile.present = 1;
    tile.state = kStateNormal;
    tile.shown = 1;
    ++table.tilesLeft;
    for (const int b : laid.left) {
        if (b == 0 || !table.tiles[b].present) continue;
        TileRecord& neighbour = table.tiles[b];
        RelinkSide(neighbour.right, neighbour.rightBlocked, layout.tiles[b].right, layout.tiles[b].rightBlocked, p);
    }
    for (const int c : laid.right) {
        if (c == 0 || !table.tiles[c].present) continue;
        TileRecord& neighbour = table.tiles[c];
        RelinkSide(neighbour.left, neighbour.leftBlocked, layout.tiles[c].left, layout.tiles[c].leftBlocked, p);
    }
    for (const int d : laid.below) {
        if (d != 0) table.tiles[d].covered = 1;
    }
}

bool Game::AidsAllowed() const {
    return !shell.startupPending && shell.viewMode == kViewTable && table.tableReady && table.gameRunning &&
           !table.autoPlay && table.tilesLeft > 0;
}

bool Game::UndoAllowed() const { return AidsAllowed() && table.removedCount >= 2; }

bool Game::RedoAllowed() const { return AidsAllowed() && table.redoCount >= 2; }

// A selection in progress is given up, and the sure bet and the known move
// are searched again on the table as it is now.
void Game::DropSelectionsAndSearches() {
    for (TileSelection* selection : {&table.firstSelection, &table.secondSelection}) {
        if (selection->made && selection->tile > 0 && table.tiles[selection->tile].present) {
            table.tiles[selection->tile].state = kStateNormal;
        }
        selection->made = selection->tile = selection->face = 0;
    }
    for (std::int32_t& p : table.sureBet) {
        if (p != 0 && table.tiles[p].present) table.tiles[p].state = kStateNormal;
        p = 0;
    }
    table.sureBetFace = 0;
    table.sureBetCount = 0;
    table.sureBetShown = 0;
    table.knownMove[0] = table.knownMove[1] = 0;
    table.knownMoveFace = 0;
    table.knownMoveCount = 0;
    table.moveAnnounced = 0;
}

void Game::ShowTilesAndScore() {
    paint.redrawAllTiles = 1;
    MarkLayersForRepaint(paint, 1);
    window_.SetStatusText(0, FormatText("Number of tiles still present: %d", table.tilesLeft));
    ShowScore();
    window_.Paint();
}

void Game::SayAboutAid(std::string_view text) {
    if (settings.infoDisplay == 0) return;
    window_.SetMessageLine(text);
    window_.SetTimerEnabled(WindowTimer::Timer2, true);
}

void Game::Undo1Click() {
    if (!UndoAllowed()) return;
    DropSelectionsAndSearches();
    const int a = table.removalOrder[table.removedCount - 2];
    const int b = table.removalOrder[table.removedCount - 1];
    RestoreTile(b);
    RestoreTile(a);
    table.removedCount -= 2;
    table.redoCount += 2;
    table.score -= 2;
    ShowTilesAndScore();
    SayAboutAid("The last pair is back on the table.");
}

void Game::Redo1Click() {
    if (!RedoAllowed()) return;
    DropSelectionsAndSearches();
    const int redoLeft = table.redoCount - 2;
    const int a = table.removalOrder[table.removedCount];
    const int b = table.removalOrder[table.removedCount + 1];
    RemoveTile(a);
    RemoveTile(b);
    table.redoCount = redoLeft;
    table.score += 2;
    ShowTilesAndScore();
    SayAboutAid("The pair is taken off the table again.");
}

void Game::DealNumber1Click(std::uint32_t seed) {
    chosenSeed_ = seed;
    NewGame1Click();
    // Kept only until the deal: a game the player chose not to abandon takes it nowhere.
    chosenSeed_.reset();
}

}  // namespace jadeleaf
