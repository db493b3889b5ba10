// The Set of Tiles and the Dimensions pages.
#include "render/InformationViews.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <utility>

#include "framework/Drawing.h"
#include "model/TextLine.h"

namespace jadeleaf {

namespace {

constexpr QRgb kViewWhite = 0xFFFFFFu;
constexpr QRgb kViewLime = 0x00FF00u;

// One group of faces on the Set of Tiles page. Rows are 82 pixels apart
// (the caption 22 above its tiles, the next caption 60 below them); the
// dragons and the flowers share the row of the group before them, five
// tile steps further right.
struct SuitGroup {
    const char* caption;
    int firstFace;
    int lastFace;
    int row;
    int column;
};

constexpr SuitGroup kSuitGroups[] = {
    {"Circle suit", 1, 9, 0, 0},
    {"Bamboo suit", 10, 18, 1, 0},
    {"Character suit", 19, 27, 2, 0},
    {"Wind suit: E, S, W, N", 28, 31, 3, 0},
    {"Dragon suit", 32, 34, 3, 5},
    {"Seasons", 35, 38, 4, 0},
    {"Flowers", 39, 42, 4, 5},
};

constexpr int kFirstCaptionOffset = 56;
constexpr int kCaptionAboveTiles = 22;
constexpr int kRowPitch = 82;
constexpr int kLastRow = 4;

const char* WindowStatusText(WindowStatus status) {
    switch (status) {
    case WindowStatus::Normal:
        return "normal";
    case WindowStatus::Minimized:
        return "minimized";
    case WindowStatus::Maximized:
        return "maximized";
    case WindowStatus::Undefined:
        break;
    }
    return "undefined";
}

}  // namespace

InformationViews::InformationViews(Game& game, GameWindow& window, TileGraphics& graphics,
                                   const TableGeometry& geometry, std::function<WindowStatus()> windowStatus)
    : game_(game),
      window_(window),
      graphics_(graphics),
      geometry_(geometry),
      windowStatus_(std::move(windowStatus)),
      tableColour_(0x009900u) {}

void WritePageText(QPainter& painter, QPoint at, const QString& text, PageFont font, QColor background,
                   double factor) {
    const QFont face = PageFace(font, factor);
    painter.setFont(face);
    painter.setPen(QColor(font.colour));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(background);
    painter.drawText(at.x(), at.y() + QFontMetrics(face).ascent(), text);
}

void WritePageText(QImage& canvas, int x, int y, std::string_view text, PageFont font, QColor background) {
    QPainter painter(&canvas);
    WritePageText(painter, QPoint(x, y), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), font,
                  background, 1.0);
}

void InformationViews::WriteText(WindowContents& contents, int x, int y, std::string_view text, PageFont font) {
    contents.Text(QPoint(x, y), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), font,
                  tableColour_);
}

void InformationViews::WritePageHeading(WindowContents& contents, int x0, int y0) {
    WriteText(contents, x0, y0, FormatText("Velora-MahJong Information Page %d", game_.shell.viewMode).text,
              {10, kViewLime, true});
}

// With a game on the table the counts are live; otherwise they are those of
// a full deck.
int InformationViews::ShownCount(int face) const {
    if (game_.table.tableReady == 1) return CountFace(game_.table, face);
    return face <= kLastPlainFace ? 4 : 1;
}

void InformationViews::ShowSuit(WindowContents& contents, int x, int y, std::string_view caption, int firstFace,
                                int lastFace) {
    WriteText(contents, x, y, caption, {8, kViewLime});
    const int tileStep = geometry_.tileWidth + 23;
    const int tileTop = y + kCaptionAboveTiles;
    for (int face = firstFace; face <= lastFace; ++face, x += tileStep) {
        contents.Tile(QPoint(x, tileTop), WhiteLeftOut(graphics_.FetchTilePicture(face)), face);
        WriteText(contents, x + geometry_.tileWidth + 4, tileTop + geometry_.tileHeight - 16,
                  FormatText("%d", ShownCount(face)).text, {8, kViewWhite});
    }
}

void InformationViews::ShowTileSet(WindowContents& contents, int x0, int y0) {
    if (game_.shell.viewMode != kViewSetOfTiles) return;
    WriteText(contents, x0, y0 + 26, "Shows the various MahJong suits in detail.", {8, kViewWhite});
    const int tileStep = geometry_.tileWidth + 23;
    for (const SuitGroup& group : kSuitGroups) {
        ShowSuit(contents, x0 + group.column * tileStep, y0 + kFirstCaptionOffset + group.row * kRowPitch,
                 group.caption, group.firstFace, group.lastFace);
    }
    const int noteTop = y0 + kFirstCaptionOffset + kLastRow * kRowPitch + kCaptionAboveTiles + tileStep;
    WriteText(contents, x0, noteTop, "Note:", {8, kViewLime});
    WriteText(contents, x0 + 44, noteTop, "The numbers show how many tiles of each type are active.", {8, kViewWhite});
}

void InformationViews::ShowDimensions(WindowContents& contents, int x0, int y0) {
    const ShellState& shell = game_.shell;
    const TableGeometry& g = geometry_;
    if (shell.viewMode == kViewDimensions && game_.table.tableReady == 0) {
        const PageFont small{8, kViewWhite};
        const PageFont value{10, kViewWhite};
        const PageFont heading{10, kViewLime, true};
        WriteText(contents, x0, y0 + 26, "Display of window construction details.", small);
        WriteText(contents, x0, y0 + 70, "Dimensions", heading);
        WriteText(contents, x0 + 106, y0 + 70, "[ in number of pixels ]", {10, kViewLime});
        // Three blanks for three-digit screen widths, two for four, so that both end in one column.
        const char* screenFormat = shell.screenClass == 1 ? "Entire Screen:   %d x %d" : "Entire Screen:  %d x %d";
        WriteText(contents, x0, y0 + 109, FormatText(screenFormat, shell.screenWidth, shell.screenHeight).text, value);
        WriteText(contents, x0, y0 + 148, FormatText("Client Window:   %d x %d", g.clientWidth, g.clientHeight).text,
                  value);
        WriteText(contents, x0, y0 + 187, FormatText("MahJong Table:   %d x %d", g.sideX, g.tableAreaHeight).text,
                  value);
        WriteText(contents, x0, y0 + 213, FormatText("MahJong Deck:    %d x %d", g.tableWidth, g.tableHeight).text,
                  value);
        WriteText(contents, x0, y0 + 252,
                  FormatText("SideWindow Max:  %d x %d", g.sideMaxWidth, g.sideMaxHeight).text, value);
        WriteText(contents, x0, y0 + 278, FormatText("Actual SW Size:  %d x %d", g.sideWidth, g.sideHeight).text,
                  value);
        WriteText(contents, x0, y0 + 317, FormatText("MahJong Tile:     %d x  %d", g.tileWidth, g.tileHeight).text,
                  value);
        WriteText(contents, x0, y0 + 361, "Window Status", heading);
        WriteText(contents, x0, y0 + 400, WindowStatusText(windowStatus_ ? windowStatus_() : WindowStatus::Undefined),
                  value);
        WriteText(contents, x0, y0 + 439, "Note: Size and Screen Position of the main window will be", small);
        WriteText(contents, x0 + 48, y0 + 457, "remembered when leaving the Jadeleaf application.", small);
    }
    window_.SetStatusText(1, "");
    window_.SetStatusText(2, "");
}

}  // namespace jadeleaf
