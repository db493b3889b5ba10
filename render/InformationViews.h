// The two information pages drawn in place of the table: the set of tiles
// with the count of each face still on the table, and the window's dimensions.
#pragma once

#include <QColor>
#include <QImage>
#include <functional>
#include <string_view>

#include "model/Game.h"
#include "render/TableGeometry.h"
#include "render/TileGraphics.h"
#include "render/WindowContents.h"

class QPainter;

namespace jadeleaf {

// Writes `text` with the top-left corner of its line at (x, y).
void WritePageText(QImage& canvas, int x, int y, std::string_view text, PageFont font, QColor background);
// The same at `at` in the painter's pixels, with the font `factor` times its size.
void WritePageText(QPainter& painter, QPoint at, const QString& text, PageFont font, QColor background,
                   double factor);

// The main window's state as the Dimensions page names it.
enum class WindowStatus { Normal, Minimized, Maximized, Undefined };

class InformationViews {
public:
    InformationViews(Game& game, GameWindow& window, TileGraphics& graphics, const TableGeometry& geometry,
                     std::function<WindowStatus()> windowStatus);

    // Every text stands on this colour, as the canvas's solid brush leaves it.
    void SetTableColour(QColor colour) { tableColour_ = colour; }

    // "Velora-MahJong Information Page %d" at (x0, y0).
    void WritePageHeading(WindowContents& contents, int x0, int y0);
    void ShowTileSet(WindowContents& contents, int x0, int y0);
    void ShowDimensions(WindowContents& contents, int x0, int y0);

private:
    void WriteText(WindowContents& contents, int x, int y, std::string_view text, PageFont font);
    void ShowSuit(WindowContents& contents, int x, int y, std::string_view caption, int firstFace, int lastFace);
    int ShownCount(int face) const;

    Game& game_;
    GameWindow& window_;
    TileGraphics& graphics_;
    const TableGeometry& geometry_;
    std::function<WindowStatus()> windowStatus_;
    QColor tableColour_;
};

}  // namespace jadeleaf
