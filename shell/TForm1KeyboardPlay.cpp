// Playing without the mouse: a cursor over the tiles moved by keys, and the
// tiles acted on through the mouse's own handlers.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <tuple>
#include <vector>

#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "shell/TForm1.h"
#include "ui_TForm1.h"

namespace jadeleaf {

namespace {

QPoint CentreOf(const TileRecord& tile) {
    return {tile.x + kTableLeft + kHorizontalStep / 2, tile.y + kTableTop + kVerticalStep / 2};
}

bool Visible(const TileRecord& tile) { return tile.present == 1 && tile.covered == 0; }

}  // namespace

// The table takes the keyboard's focus, which shows nothing until a key is
// used. F2 starts a new game without a mark in the menu, whose items keep
// their own texts.
void TForm1::SetUpKeyboardPlay() {
    ui_->ClientArea->setFocusPolicy(Qt::StrongFocus);
    // The table is the window's focus from the start, so that the first Tab
    // is the table's own even in a window that nothing has activated.
    ui_->ClientArea->setFocus();
    auto* newGame = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(newGame, &QShortcut::activated, this, [this] {
        if (ui_->GameMenu1->menuAction()->isEnabled() && ui_->NewGame1->isEnabled()) ui_->NewGame1->trigger();
    });
}

// The press lands on a point of the tile's grid step where a press finds that
// very tile, so every text, timer and check follows as for the mouse. A tile
// that no press can reach (a covered one) is left alone.
void TForm1::PressTile(int p) {
    if (p < 1 || p > kPositionCount) return;
    const TileRecord& tile = game_.table.tiles[p];
    const int left = tile.x + kTableLeft;
    const int top = tile.y + kTableTop;
    for (const QPoint at : {QPoint(left + kHorizontalStep / 2, top + kVerticalStep / 2), QPoint(left + 2, top + 2),
                            QPoint(left + kHorizontalStep - 3, top + 2), QPoint(left + 2, top + kVerticalStep - 3),
                            QPoint(left + kHorizontalStep - 3, top + kVerticalStep - 3)}) {
        if (mousePlay_.TileAtPoint(at.x(), at.y()) != p) continue;
        mousePlay_.FormMouseDown(MouseButton::Left, at.x(), at.y());
        mousePlay_.FormMouseUp(MouseButton::Left, at.x(), at.y());
        return;
    }
}

// A press on the table's corner, where no tile lies.
void TForm1::PressEmptyTable() {
    mousePlay_.FormMouseDown(MouseButton::Left, 0, 0);
    mousePlay_.FormMouseUp(MouseButton::Left, 0, 0);
}

bool TForm1::ClientAreaKeyPress(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const int cursor = tableAccessibility_->Cursor();
    // In an information view every key of the table acts as a press there does: back to the table.
    if (game_.shell.viewMode != kViewTable) {
        static constexpr int kTableKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab,
                                             Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
        if (std::find(std::begin(kTableKeys), std::end(kTableKeys), key.key()) == std::end(kTableKeys)) return false;
        PressEmptyTable();
        return true;
    }
    const bool onTable = game_.shell.viewMode == kViewTable && !game_.table.autoPlay && game_.table.tableReady;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int dx = key.key() == Qt::Key_Left ? -1 : key.key() == Qt::Key_Right ? 1 : 0;
        const int dy = key.key() == Qt::Key_Up ? -1 : key.key() == Qt::Key_Down ? 1 : 0;
        MoveKeyCursor(Visible(game_.table.tiles[cursor]) ? TileInDirection(cursor, dx, dy) : NextFreeTile(0, true));
        return true;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        MoveKeyCursor(NextFreeTile(cursor, key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier)));
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!onTable) {
            PressEmptyTable();
        } else if (cursor == 0 || !Visible(game_.table.tiles[cursor]) || !keyCursorShown_) {
            MoveKeyCursor(Visible(game_.table.tiles[cursor]) ? cursor : NextFreeTile(0, true));
        } else {
            PressTile(cursor);
        }
        return true;
    case Qt::Key_Escape:
        PressEmptyTable();
        return true;
    default:
        return false;
    }
}

