// The mouse handlers of the table.
#include "play/MousePlay.h"

#include "model/TableLayout.h"
#include "model/TextLine.h"

namespace jadeleaf {

namespace {

// The hit rectangle is the grid step, not the whole picture: a tile's
// 4-pixel edge belongs to the tiles beside and below it.
TileRect HitRectangle(const TileRecord& tile) {
    const int left = tile.x + kTableLeft;
    const int top = tile.y + kTableTop;
    return {left, top, left + kHorizontalStep, top + kVerticalStep};
}

bool Contains(const TileRect& rect, int x, int y) {
    return rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
}

}  // namespace

MousePlay::MousePlay(Game& game, GameWindow& window) : game_(game), window_(window) {}

int MousePlay::TileAtPoint(int x, int y) const {
    for (int p = kPositionCount; p >= 1; --p) {
        const TileRecord& tile = game_.table.tiles[p];
        if (tile.present != 1 || tile.covered != 0) continue;
        if (Contains(HitRectangle(tile), x, y)) return p;
    }
    return 0;
}

bool MousePlay::IsFreeSide(int p) const {
    const TileRecord& tile = game_.table.tiles[p];
    return tile.leftBlocked == 0 || tile.rightBlocked == 0;
}

// A text for the player, shown only with the information display on; the
// timer then puts the standard hint back.
void MousePlay::Say(std::string_view text) {
    if (game_.settings.infoDisplay == 0) return;
    window_.SetMessageLine(text);
    window_.SetTimerEnabled(WindowTimer::Timer2, true);
}

void MousePlay::FormMouseDown(MouseButton button, int x, int y) {
    GameTable& table = game_.table;
    ShellState& shell = game_.shell;
    shell.clickSeen = 1;

    if (table.autoPlay) {
        table.stopRequested = 1;
        window_.SetTimerEnabled(WindowTimer::Timer2, false);
        window_.SetTimerInterval(WindowTimer::Timer2, 3000);
        window_.SetTimerEnabled(WindowTimer::Timer2, true);
        return;
    }

    if (shell.viewMode != kViewTable) {
        shell.viewMode = kViewTable;
        game_.paint.eraseTableArea = 1;
        if (table.tableReady) {
            window_.SetVisible(WindowItem::Panel1, true);
            window_.SetVisible(WindowItem::Label1, true);
            window_.SetVisible(WindowItem::Panel2, true);
            game_.paint.copyTablePicture = 1;
        }
        window_.PaintSideWindow();
        window_.Paint();
        return;
    }

    if (window_.TimerEnabled(WindowTimer::Timer2)) {
        // The message on display gives way to the standard hint at once.
        window_.SetTimerEnabled(WindowTimer::Timer2, false);
        window_.SetTimerInterval(WindowTimer::Timer2, 20);
        window_.SetTimerEnabled(WindowTimer::Timer2, true);
    }

    if (table.tableReady) {
        window_.SetVisible(WindowItem::Panel1, true);
        window_.SetVisible(WindowItem::Label1, true);
        window_.SetVisible(WindowItem::Panel2, true);
        game_.paint.copyTablePicture = 1;
        shell.autoPlayEnabled = 0;
    }

    window_.PaintSideWindow();
    window_.Paint();
    if (!table.tableReady) return;

    switch (button) {
    case MouseButton::Left:
        if (!table.firstSelection.made) {
            MakeFirstSelection(x, y);
        } else if (!table.secondSelection.made) {
            MakeSecondSelection(x, y);
        }
        break;
    case MouseButton::Right:
        // The right button completes a pair but never starts one.
        if (table.firstSelection.made && !table.secondSelection.made) MakeSecondSelection(x, y);
        break;
    case MouseButton::Middle:
        break;
    }
}

void MousePlay::Select(TileSelection& selection, int p) {
    TileRecord& tile = game_.table.tiles[p];
    selection.made = 1;
    selection.tile = p;
    selection.rect = HitRectangle(tile);
    selection.face = tile.face;
    tile.state = kStateSelected;
    tile.shown = 1;
    selection.layer = tile.layer;
    MarkLayersForRepaint(game_.paint, tile.layer);
    window_.Paint();
}

void MousePlay::MakeFirstSelection(int x, int y) {
    const int p = TileAtPoint(x, y);
    if (p == 0) return;
    if (!IsFreeSide(p)) {
        Say("The selected tile is not free. Try another.");
        return;
    }
    Select(game_.table.firstSelection, p);
    if (game_.settings.infoDisplay) window_.SetMessageLine("First selection made. Now, find a free match to that tile.");
}

void MousePlay::MakeSecondSelection(int x, int y) {
    GameTable& table = game_.table;
    const int p = TileAtPoint(x, y);
    const int f = table.firstSelection.tile;
    if (p == 0) return;
    if (!IsFreeSide(p)) {
        Say("The selected tile is not free. Try another.");
        return;
    }
    if (p == f) {
        TileRecord& tile = table.tiles[p];
        tile.state = kStateNormal;
        tile.shown = 1;
        table.firstSelection.layer = tile.layer;
        MarkLayersForRepaint(game_.paint, tile.layer);
        window_.Paint();
        table.firstSelection.made = table.firstSelection.tile = table.firstSelection.face = 0;
        Say("First selection discarded by selecting the same tile again.");
        return;
    }
    if (TilesMatch(table, f, p)) {
        Select(table.secondSelection, p);
        Say("Second selection made and tiles are a perfect match.");
        return;
    }
    // Without the information display a wrong second tile changes nothing:
    // the first stays selected.
    if (game_.settings.infoDisplay) {
        window_.SetMessageLine("Second selection made, but tiles do not match.");
        window_.SetTimerEnabled(WindowTimer::Timer2, true);
        GiveUpFirstSelection();
    }
}

void MousePlay::GiveUpFirstSelection() {
    GameTable& table = game_.table;
    TileRecord& first = table.tiles[table.firstSelection.tile];
    first.state = kStateNormal;
    first.shown = 1;
    MarkLayersForRepaint(game_.paint, first.layer);
    table.firstSelection.made = table.firstSelection.tile = table.firstSelection.face = 0;
    window_.Paint();
}

void MousePlay::FormMouseUp(MouseButton button, int x, int y) {
    GameTable& table = game_.table;
    if (table.autoPlay || !table.tableReady) {
        window_.SetCursor(WindowCursor::Arrow);
        return;
    }
    if (!table.firstSelection.made && button == MouseButton::Right) {
        ShowNeighbours(x, y);
        return;
    }
    if (table.firstSelection.made && table.secondSelection.made) {
        if (button == MouseButton::Left) {
            RemoveSelectedPair();
        } else if (button == MouseButton::Right) {
            WriteSnapshot();
            RemoveSelectedPair();
        }
    }
    window_.SetCursor(WindowCursor::Arrow);
}

void MousePlay::ShowNeighbours(int x, int y) {
    const int p = TileAtPoint(x, y);
    if (p == 0) {
        window_.SetCursor(WindowCursor::Arrow);
        return;
    }
    if (!game_.settings.infoDisplay) return;
    const TileRecord& tile = game_.table.tiles[p];
    window_.SetMessageLine(FormatText("Neighbours of tile %d:  On the left: %d, %d.  On the Right: %d, %d", p,
                                      tile.left[0], tile.left[1], tile.right[0], tile.right[1]));
    window_.SetTimerInterval(WindowTimer::Timer2, 6000);
    window_.SetTimerEnabled(WindowTimer::Timer2, true);
}

void MousePlay::WriteSnapshot() {
    if (snapshotNumber < 1 || snapshotNumber > 9) snapshotNumber = 1;
    window_.SaveTableSnapshot(snapshotNumber);
    ++snapshotNumber;
}

void MousePlay::RemoveSelectedPair() {
    GameTable& table = game_.table;
    const int a = table.firstSelection.tile;
    const int b = table.secondSelection.tile;
    game_.paint.redrawAllTiles = 1;
    MarkLayersForRepaint(game_.paint, 1);

    TileRecord& first = table.tiles[a];
    first.state = kStateRemoved;
    first.present = 0;
    --table.tilesLeft;
    first.shown = 1;
    game_.RecordRemoval(a);
    game_.ReleaseLinks(a);

    TileRecord& second = table.tiles[b];
    second.state = kStateRemoved;
    second.present = 0;
    --table.tilesLeft;
    window_.SetStatusText(0, FormatText("Number of tiles still present: %d", table.tilesLeft));
    second.shown = 1;
    game_.RecordRemoval(b);
    game_.ReleaseLinks(b);

    table.score += 2;
    window_.SetScoreText(FormatText(" %3d", table.score));
    table.firstSelection.made = 0;
    table.secondSelection.made = 0;
    window_.Paint();
}

}  // namespace jadeleaf
