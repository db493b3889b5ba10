// The painting of the main window: the table picture built layer by layer,
// the erase and copy requests, the frame lines, the start-up screen, the
// information page heading and the side-window picture.
#pragma once

#include <QColor>
#include <QImage>
#include <functional>

#include "model/Game.h"
#include "render/InformationViews.h"
#include "render/SidePictureCache.h"
#include "render/TableGeometry.h"
#include "render/TileGraphics.h"

namespace jadeleaf {

inline constexpr QRgb kTableColour = 0x009900u;
inline constexpr QRgb kShadeColour = 0x336633u;
inline constexpr QRgb kFrameGreen = 0x00DA00u;
inline constexpr QRgb kLightFrameGreen = 0x03DA03u;
inline constexpr QRgb kLime = 0x00FF00u;

class TableView {
public:
    TableView(Game& game, GameWindow& window, TileGraphics& graphics, TableGeometry& geometry,
              InformationViews& views);

    // The client area's pixels at the table's own size, which the window shows
    // at its scale.
    QImage& WindowPicture() { return windowPicture_; }
    // The part `windowRect` of the client area as the window shows it, each
    // pixel of the window picture drawn at the geometry's scale.
    QImage ScaledWindowPicture(const QRect& windowRect) const;
    const QImage& TablePicture() const { return tablePicture_; }

    // Creates the table picture filled with the table colour.
    void CreateTablePicture(QColor tableColour, QColor shadeColour);
    // Follows the client area's size, keeping what it shows.
    void ResizeWindowPicture(int width, int height);

    // Serves the pending paint requests. A system paint (the window shown,
    // exposed or resized) also copies the table picture again.
    void FormPaint(bool systemPaint);
    void PaintSideWindow(const std::function<void()>& computeGeometry);
    // The player ticked the picture option or gave a path that opens: a
    // picture that does not load is reported again.
    void SidePictureChosen() { sidePictures_.ForgetReport(); }

    void Release();

private:
    void PaintTable();
    void PaintEmptyTable();
    void PaintStartupScreen();
    void PaintInformationPage();
    void PaintSidePicture();
    void PaintLayer(int layer);
    void DrawTileAt(int p);
    QRect SideWindowRect(int extra) const;

    Game& game_;
    GameWindow& window_;
    TileGraphics& graphics_;
    TableGeometry& geometry_;
    InformationViews& views_;
    QColor tableColour_;
    QColor shadeColour_;
    QImage windowPicture_;
    QImage tablePicture_;
    SidePictureCache sidePictures_;
    bool released_ = false;
};

}  // namespace jadeleaf
