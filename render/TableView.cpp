// Painting the table and the side window.
#include "render/TableView.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "framework/Drawing.h"
#include "model/TableLayout.h"
#include "model/TextLine.h"

namespace jadeleaf {

namespace {

// The four 1-pixel sides of `rect`, as FrameRectangle draws them.
std::array<QRect, 4> FrameSides(const QRect& rect) {
    return {QRect(rect.left(), rect.top(), rect.width(), 1), QRect(rect.left(), rect.bottom(), rect.width(), 1),
            QRect(rect.left(), rect.top(), 1, rect.height()), QRect(rect.right(), rect.top(), 1, rect.height())};
}

}  // namespace

TableView::TableView(Game& game, GameWindow& window, TileGraphics& graphics, TableGeometry& geometry,
                     InformationViews& views)
    : game_(game), window_(window), graphics_(graphics), geometry_(geometry), views_(views) {}

void TableView::CreateTablePicture(QColor tableColour, QColor shadeColour) {
    tableColour_ = tableColour;
    shadeColour_ = shadeColour;
    views_.SetTableColour(tableColour);
    tablePicture_ = QImage(geometry_.tableWidth, geometry_.tableHeight, QImage::Format_RGB32);
    tablePicture_.fill(tableColour_);
    devicePictureScale_ = 0;
    tableFrameColour_ = 0;
    tilesOnTable_ = false;
}

void TableView::ResizeWindowPicture(int width, int height) {
    if (width <= 0 || height <= 0) return;
    contents_.Resize(QSize(width, height), tableColour_);
}

QRect TableView::TableRect() const { return QRect(kTableLeft, kTableTop, geometry_.tableWidth, geometry_.tableHeight); }

int TableView::DeviceScale() const { return jadeleaf::DeviceScale(geometry_.scale, devicePixelRatio_); }

// Where the table pixel (x, y) of the table picture starts in the table
// picture at the screen's resolution: the same window pixels as the
// client area's own mapping gives.
QPoint TableView::DevicePoint(int x, int y) const {
    const int scale = DeviceScale();
    return {WindowPixel(kTableLeft + x, scale) - WindowPixel(kTableLeft, scale),
            WindowPixel(kTableTop + y, scale) - WindowPixel(kTableTop, scale)};
}

void TableView::FillTablePicture(QColor colour) {
    tablePicture_.fill(colour);
    tilesOnTable_ = false;
    if (!devicePicture_.isNull()) devicePicture_.fill(colour);
}

QRect TableView::TableFrame() const { return EdgeRect(2, 2, geometry_.tableWidth - 2, geometry_.tableHeight - 2); }

void TableView::FrameTablePicture(QColor colour) {
    FrameRectangle(tablePicture_, TableFrame(), colour);
    tableFrameColour_ = colour.rgb();
    FrameDevicePicture(colour);
}

void TableView::FrameDevicePicture(QColor colour) {
    if (devicePicture_.isNull()) return;
    QPainter painter(&devicePicture_);
    for (const QRect& side : FrameSides(TableFrame())) {
        const QPoint from = DevicePoint(side.left(), side.top());
        painter.fillRect(QRect(from, DevicePoint(side.right() + 1, side.bottom() + 1) - QPoint(1, 1)), colour);
    }
}

// A new scale or screen draws the table picture anew at the new resolution:
// the background, the frame and the tiles on the table.
void TableView::UpdateDevicePicture() {
    const int scale = DeviceScale();
    if (scale == kActualScale || released_) {
        devicePicture_ = QImage();
        devicePictureScale_ = 0;
        return;
    }
    if (scale == devicePictureScale_) return;
    devicePictureScale_ = scale;
    const QPoint size = DevicePoint(geometry_.tableWidth, geometry_.tableHeight);
    devicePicture_ = QImage(size.x(), size.y(), QImage::Format_RGB32);
    devicePicture_.fill(tablePicture_.isNull() ? tableColour_.rgb() : tablePicture_.pixel(0, 0));
    if (tableFrameColour_ != 0) FrameDevicePicture(QColor(tableFrameColour_));
    if (!tilesOnTable_) return;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        ForEachTileOfLayer(layer, [&](int p) {
            const TileRecord& tile = game_.table.tiles[p];
            if (tile.present) {
                graphics_.DrawTileScaled(devicePicture_, DevicePoint(tile.x, tile.y), tile.face, tile.state, scale,
                                         window_);
            }
        });
    }
}

