// Play by mouse: a press selects a free tile or completes a pair, the
// release takes the pair off the table; a press also interrupts automatic
// play and leaves an information view; a right release tells a tile's
// neighbours.
#pragma once

#include <cstdint>

#include "model/Game.h"

namespace jadeleaf {

enum class MouseButton { Left, Right, Middle };

class MousePlay {
public:
    MousePlay(Game& game, GameWindow& window);

    void FormMouseDown(MouseButton button, int x, int y);
    void FormMouseUp(MouseButton button, int x, int y);

    // The present, uncovered tile under the client point, upper layers
    // first; 0 when there is none.
    int TileAtPoint(int x, int y) const;
    void RemoveSelectedPair();

    std::int32_t snapshotNumber = 1;

private:
    bool IsFreeSide(int p) const;
    void Say(std::string_view text);
    void MakeFirstSelection(int x, int y);
    void MakeSecondSelection(int x, int y);
    void Select(TileSelection& selection, int p);
    void GiveUpFirstSelection();
    void ShowNeighbours(int x, int y);
    void WriteSnapshot();

    Game& game_;
    GameWindow& window_;
};

}  // namespace jadeleaf
