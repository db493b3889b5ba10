// The table geometry.
#include "render/TableGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace jadeleaf {

namespace {

// Rounds towards minus infinity: a press left of or above the client area
// maps to a table pixel outside it too.
long long FloorDivide(long long numerator, long long denominator) {
    return numerator >= 0 ? numerator / denominator : -((-numerator + denominator - 1) / denominator);
}

constexpr std::array<int, 13> kZoomSteps = {50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};

}  // namespace

// The window pixel q has its centre at q + 1/2, which lies in table pixel
// floor((q + 1/2) * 100 / scale).
int TablePixel(int windowPixel, int scale) {
    return static_cast<int>(FloorDivide((2LL * windowPixel + 1) * 50, scale));
}

// The first window pixel q with TablePixel(q) >= tablePixel.
int WindowPixel(int tablePixel, int scale) { return static_cast<int>(FloorDivide(1LL * tablePixel * scale + 49, 100)); }

int TableLength(int windowLength, int scale) { return TablePixel(windowLength - 1, scale) + 1; }

QRect WindowRect(const QRect& tableRect, int scale) {
    const int left = WindowPixel(tableRect.left(), scale);
    const int top = WindowPixel(tableRect.top(), scale);
    return {left, top, WindowPixel(tableRect.left() + tableRect.width(), scale) - left,
            WindowPixel(tableRect.top() + tableRect.height(), scale) - top};
}

int DeviceScale(int scale, double devicePixelRatio) { return static_cast<int>(std::lround(scale * devicePixelRatio)); }

PanelPlacement ComputeGeometry(TableGeometry& g, const ClientMeasures& client, const Settings& settings,
                               PaintRequests& paint) {
    g.tileWidth = 37;
    g.tileHeight = 47;
    g.horizontalStep = 33;
    g.verticalStep = 43;
    g.frameInset = 4;
    g.topMargin = 16;
    g.sideMargin = 16;

    // The status bar is not part of the table: only the area above it scales.
    const int clientWidth = TableLength(client.clientWidth, g.scale);
    const int clientHeight =
        TableLength(client.clientHeight - client.statusBarHeight, g.scale) + client.statusBarHeight;
    if (clientWidth != g.clientWidth) {
        g.clientWidth = clientWidth;
        paint.eraseWindow = 1;
    }
    if (clientHeight != g.clientHeight) {
        g.clientHeight = clientHeight;
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

    // The panels keep their sizes: the message line and the score box stay
    // centred under the table, the information button in its top right corner.
    // Under a table drawn small the message line starts at the window's edge.
    const int tableLeft = WindowPixel(kTableLeft, g.scale);
    const int tableRight = WindowPixel(kTableLeft + g.tableWidth, g.scale);
    PanelPlacement place{};
    place.panel1Width = 396;
    place.panel1Top = WindowPixel(g.panelTop, g.scale);
    place.panel1Left =
        std::max((tableRight - tableLeft - place.panel1Width - client.panel2Width - 8) / 2 + tableLeft, 0);
    place.viewButtonTop = WindowPixel(g.topMargin + kTableTop, g.scale);
    place.viewButtonLeft = WindowPixel(g.tableWidth + kTableLeft - g.sideMargin, g.scale) - client.viewButtonWidth;
    place.label1Width = place.panel1Width - 16;
    place.label1Top = 8;
    place.label1Left = 8;
    place.panel2Top = place.panel1Top;
    place.panel2Left = place.panel1Left + place.panel1Width + 8;
    return place;
}

int FitScale(const ClientMeasures& client, int panelHeight, const Settings& settings) {
    TableGeometry table;
    PaintRequests unused{};
    ComputeGeometry(table, client, settings, unused);
    const int sideWidth = settings.sideWindowWidth > 0 ? settings.sideWindowWidth + table.frameInset : 0;
    const int width = table.layoutWidth + sideWidth;
    const int sideBottom =
        settings.sideWindowHeight > 0 ? kTableTop + settings.sideWindowHeight + table.frameInset : 0;
    const int areaHeight = client.clientHeight - client.statusBarHeight;
    const auto fits = [&](int scale) {
        return WindowPixel(width, scale) <= client.clientWidth &&
               WindowPixel(table.panelTop, scale) + panelHeight <= areaHeight &&
               WindowPixel(sideBottom, scale) <= areaHeight;
    };
    int scale = kLargestScale;
    while (scale > kSmallestScale && !fits(scale)) --scale;
    return scale;
}

int LargerScale(int scale) {
    const auto* next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), scale);
    return next != kZoomSteps.end() ? *next : kLargestScale;
}

int SmallerScale(int scale) {
    const auto* next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), scale);
    return next != kZoomSteps.begin() ? *(next - 1) : kSmallestScale;
}

}  // namespace jadeleaf
