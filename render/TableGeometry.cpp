// The table geometry.
#include "render/TableGeometry.h"

namespace jadeleaf {

PanelPlacement ComputeGeometry(TableGeometry& g, const ClientMeasures& client, const Settings& settings,
                               PaintRequests& paint) {
    g.tileWidth = 37;
    g.tileHeight = 47;
    g.horizontalStep = 33;
    g.verticalStep = 43;
    g.frameInset = 4;
    g.topMargin = 16;
    g.sideMargin = 16;

    if (client.clientWidth != g.clientWidth) {
        g.clientWidth = client.clientWidth;
        paint.eraseWindow = 1;
    }
    if (client.clientHeight != g.clientHeight) {
        g.clientHeight = client.clientHeight;
        paint.eraseWindow = 1;
    }

    g.tableAreaHeight = g.clientHeight - client.statusBarHeight;
    g.tableHeight = 2 * g.topMargin + 8 * g.verticalStep + 4;
    g.panelTop = 2 * g.topMargin + 8 * g.verticalStep + 46;
    g.tableWidth = 2 * g.sideMargin + 15 * g.horizontalStep + 4;
    g.layoutWidth = 2 * g.sideMargin + 15 * g.horizontalStep + 48;
    g.sideX = g.layoutWidth;
    g.sideMaxWidth = g.clientWidth - g.frameInset - (2 * g.sideMargin + 15 * g.horizontalStep) - 48;
    g.sideMaxHeight = g.tableAreaHeight - g.frameInset - 21;
    g.sideWidth = settings.sideWindowWidth != 0 ? settings.sideWindowWidth : g.sideMaxWidth;
    g.sideHeight = settings.sideWindowHeight != 0 ? settings.sideWindowHeight : g.sideMaxHeight;

    PanelPlacement place{};
    place.panel1Width = 396;
    place.panel1Top = g.panelTop;
    place.panel1Left = (g.tableWidth - place.panel1Width - client.panel2Width - 8) / 2 + kTableLeft;
    place.viewButtonTop = g.topMargin + kTableTop;
    place.viewButtonLeft = g.tableWidth + kTableLeft - client.viewButtonWidth - g.sideMargin;
    place.label1Width = place.panel1Width - 16;
    place.label1Top = 8;
    place.label1Left = 8;
    place.panel2Top = place.panel1Top;
    place.panel2Left = place.panel1Left + place.panel1Width + 8;
    return place;
}

}  // namespace jadeleaf