void TableView::FormPaint(bool systemPaint) {
    if (released_) return;
    UpdateDevicePicture();
    ShellState& shell = game_.shell;
    PaintRequests& paint = game_.paint;
    if (systemPaint && !shell.startupPending) {
        paint.sidePictureDrawn = 0;
        if (game_.table.tableReady == 1 && shell.viewMode == kViewTable) paint.copyTablePicture = 1;
    }
    if (game_.table.tableReady == 1) {
        PaintTable();
    } else {
        PaintEmptyTable();
    }
    if (shell.startupPending && graphics_.library.Loaded()) PaintStartupScreen();
    if (!shell.startupPending && shell.viewMode != kViewTable) PaintInformationPage();
    PaintSidePicture();
}

void TableView::PaintTable() {
    PaintRequests& paint = game_.paint;
    if (paint.redrawAllTiles) {
        FillTablePicture(shadeColour_);
        paint.copyTablePicture = 1;
        paint.redrawAllTiles = 0;
    }
    FrameTablePicture(QColor(kFrameGreen));
    for (int layer = 1; layer <= kLayerCount; ++layer) PaintLayer(layer);
    if (paint.eraseWindow) {
        contents_.Fill(EdgeRect(0, 0, geometry_.clientWidth, geometry_.clientHeight), tableColour_);
        paint.eraseWindow = 0;
    }
    if (paint.eraseTableArea) {
        contents_.Fill(EdgeRect(0, 0, geometry_.sideX, geometry_.tableAreaHeight), tableColour_);
        paint.eraseTableArea = 0;
    }
    if (paint.copyTablePicture) {
        contents_.Table(TableRect());
        paint.copyTablePicture = 0;
    }
}

// With no game on the table only one erase is served per paint; the frame
// line of the table area follows an erase.
void TableView::PaintEmptyTable() {
    PaintRequests& paint = game_.paint;
    bool erased = false;
    if (paint.eraseWindow) {
        contents_.Fill(EdgeRect(0, 0, geometry_.clientWidth, geometry_.clientHeight), tableColour_);
        paint.eraseWindow = 0;
        erased = true;
    } else if (paint.eraseTableArea) {
        contents_.Fill(EdgeRect(0, 0, geometry_.sideX, geometry_.tableAreaHeight), tableColour_);
        paint.eraseTableArea = 0;
        erased = true;
    }
    if (erased && !game_.shell.startupPending && game_.shell.viewMode == kViewTable) {
        const int inset = geometry_.frameInset;
        contents_.Frame(EdgeRect(inset, inset, geometry_.sideX - inset, geometry_.tableAreaHeight - inset),
                        QColor(kLightFrameGreen));
    }
}

void TableView::PaintStartupScreen() {
    FillTablePicture(shadeColour_);
    FrameTablePicture(QColor(kLightFrameGreen));
    contents_.Table(TableRect());
    const QImage startupPicture = graphics_.StartupPicture();
    if (startupPicture.isNull()) {
        window_.ShowMessage(" Picture Load Cycle", "Error condition reported: Startup Bitmap.", MessageIcon::Error,
                            MessageButtons::Ok);
        graphics_.graphicsFailed = true;
        return;
    }
    const QPoint at((geometry_.tableWidth - startupPicture.width()) / 2 + kTableLeft,
                    (geometry_.tableHeight - startupPicture.height()) / 2 + kTableTop);
    contents_.Picture(QRect(at, startupPicture.size()), startupPicture, 44);
}

void TableView::PaintInformationPage() {
    window_.SetVisible(WindowItem::Panel2, false);
    window_.SetVisible(WindowItem::Label1, false);
    window_.SetVisible(WindowItem::Panel1, false);
    const int x0 = geometry_.sideMargin + 8;
    const int y0 = geometry_.topMargin;
    views_.WritePageHeading(contents_, x0, y0);
    if (game_.shell.viewMode == kViewSetOfTiles) views_.ShowTileSet(contents_, x0, y0);
    if (game_.shell.viewMode == kViewDimensions) {
        if (geometry_.sideWidth > 0 && geometry_.sideHeight > 0) {
            const QRect side = SideWindowRect(0);
            contents_.Fill(side, tableColour_);
            contents_.Frame(side, QColor(kLightFrameGreen));
        }
        views_.ShowDimensions(contents_, x0, y0);
    }
}

// A path or a file changed since the side window last read it shows at this
// paint. A file that no longer loads leaves the table colour; the side
// window's next arrangement reports it.
void TableView::PaintSidePicture() {
    PaintRequests& paint = game_.paint;
    if (game_.shell.viewMode == kViewDimensions || paint.sidePictureDeferred || game_.settings.showPicture != 1 ||
        !game_.shell.bitmapPathValid || paint.sidePictureDrawn || !sidePictures_.HasPicture()) {
        return;
    }
    const QImage& picture = sidePictures_.Load(game_.settings.bitmapPath);
    if (picture.isNull()) {
        contents_.Fill(SideWindowRect(geometry_.frameInset), tableColour_);
        return;
    }
    contents_.Stretch(SideWindowRect(0), picture);
    paint.sidePictureDrawn = 1;
}

