// Painting the table and the side window.
#include "render/TableView.h"

#include <cstring>
#include <vector>

#include "framework/Drawing.h"
#include "model/TableLayout.h"
#include "model/TextLine.h"

namespace jadeleaf {

TableView::TableView(Game& game, GameWindow& window, TileGraphics& graphics, TableGeometry& geometry,
                     InformationViews& views)
    : game_(game), window_(window), graphics_(graphics), geometry_(geometry), views_(views) {}

void TableView::CreateTablePicture(QColor tableColour, QColor shadeColour) {
    tableColour_ = tableColour;
    shadeColour_ = shadeColour;
    views_.SetTableColour(tableColour);
    tablePicture_ = QImage(geometry_.tableWidth, geometry_.tableHeight, QImage::Format_RGB32);
    tablePicture_.fill(tableColour_);
}

void TableView::ResizeWindowPicture(int width, int height) {
    if (width <= 0 || height <= 0 || (width == windowPicture_.width() && height == windowPicture_.height())) return;
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(tableColour_);
    DrawOpaque(resized, 0, 0, windowPicture_);
    windowPicture_ = resized;
}

// Each window pixel takes the table pixel under its centre, through the same
// mapping as the mouse positions.
QImage TableView::ScaledWindowPicture(const QRect& windowRect) const {
    const int scale = geometry_.scale;
    QImage piece(windowRect.size(), QImage::Format_RGB32);
    piece.fill(tableColour_);
    const int pictureWidth = windowPicture_.width();
    std::vector<int> columns(static_cast<std::size_t>(windowRect.width()));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns[i] = TablePixel(windowRect.left() + static_cast<int>(i), scale);
    }
    const QRgb background = tableColour_.rgb();
    int previousRow = -1;
    for (int j = 0; j < windowRect.height(); ++j) {
        const int row = TablePixel(windowRect.top() + j, scale);
        if (row < 0 || row >= windowPicture_.height()) continue;
        auto* out = reinterpret_cast<QRgb*>(piece.scanLine(j));
        if (row == previousRow) {
            std::memcpy(out, piece.constScanLine(j - 1), static_cast<std::size_t>(piece.bytesPerLine()));
            continue;
        }
        previousRow = row;
        const auto* in = reinterpret_cast<const QRgb*>(windowPicture_.constScanLine(row));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int column = columns[i];
            out[i] = column >= 0 && column < pictureWidth ? in[column] : background;
        }
    }
    return piece;
}

void TableView::FormPaint(bool systemPaint) {
    if (released_) return;
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
        tablePicture_.fill(shadeColour_);
        paint.copyTablePicture = 1;
        paint.redrawAllTiles = 0;
    }
    FrameRectangle(tablePicture_, EdgeRect(2, 2, geometry_.tableWidth - 2, geometry_.tableHeight - 2), QColor(kFrameGreen));
    for (int layer = 1; layer <= kLayerCount; ++layer) PaintLayer(layer);
    if (paint.eraseWindow) {
        FillRectangle(windowPicture_, EdgeRect(0, 0, geometry_.clientWidth, geometry_.clientHeight), tableColour_);
        paint.eraseWindow = 0;
    }
    if (paint.eraseTableArea) {
        FillRectangle(windowPicture_, EdgeRect(0, 0, geometry_.sideX, geometry_.tableAreaHeight), tableColour_);
        paint.eraseTableArea = 0;
    }
    if (paint.copyTablePicture) {
        DrawOpaque(windowPicture_, kTableLeft, kTableTop, tablePicture_);
        paint.copyTablePicture = 0;
    }
}

// With no game on the table only one erase is served per paint; the frame
// line of the table area follows an erase.
void TableView::PaintEmptyTable() {
    PaintRequests& paint = game_.paint;
    bool erased = false;
    if (paint.eraseWindow) {
        FillRectangle(windowPicture_, EdgeRect(0, 0, geometry_.clientWidth, geometry_.clientHeight), tableColour_);
        paint.eraseWindow = 0;
        erased = true;
    } else if (paint.eraseTableArea) {
        FillRectangle(windowPicture_, EdgeRect(0, 0, geometry_.sideX, geometry_.tableAreaHeight), tableColour_);
        paint.eraseTableArea = 0;
        erased = true;
    }
    if (erased && !game_.shell.startupPending && game_.shell.viewMode == kViewTable) {
        const int inset = geometry_.frameInset;
        FrameRectangle(windowPicture_,
                       EdgeRect(inset, inset, geometry_.sideX - inset, geometry_.tableAreaHeight - inset),
                       QColor(kLightFrameGreen));
    }
}

