// Playing without the mouse: the tiles acted on through the mouse's own handlers.
#include "model/TableLayout.h"
#include "shell/TForm1.h"

namespace jadeleaf {

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

}  // namespace jadeleaf
