// The game's moves: pair removal with its link release, the sure-bet hint,
// the move check with the no-move ending, and the automatic move step.
#include <cstdio>

#include "model/Game.h"
#include "model/MoveRules.h"
#include "model/TextLine.h"

namespace jadeleaf {

namespace {

// Clears the link of `neighbour` that points back to `p`; false when it has none.
bool ReleaseLinkTo(std::int32_t (&links)[2], Flag& blocked, int p) {
    for (std::int32_t& link : links) {
        if (link == p) {
            link = 0;
            blocked = 0;
            return true;
        }
    }
    return false;
}

}  // namespace

int Game::ReleaseLinks(int p) {
    const TileRecord& tile = table.tiles[p];
    int released = 0;
    for (const int b : tile.left) {
        if (b == 0) continue;
        TileRecord& neighbour = table.tiles[b];
        if (ReleaseLinkTo(neighbour.right, neighbour.rightBlocked, p)) {
            ++released;
        } else {
            ReportBrokenLink("Unable to find right neighbour of tile: %d", b);
        }
    }
    for (const int c : tile.right) {
        if (c == 0) continue;
        TileRecord& neighbour = table.tiles[c];
        if (ReleaseLinkTo(neighbour.left, neighbour.leftBlocked, p)) {
            ++released;
        } else {
            ReportBrokenLink("Unable to find left neighbour of tile: %d", c);
        }
    }
    for (const int d : tile.below) {
        if (d == 0) continue;
        TileRecord& under = table.tiles[d];
        if (under.covered == 1) {
            under.covered = 0;
            under.shown = 1;
            ++released;
        } else {
            ReportBrokenLink("Top indicator missing at tile %d", d);
        }
    }
    return released;
}

void Game::ReportBrokenLink(const char* pattern, int p) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, p);
    window_.ShowMessage(" Link Check", text, MessageIcon::Information, MessageButtons::Ok);
}

void Game::RemoveTile(int p) {
    TileRecord& tile = table.tiles[p];
    tile.state = kStateRemoved;
    tile.present = 0;
    --table.tilesLeft;
    tile.shown = 1;
    RecordRemoval(p);
    ReleaseLinks(p);
}

void Game::RecordRemoval(int p) {
    if (table.removedCount < kPositionCount) table.removalOrder[table.removedCount++] = p;
    table.redoCount = 0;
}

void Game::RemovePair(int a, int b) {
    paint.redrawAllTiles = 1;
    MarkLayersForRepaint(paint, 1);
    RemoveTile(a);
    RemoveTile(b);
    table.score += 2;
    ShowScore();
}

bool Game::SureBetStep() {
    if (table.sureBetFace == 0) {
        if (table.tilesLeft >= 4) table.sureBetFace = FindSureBet(table, paint);
        return table.sureBetFace != 0;
    }
    if (table.sureBetShown == 0) {
        window_.Paint();
        table.sureBetShown = 1;
        if (table.autoPlay == 0 && settings.infoDisplay == 1) {
            window_.SetMessageLine("Four tiles of the same type are free. See diagonal highlighting.");
            window_.SetTimerInterval(WindowTimer::Timer2, 3000);
            window_.SetTimerEnabled(WindowTimer::Timer2, true);
        }
        return true;
    }
    table.sureBetCount = 0;
    for (std::int32_t& p : table.sureBet) {
        if (p == 0) continue;
        if (table.tiles[p].present) {
            ++table.sureBetCount;
        } else {
            p = 0;
        }
    }
    if (table.sureBetCount > 0) return false;
    // All four are gone: the next pass looks for another sure bet.
    table.sureBetFace = 0;
    table.sureBetShown = 0;
    return true;
}

bool Game::CheckMoves() {
    if (table.stopRequested) return false;
    if (table.firstSelection.made && !table.autoPlay) return false;

    if (table.knownMoveFace == 0) {
        if (table.firstSelection.made || table.tilesLeft < 2) return false;
        table.knownMoveFace = FindMove(table);
        if (!table.gameRunning || table.knownMoveFace != 0 || table.firstSelection.made) {
            return table.knownMoveFace != 0;
        }
        AnnounceNoMoveLeft();
        table.gameRunning = 0;
        return true;
    }

    if (table.moveAnnounced == 0) {
        if (table.tilesLeft < kPositionCount && table.autoPlay == 0) {
            window_.SetStatusText(0, " At least one valid move exists.   ");
        }
        table.moveAnnounced = 1;
        return true;
    }

    table.knownMoveCount = 0;
    for (std::int32_t& p : table.knownMove) {
        if (p != 0 && table.tiles[p].present) {
            ++table.knownMoveCount;
        } else {
            p = 0;
        }
    }
    if (table.knownMoveCount < 2) {
        // A tile of the known pair is gone: the next pass searches again.
        table.knownMove[0] = table.knownMove[1] = 0;
        table.knownMoveCount = 0;
        table.knownMoveFace = 0;
        table.moveAnnounced = 0;
        return true;
    }
    if (!table.autoPlay) return false;
    const bool moved = AutoMoveStep();
    if (!window_.TimerEnabled(WindowTimer::Timer2)) {
        window_.SetMessageLine("Auto Play in action.  ( Use mouse button for an early break. )");
    }
    return moved;
}

void Game::AnnounceNoMoveLeft() {
    window_.SetStatusText(0, " No move left. Game finished.");
    if (table.stopRequested || table.autoPlay) return;
    window_.SetTimerEnabled(WindowTimer::Timer2, false);
    window_.SetMessageLine("");
    window_.SetVisible(WindowItem::Panel1, false);
    window_.ShowNoMoveDialog();
    window_.SetMessageLine("Jadeleaf result display.");
    window_.SetVisible(WindowItem::Panel1, true);
}

void Game::SelectForAutoPlay(TileSelection& selection, int p) {
    TileRecord& tile = table.tiles[p];
    selection.made = 1;
    selection.tile = p;
    selection.face = tile.face;
    selection.layer = tile.layer;
    tile.state = kStateSelected;
    tile.shown = 1;
    MarkLayersForRepaint(paint, tile.layer);
}

bool Game::AutoMoveStep() {
    if (!table.gameRunning || table.knownMoveFace == 0 || table.knownMoveCount < 2) return false;
    TileSelection& first = table.firstSelection;
    TileSelection& second = table.secondSelection;
    const int delay = shell.autoPlayDelay;
    if (first.made == 0) {
        SelectForAutoPlay(first, table.knownMove[0]);
        window_.SetStatusText(0, FormatText("Selections 1:  face %02d    2:  face    ", first.face));
        window_.Paint();
        window_.Pause(delay);
    } else if (second.made == 0) {
        SelectForAutoPlay(second, table.knownMove[1]);
        window_.SetStatusText(0, FormatText("Selections 1:  face %02d    2:  face %02d", first.face, second.face));
        window_.Paint();
        window_.Pause(2 * delay);
    } else {
        RemovePair(first.tile, second.tile);
        first.made = first.tile = first.face = 0;
        second.made = second.tile = second.face = 0;
        window_.Paint();
        window_.Pause(delay);
    }
    return true;
}

}  // namespace jadeleaf