void TableView::PaintStartupScreen() {
    tablePicture_.fill(shadeColour_);
    FrameRectangle(tablePicture_, EdgeRect(2, 2, geometry_.tableWidth - 2, geometry_.tableHeight - 2),
                   QColor(kLightFrameGreen));
    DrawOpaque(windowPicture_, kTableLeft, kTableTop, tablePicture_);
    const QImage startupPicture = graphics_.StartupPicture();
    if (startupPicture.isNull()) {
        window_.ShowMessage(" Picture Load Cycle", "Error condition reported: Startup Bitmap.", MessageIcon::Error,
                            MessageButtons::Ok);
        graphics_.graphicsFailed = true;
        return;
    }
    DrawOpaque(windowPicture_, (geometry_.tableWidth - startupPicture.width()) / 2 + kTableLeft,
               (geometry_.tableHeight - startupPicture.height()) / 2 + kTableTop, startupPicture);
}

void TableView::PaintInformationPage() {
    window_.SetVisible(WindowItem::Panel2, false);
    window_.SetVisible(WindowItem::Label1, false);
    window_.SetVisible(WindowItem::Panel1, false);
    const int x0 = geometry_.sideMargin + 8;
    const int y0 = geometry_.topMargin;
    views_.WritePageHeading(windowPicture_, x0, y0);
    if (game_.shell.viewMode == kViewSetOfTiles) views_.ShowTileSet(windowPicture_, x0, y0);
    if (game_.shell.viewMode == kViewDimensions) {
        if (geometry_.sideWidth > 0 && geometry_.sideHeight > 0) {
            const QRect side = SideWindowRect(0);
            FillRectangle(windowPicture_, side, tableColour_);
            FrameRectangle(windowPicture_, side, QColor(kLightFrameGreen));
        }
        views_.ShowDimensions(windowPicture_, x0, y0);
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
        FillRectangle(windowPicture_, SideWindowRect(geometry_.frameInset), tableColour_);
        return;
    }
    StretchDraw(windowPicture_, SideWindowRect(0), picture);
    paint.sidePictureDrawn = 1;
}

void TableView::PaintLayer(int layer) {
    PaintRequests& paint = game_.paint;
    if (!paint.layerRepaint[layer]) return;
    const GameTable& table = game_.table;
    switch (layer) {
    case 1:
        DrawTileAt(table.specialSlots[3]);
        DrawTileAt(table.specialSlots[2]);
        for (int column = 12; column >= 1; --column) {
            for (int row = 1; row <= 8; ++row) {
                const int p = table.GridCell(1, column, row);
                if (table.tiles[p].shown) DrawTileAt(p);
            }
        }
        DrawTileAt(table.specialSlots[0]);
        break;
    case 2:
        for (int column = 9; column >= 4; --column) {
            for (int row = 2; row <= 7; ++row) {
                const int p = table.GridCell(2, column, row);
                if (table.tiles[p].shown) DrawTileAt(p);
            }
        }
        break;
    case 3:
        for (int column = 8; column >= 5; --column) {
            for (int row = 3; row <= 6; ++row) DrawTileAt(table.GridCell(3, column, row));
        }
        break;
    case 4:
        for (int column = 7; column >= 6; --column) {
            for (int row = 4; row <= 5; ++row) DrawTileAt(table.GridCell(4, column, row));
        }
        break;
    default:
        DrawTileAt(table.specialSlots[1]);
        break;
    }
    paint.layerRepaint[layer] = 0;
}

// Position 0 (an empty cell) is never present, so it is skipped here too.
void TableView::DrawTileAt(int p) {
    const TileRecord& tile = game_.table.tiles[p];
    if (!tile.present) return;
    graphics_.DrawTile(tablePicture_, tile.x, tile.y, tile.face, tile.state, window_);
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
        FillRectangle(windowPicture_, SideWindowRect(inset), tableColour_);
        return;
    }
    if (sidePictures_.Load(settings.bitmapPath).isNull()) {
        // The side window keeps its background and play goes on. The box is
        // modal: shown on every repaint it would swallow every press, so it
        // comes once for the file as it is, and is marked shown before it
        // opens, for the paints that its own event loop serves.
        FillRectangle(windowPicture_, SideWindowRect(inset), tableColour_);
        if (sidePictures_.TakeUnreportedFailure()) {
            window_.ShowMessage(" Load Error", "Unable to load side-window Bitmap.\n" + sidePictures_.Failure(),
                                MessageIcon::Error, MessageButtons::Ok);
        }
        return;
    }
    if ((game_.shell.optionsChanged || game_.shell.resizePending) && paint.sidePictureDrawn) {
        FillRectangle(windowPicture_, SideWindowRect(inset), tableColour_);
        computeGeometry();
        FillRectangle(windowPicture_, SideWindowRect(inset), tableColour_);
    }
    if (!game_.shell.startupPending) {
        paint.sidePictureDeferred = 1;
        window_.SetTimerEnabled(WindowTimer::Timer3, true);
    }
}

void TableView::Release() {
    released_ = true;
    tablePicture_ = QImage();
    sidePictures_.Clear();
}

}  // namespace jadeleaf
