// Where the table, the tiles, the panels and the side window lie in the client area.
#pragma once

#include "model/PaintRequests.h"
#include "model/TableLayout.h"
#include "model/Settings.h"

namespace jadeleaf {


struct TableGeometry {
    int tileWidth = 0;
    int tileHeight = 0;
    int horizontalStep = 0;
    int verticalStep = 0;
    int frameInset = 0;
    int topMargin = 0;
    int sideMargin = 0;
    int tableWidth = 0;
    int tableHeight = 0;
    int sideX = 0;
    int layoutWidth = 0;
    int panelTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int tableAreaHeight = 0;
    int sideMaxWidth = 0;
    int sideMaxHeight = 0;
    int sideWidth = 0;
    int sideHeight = 0;
};

// The sizes that the geometry is computed from.
struct ClientMeasures {
    int clientWidth;
    int clientHeight;
    int statusBarHeight;
    int panel2Width;
    int viewButtonWidth;
};

// Where the message line, the score box and the information button go.
struct PanelPlacement {
    int panel1Left, panel1Top, panel1Width;
    int label1Left, label1Top, label1Width;
    int panel2Left, panel2Top;
    int viewButtonLeft, viewButtonTop;
};

// Recomputes the geometry; a changed client size asks for the whole window
// to be erased.
PanelPlacement ComputeGeometry(TableGeometry& geometry, const ClientMeasures& client, const Settings& settings,
                               PaintRequests& paint);

}  // namespace jadeleaf