// The Tab that brings the focus to the table from elsewhere in the window
// (or from nowhere, as in a window that no window manager has activated)
// is the table's own Tab too: it lands on a tile.
void TForm1::ClientAreaFocusIn(const QFocusEvent& focus) {
    const Qt::FocusReason reason = focus.reason();
    if (keyCursorShown_ || (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)) return;
    if (game_.shell.viewMode != kViewTable) return;
    MoveKeyCursor(NextFreeTile(tableAccessibility_->Cursor(), reason == Qt::TabFocusReason));
}

void TForm1::MoveKeyCursor(int p) {
    if (p == 0) return;
    keyCursorShown_ = true;
    tableAccessibility_->SetCursor(p);
    ui_->ClientArea->update();
}

void TForm1::HideKeyCursor() {
    if (!keyCursorShown_) return;
    keyCursorShown_ = false;
    ui_->ClientArea->update();
}

// The nearest tile a player sees in that direction, measured between the
// tiles' centres with a sideways step weighing three times a straight one.
int TForm1::TileInDirection(int from, int dx, int dy) const {
    const GameTable& table = game_.table;
    const QPoint start = CentreOf(table.tiles[from]);
    int best = 0;
    int bestScore = 0;
    for (int p = kPositionCount; p >= 1; --p) {
        const TileRecord& tile = table.tiles[p];
        if (p == from || !Visible(tile)) continue;
        const QPoint step = CentreOf(tile) - start;
        const int along = dx != 0 ? step.x() * dx : step.y() * dy;
        const int across = std::abs(dx != 0 ? step.y() : step.x());
        if (along < (dx != 0 ? kHorizontalStep : kVerticalStep) / 2) continue;
        const int score = along + 3 * across;
        if (best == 0 || score < bestScore || (score == bestScore && tile.layer > table.tiles[best].layer)) {
            best = p;
            bestScore = score;
        }
    }
    return best != 0 ? best : from;
}

// The free tiles in reading order, row by row, left to right; the next after
// `from` (or the first), wrapping round.
int TForm1::NextFreeTile(int from, bool forward) const {
    const GameTable& table = game_.table;
    std::vector<int> free;
    for (int p = 1; p <= kPositionCount; ++p) {
        if (table.tiles[p].present == 1 && IsFree(table, p)) free.push_back(p);
    }
    if (free.empty()) return 0;
    const auto place = [&table](int p) {
        const QPoint centre = CentreOf(table.tiles[p]);
        return std::make_tuple(centre.y() / kVerticalStep, centre.x(), -table.tiles[p].layer);
    };
    std::sort(free.begin(), free.end(), [&](int a, int b) { return place(a) < place(b); });
    if (!forward) std::reverse(free.begin(), free.end());
    const auto at = std::find(free.begin(), free.end(), from);
    if (at == free.end()) {
        if (from == 0 || !Visible(table.tiles[from])) return free.front();
        // From a blocked tile: the first free one after it in reading order.
        const auto after = std::find_if(free.begin(), free.end(), [&](int p) {
            return forward ? place(from) < place(p) : place(p) < place(from);
        });
        return after != free.end() ? *after : free.front();
    }
    return std::next(at) != free.end() ? *std::next(at) : free.front();
}

// A frame round the cursor's tile, in the highlight colour of the player's
// desktop and twice as wide as a line, over the picture of the table.
void TForm1::DrawKeyCursor(QPainter& painter) {
    const int p = tableAccessibility_->Cursor();
    if (!keyCursorShown_ || game_.shell.viewMode != kViewTable || p == 0 || !Visible(game_.table.tiles[p])) return;
    const TileRecord& tile = game_.table.tiles[p];
    const QRect frame = WindowRect(QRect(tile.x + kTableLeft - 2, tile.y + kTableTop - 2, kHorizontalStep + 8, kVerticalStep + 8),
                                   geometry_.scale);
    painter.setPen(QPen(QColor(Qt::yellow), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.setPen(QPen(QColor(Qt::black), 1));
    painter.drawRect(frame.adjusted(2, 2, -2, -2));
}

}  // namespace jadeleaf