void TableView::ForEachTileOfLayer(int layer, const std::function<void(int)>& draw) const {
    const GameTable& table = game_.table;
    switch (layer) {
    case 1:
        draw(table.specialSlots[3]);
        draw(table.specialSlots[2]);
        for (int column = 12; column >= 1; --column) {
            for (int row = 1; row <= 8; ++row) {
                const int p = table.GridCell(1, column, row);
                if (table.tiles[p].shown) draw(p);
            }
        }
        draw(table.specialSlots[0]);
        break;
    case 2:
        for (int column = 9; column >= 4; --column) {
            for (int row = 2; row <= 7; ++row) {
                const int p = table.GridCell(2, column, row);
                if (table.tiles[p].shown) draw(p);
            }
        }
        break;
    case 3:
        for (int column = 8; column >= 5; --column) {
            for (int row = 3; row <= 6; ++row) draw(table.GridCell(3, column, row));
        }
        break;
    case 4:
        for (int column = 7; column >= 6; --column) {
            for (int row = 4; row <= 5; ++row) draw(table.GridCell(4, column, row));
        }
        break;
    default:
        draw(table.specialSlots[1]);
        break;
    }
}

void TableView::PaintLayer(int layer) {
    PaintRequests& paint = game_.paint;
    if (!paint.layerRepaint[layer]) return;
    ForEachTileOfLayer(layer, [this](int p) { DrawTileAt(p); });
    paint.layerRepaint[layer] = 0;
}

// Position 0 (an empty cell) is never present, so it is skipped here too.
void TableView::DrawTileAt(int p) {
    const TileRecord& tile = game_.table.tiles[p];
    if (!tile.present) return;
    graphics_.DrawTile(tablePicture_, tile.x, tile.y, tile.face, tile.state, window_);
    if (!devicePicture_.isNull()) {
        graphics_.DrawTileScaled(devicePicture_, DevicePoint(tile.x, tile.y), tile.face, tile.state, DeviceScale(),
                                 window_);
    }
    tilesOnTable_ = true;
    game_.paint.copyTablePicture = 1;
}

QRect TableView::SideWindowRect(int extra) const {
    return EdgeRect(geometry_.sideX, kTableTop, geometry_.sideX + geometry_.sideWidth + extra,
                    kTableTop + geometry_.sideHeight + extra);
}

void TableView::PaintSideWindow(const std::function<void()>& computeGeometry) {
    if (released_) return;
    Settings& settings = game_.settings;
    PaintRequests& paint = game_.paint;
    const int inset = geometry_.frameInset;
    if (settings.showPicture == 1 && !game_.shell.bitmapPathValid) {
        // The file has not passed the preferences dialog's check in this run.
        settings.showPicture = 0;
    }
    if (settings.showPicture == 0) {
        sidePictures_.ForgetReport();
        contents_.Fill(SideWindowRect(inset), tableColour_);
        return;
    }
    if (sidePictures_.Load(settings.bitmapPath).isNull()) {
        // The side window keeps its background and play goes on. The box is
        // modal: shown on every repaint it would swallow every press, so it
        // comes once for the file as it is, and is marked shown before it
        // opens, for the paints that its own event loop serves.
        contents_.Fill(SideWindowRect(inset), tableColour_);
        if (sidePictures_.TakeUnreportedFailure()) {
            window_.ShowMessage(" Load Error", "Unable to load side-window Bitmap.\n" + sidePictures_.Failure(),
                                MessageIcon::Error, MessageButtons::Ok);
        }
        return;
    }
    if ((game_.shell.optionsChanged || game_.shell.resizePending) && paint.sidePictureDrawn) {
        contents_.Fill(SideWindowRect(inset), tableColour_);
        computeGeometry();
        contents_.Fill(SideWindowRect(inset), tableColour_);
    }
    if (!game_.shell.startupPending) {
        paint.sidePictureDeferred = 1;
        window_.SetTimerEnabled(WindowTimer::Timer3, true);
    }
}

QRect TableView::TakeChangedArea() {
    const QRect changed = contents_.TakeChanged();
    return changed.isEmpty() ? changed : WindowRect(changed, geometry_.scale);
}

