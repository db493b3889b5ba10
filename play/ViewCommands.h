// The information button and the View menu: switching the table area between
// the game table, the Set of Tiles page and the Dimensions page.
#pragma once

#include "model/Game.h"

namespace jadeleaf {

class ViewCommands {
public:
    ViewCommands(Game& game, GameWindow& window);

    // The button toggles between the table and the Set of Tiles, and leads
    // from the Dimensions to the Set of Tiles.
    void ViewBtn1Click();
    void TileModeClick();
    void DimensionModeClick();

private:
    void ShowGamePanels(bool visible);

    Game& game_;
    GameWindow& window_;
};

}  // namespace jadeleaf
