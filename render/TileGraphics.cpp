// Loading and composing the tile pictures, and drawing tiles.
#include "render/TileGraphics.h"

#include <unistd.h>

#include <climits>
#include <cstdio>

#include "framework/Drawing.h"
#include "model/TableLayout.h"
#include "model/TextLine.h"

namespace jadeleaf {

namespace {

constexpr int kFaceLeft = 6;
constexpr int kFaceTop = 2;

QImage BlankPicture() {
    QImage picture(kTileWidth, kTileHeight, QImage::Format_RGB32);
    picture.fill(kWhite);
    return picture;
}

// The face with its white background replaced by the tile's light grey.
void CopyFaceOnGrey(QImage& target, const QImage& face) {
    for (int row = 0; row < face.height() && row + kFaceTop < target.height(); ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(face.constScanLine(row));
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(row + kFaceTop));
        for (int column = 0; column < face.width() && column + kFaceLeft < target.width(); ++column) {
            const QRgb pixel = from[column] & 0xFFFFFFu;
            to[column + kFaceLeft] = 0xFF000000u | (pixel == kWhite ? kTileFaceGrey : pixel);
        }
    }
}

void ReportFailure(GameWindow& window, std::string_view caption, std::string_view text) {
    window.ShowMessage(caption, text, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

void TileGraphics::Prepare(const QImage& placeholderTile) {
    const QImage tile = placeholderTile.isNull() ? BlankPicture() : placeholderTile.convertToFormat(QImage::Format_RGB32);
    imageList.fill(tile);
    framePicture = BlankPicture();
    workPicture = BlankPicture();
    overlayPicture = BlankPicture();
    frameLoaded = false;
    overlayLoaded = false;
}

void TileGraphics::LoadResourceLibrary(Game& game, GameWindow& window) {
    char directory[256];
    const bool directoryRead = getcwd(directory, sizeof directory) != nullptr;
    int errorCode = 0;
    if (!library.Load(errorCode)) {
        const std::string detail = library.FailureDetail(errorCode);
        ReportFailure(window, "DLL Load Error",
                      "Unable to load 'JL_RES10.DLL'." + (detail.empty() ? detail : "\n" + detail));
        window.ShowMessage("JL_RES10.DLL", FormatText("Error code: %xH / %d", errorCode, errorCode),
                           MessageIcon::Information, MessageButtons::Ok);
        graphicsFailed = true;
        if (directoryRead) window.ShowMessage("Current Directory", directory, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    window.SetStatusText(1, " Library used: JL_RES10.DLL");
    if (!game.shell.startupPending) return;
    window.SetMessageLine("Loading MahJong tiles from Dynamic Link Library.");
    window.SetVisible(WindowItem::Panel1, true);
    window.SetVisible(WindowItem::Label1, true);
    window.Paint();
    LoadTilePictures(game, window);
}

void TileGraphics::LoadTilePictures(Game& game, GameWindow& window) {
    if (!library.Loaded() || graphicsFailed) return;
    if (!frameLoaded && !LoadFrame(window)) return;
    if (frameLoaded && !overlayLoaded) ComposeOverlay(window);

    for (int face = 1; face <= kFaceCount; ++face) {
        const bool composed = ComposeTile(face);
        if (composed) {
            window.SetMessageLine(FormatText("Loading Resource Bitmap of Tile number: %2d", face));
            // The pause shows the load as a progress display.
            window.HandlePendingMessages(false);
            window.Pause(game.shell.tileLoadDelay);
            window.HandlePendingMessages(false);
        } else {
            ReportFailure(window, " Resource Loading", FormatText("Error condition reported: Face number %d", face));
            graphicsFailed = true;
        }
        if (graphicsFailed) return;
    }
    window.SetTimerInterval(WindowTimer::Timer2, 400);
    window.SetTimerEnabled(WindowTimer::Timer2, true);
}

bool TileGraphics::LoadFrame(GameWindow& window) {
    const QImage frame = library.Bitmap(43);
    if (frame.isNull()) {
        ReportFailure(window, " Resource Loading", "Error condition reported: Frame Bitmap.");
        graphicsFailed = true;
        return false;
    }
    framePicture = frame;
    frameLoaded = true;
    return true;
}

void TileGraphics::ComposeOverlay(GameWindow& window) {
    DrawTransparent(overlayPicture, 0, 0, framePicture);
    const QImage pattern = library.Bitmap(45);
    if (pattern.isNull()) {
        ReportFailure(window, " Diagonal Resource Loading", "Error condition reported: Tile number 45");
        graphicsFailed = true;
    } else {
        DrawOpaque(overlayPicture, kFaceLeft, kFaceTop, pattern);
    }
    overlayLoaded = true;
}

// Frame, then the face on light grey; what stays white (the frame's corners)
// becomes transparent in the image list.
bool TileGraphics::ComposeTile(int face) {
    const QImage facePicture = library.Bitmap(face);
    if (facePicture.isNull()) return false;
    DrawTransparent(workPicture, 0, 0, framePicture);
    CopyFaceOnGrey(workPicture, facePicture);
    imageList[static_cast<std::size_t>(face - 1)] = workPicture;
    return true;
}

void TileGraphics::DrawTile(QImage& canvas, int x, int y, int face, int state, GameWindow& window) {
    if (!library.Loaded() || graphicsFailed || !frameLoaded || face < 1 || face > kFaceCount) return;
    switch (state) {
    case kStateNormal:
        DrawTransparent(canvas, x, y, imageList[static_cast<std::size_t>(face - 1)]);
        return;
    case kStateSelected: {
        const QImage facePicture = library.Bitmap(face);
        if (facePicture.isNull()) {
            ReportFailure(window, " Tile Highlighting Routine",
                          FormatText("Error condition reported: Tile number %d", face));
            graphicsFailed = true;
            return;
        }
        // The face on its own white background is the selection highlight.
        DrawTransparent(canvas, x, y, framePicture);
        DrawOpaque(canvas, x + kFaceLeft, y + kFaceTop, facePicture);
        return;
    }
    case kStateSureBet:
        // The tile's own picture goes first: drawn over a cleared table
        // picture, the overlay alone would show the tiles beneath it.
        if (!overlayLoaded) return;
        DrawTransparent(canvas, x, y, imageList[static_cast<std::size_t>(face - 1)]);
        DrawTransparent(canvas, x, y, overlayPicture);
        return;
    default:
        return;
    }
}

const QImage& TileGraphics::FetchTilePicture(int face) {
    if (workPicture.width() != kTileWidth || workPicture.height() != kTileHeight) workPicture = BlankPicture();
    if (face >= 1 && face <= kFaceCount) {
        DrawTransparent(workPicture, 0, 0, imageList[static_cast<std::size_t>(face - 1)]);
    }
    return workPicture;
}

void TileGraphics::Release() {
    framePicture = QImage();
    workPicture = QImage();
    overlayPicture = QImage();
    library.Release();
}

}  // namespace jadeleaf