const QImage& TableView::WindowPicture() {
    if (windowPictureVersion_ == contents_.Version() && !windowPicture_.isNull()) return windowPicture_;
    windowPictureVersion_ = contents_.Version();
    windowPicture_ = QImage(contents_.Size(), QImage::Format_RGB32);
    windowPicture_.fill(tableColour_);
    QPainter painter(&windowPicture_);
    DrawSteps(painter, windowPicture_.rect(), kActualScale);
    return windowPicture_;
}

void TableView::PaintClientArea(QPainter& painter, const QRect& exposed) {
    const double ratio = painter.device()->devicePixelRatioF();
    if (ratio != devicePixelRatio_) {
        devicePixelRatio_ = ratio;
        UpdateDevicePicture();
    }
    const int scale = DeviceScale();
    if (scale == kActualScale && ratio == 1.0) {
        DrawSteps(painter, exposed, scale);
        return;
    }
    // Drawn in the screen's own pixels.
    painter.save();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const QRect area(QPoint(static_cast<int>(std::floor(exposed.left() * ratio)),
                            static_cast<int>(std::floor(exposed.top() * ratio))),
                     QPoint(static_cast<int>(std::ceil((exposed.right() + 1) * ratio)) - 1,
                            static_cast<int>(std::ceil((exposed.bottom() + 1) * ratio)) - 1));
    DrawSteps(painter, area, scale);
    painter.restore();
}

// Every step in its order, each in the painter's pixels at `deviceScale`; at
// 100% each is drawn exactly as on the table's own pixels.
void TableView::DrawSteps(QPainter& painter, const QRect& exposed, int deviceScale) {
    const bool actual = deviceScale == kActualScale;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !actual);
    const auto targetOf = [&](const WindowContents::Step& step) {
        return actual ? step.rect : WindowRect(step.rect, deviceScale);
    };
    // What the last step to cover the whole of `exposed` hides is not drawn.
    using Kind = WindowContents::Kind;
    const std::vector<WindowContents::Step>& steps = contents_.Steps();
    const auto covering = std::find_if(steps.rbegin(), steps.rend(), [&](const WindowContents::Step& step) {
        return (step.kind == Kind::Fill || step.kind == Kind::Table) && targetOf(step).contains(exposed);
    });
    if (covering == steps.rend()) painter.fillRect(exposed, tableColour_);
    const auto first = covering == steps.rend() ? steps.begin() : std::prev(covering.base());
    for (auto step = first; step != steps.end(); ++step) {
        const QRect target = targetOf(*step);
        if (!target.intersects(exposed)) continue;
        DrawStep(painter, *step, target, deviceScale);
    }
}

void TableView::DrawStep(QPainter& painter, const WindowContents::Step& step, const QRect& target, int deviceScale) {
    const bool actual = deviceScale == kActualScale;
    const double factor = deviceScale / 100.0;
    switch (step.kind) {
    case WindowContents::Kind::Fill:
        painter.fillRect(target, QColor(step.colour));
        break;
    case WindowContents::Kind::Frame:
        for (const QRect& side : FrameSides(step.rect)) {
            painter.fillRect(actual ? side : WindowRect(side, deviceScale), QColor(step.colour));
        }
        break;
    case WindowContents::Kind::Table:
        painter.drawImage(target.topLeft(), actual || devicePicture_.isNull() || deviceScale != devicePictureScale_
                                                ? tablePicture_
                                                : devicePicture_);
        break;
    case WindowContents::Kind::Picture:
        if (actual) {
            painter.drawImage(target.topLeft(), step.picture);
            break;
        }
        if (scaledStartupScale_ != deviceScale || scaledStartup_.size() != target.size()) {
            scaledStartup_ = graphics_.ScaledBitmap(step.id, deviceScale, target.size(), step.picture);
            scaledStartupScale_ = deviceScale;
        }
        painter.drawImage(target.topLeft(), scaledStartup_);
        break;
    case WindowContents::Kind::Stretch:
        painter.drawImage(target, step.picture);
        break;
    case WindowContents::Kind::Text: {
        const QPoint at = step.rect.topLeft() + QPoint(1, 1);
        WritePageText(painter, actual ? at : QPoint(WindowPixel(at.x(), deviceScale), WindowPixel(at.y(), deviceScale)),
                      step.text, step.font, QColor(step.colour), factor);
        break;
    }
    case WindowContents::Kind::Tile: {
        const QImage tile = actual ? QImage() : graphics_.ScaledTilePicture(step.id, deviceScale);
        painter.drawImage(target.topLeft(),
                          tile.isNull() ? SmoothlyScaled(step.picture, target.size()) : tile);
        break;
    }
    }
}

void TableView::Release() {
    released_ = true;
    tablePicture_ = QImage();
    devicePicture_ = QImage();
    sidePictures_.Clear();
}

}  // namespace jadeleaf
