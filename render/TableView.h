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
#include "render/WindowContents.h"

class QPainter;

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

    // The client area's pixels at the table's own size, drawn from what the
    // window shows.
    const QImage& WindowPicture();
    // The table picture at the table's own size.
    const QImage& TablePicture() const { return tablePicture_; }

    // Creates the table picture filled with the table colour.
    void CreateTablePicture(QColor tableColour, QColor shadeColour);
    // Follows the client area's size in table pixels, keeping what it shows.
    void ResizeWindowPicture(int width, int height);
    // The screen's device pixel ratio: the table picture is kept at the
    // screen's own resolution.
    void SetDevicePixelRatio(double ratio) { devicePixelRatio_ = ratio; }

    // Serves the pending paint requests. A system paint (the window shown,
    // exposed or resized) also copies the table picture again.
    void FormPaint(bool systemPaint);
    void PaintSideWindow(const std::function<void()>& computeGeometry);
    // The player ticked the picture option or gave a path that opens: a
    // picture that does not load is reported again.
    void SidePictureChosen() { sidePictures_.ForgetReport(); }
    // The part of the window that the paints since the last call changed, in
    // window pixels.
    QRect TakeChangedArea();
    // Draws the part `exposed` (window pixels) of the client area at the
    // geometry's scale and at the painter's device pixel ratio.
    void PaintClientArea(QPainter& painter, const QRect& exposed);

    void Release();

private:
    void PaintTable();
    void PaintEmptyTable();
    void PaintStartupScreen();
    void PaintInformationPage();
    void PaintSidePicture();
    void PaintLayer(int layer);
    void ForEachTileOfLayer(int layer, const std::function<void(int)>& draw) const;
    void DrawTileAt(int p);
    QRect SideWindowRect(int extra) const;
    QRect TableRect() const;

    // The table picture at the screen's resolution where that is not the
    // table's own: every drawing on the table picture is made on both.
    int DeviceScale() const;
    void FillTablePicture(QColor colour);
    QRect TableFrame() const;
    void FrameTablePicture(QColor colour);
    void FrameDevicePicture(QColor colour);
    QPoint DevicePoint(int x, int y) const;
    void UpdateDevicePicture();
    void DrawSteps(QPainter& painter, const QRect& exposed, int deviceScale);
    void DrawStep(QPainter& painter, const WindowContents::Step& step, const QRect& target, int deviceScale);

    Game& game_;
    GameWindow& window_;
    TileGraphics& graphics_;
    TableGeometry& geometry_;
    InformationViews& views_;
    QColor tableColour_;
    QColor shadeColour_;
    WindowContents contents_;
    QImage tablePicture_;
    QImage devicePicture_;
    int devicePictureScale_ = 0;
    QRgb tableFrameColour_ = 0;
    bool tilesOnTable_ = false;
    double devicePixelRatio_ = 1.0;
    // The start-up picture as last drawn at a scale, and that scale.
    QImage scaledStartup_;
    int scaledStartupScale_ = 0;
    // The client area drawn at the table's own size, when asked for, and the
    // contents' version it shows.
    QImage windowPicture_;
    unsigned windowPictureVersion_ = 0;
    SidePictureCache sidePictures_;
    bool released_ = false;
};

}  // namespace jadeleaf
