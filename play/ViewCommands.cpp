// The view commands.
#include "play/ViewCommands.h"

namespace jadeleaf {

ViewCommands::ViewCommands(Game& game, GameWindow& window) : game_(game), window_(window) {}

void ViewCommands::ViewBtn1Click() {
    ShellState& shell = game_.shell;
    PaintRequests& paint = game_.paint;
    if (shell.startupPending) return;
    if (shell.viewMode == kViewSetOfTiles) {
        shell.viewMode = kViewTable;
        paint.eraseTableArea = 1;
        ShowGamePanels(true);
        paint.copyTablePicture = 1;
    } else {
        ShowGamePanels(false);
        shell.viewMode = kViewSetOfTiles;
        paint.eraseTableArea = 1;
        paint.copyTablePicture = 0;
    }
    window_.PaintSideWindow();
    window_.Paint();
}

// The page's first paint hides the message line and the score box.
void ViewCommands::TileModeClick() {
    game_.shell.viewMode = kViewSetOfTiles;
    game_.paint.eraseTableArea = 1;
    window_.PaintSideWindow();
    window_.Paint();
}

// The side window is left as it is: the page outlines where it stands.
void ViewCommands::DimensionModeClick() {
    game_.shell.viewMode = kViewDimensions;
    game_.paint.eraseTableArea = 1;
    window_.Paint();
}

void ViewCommands::ShowGamePanels(bool visible) {
    if (visible) {
        window_.SetVisible(WindowItem::Panel1, true);
        window_.SetVisible(WindowItem::Label1, true);
        window_.SetVisible(WindowItem::Panel2, true);
    } else {
        window_.SetVisible(WindowItem::Panel2, false);
        window_.SetVisible(WindowItem::Label1, false);
        window_.SetVisible(WindowItem::Panel1, false);
    }
}

}  // namespace jadeleaf
