// Where the table, the tiles, the panels and the side window lie in the client area.
#pragma once

#include <QRect>

#include "model/PaintRequests.h"
#include "model/TableLayout.h"
#include "model/Settings.h"

namespace jadeleaf {

// All sizes but the client measures and the panels are the table's own; the
// window shows each of its pixels `scale` percent large.
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
    int scale = kActualScale;
};

// A window pixel shows the table pixel whose area holds the window pixel's
// centre; a centre on a border belongs to the pixel after it. Every drawing of
// the table and every mouse position go through these two, so a press hits
// the pixel seen.
int TablePixel(int windowPixel, int scale);
// Where the table pixel `tablePixel` starts in the window: also the window
// length that `tablePixel` table pixels fill.
int WindowPixel(int tablePixel, int scale);
// The table length that covers `windowLength` window pixels.
int TableLength(int windowLength, int scale);
// A rectangle of table pixels as the window shows it at `scale` percent. At
// the scale times the screen's device pixel ratio, the same gives it in the
// screen's own pixels.
QRect WindowRect(const QRect& tableRect, int scale);
// The scale in the screen's own pixels.
int DeviceScale(int scale, double devicePixelRatio);

// The sizes that the geometry is computed from, in window pixels.
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

// Recomputes the geometry at `geometry.scale`; a changed client size asks for
// the whole window to be erased. The panels keep their sizes and follow the
// table's edge.
PanelPlacement ComputeGeometry(TableGeometry& geometry, const ClientMeasures& client, const Settings& settings,
                               PaintRequests& paint);

// The largest scale at which the table with its side window and the message
// line below it fit the client area; the smallest scale when none does.
int FitScale(const ClientMeasures& client, int panelHeight, const Settings& settings);

// The next scale of the zoom steps above or below `scale`, within the range.
int LargerScale(int scale);
int SmallerScale(int scale);

}  // namespace jadeleaf
