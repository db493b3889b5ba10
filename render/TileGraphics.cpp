// Loading and composing the tile pictures, and drawing tiles.
#include "render/TileGraphics.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include <QPainter>

#include "framework/Drawing.h"
#include "model/TableLayout.h"
#include "model/TextLine.h"
#include "render/TableGeometry.h"

namespace jadeleaf {

namespace {

constexpr int kFaceLeft = 6;
constexpr int kFaceTop = 2;

QImage BlankPicture() {
    QImage picture(kTileWidth, kTileHeight, QImage::Format_RGB32);
    picture.fill(kWhite);
    return picture;
}

// The face with its white background replaced by the tile's light grey, at
// the face's place in a tile drawn `density` times its size.
void CopyFaceOnGrey(QImage& target, const QImage& faceArt, int density = 1) {
    const QImage face = faceArt.convertToFormat(QImage::Format_RGB32);
    const int left = kFaceLeft * density;
    const int top = kFaceTop * density;
    for (int row = 0; row < face.height() && row + top < target.height(); ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(face.constScanLine(row));
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(row + top));
        for (int column = 0; column < face.width() && column + left < target.width(); ++column) {
            const QRgb pixel = from[column] & 0xFFFFFFu;
            to[column + left] = 0xFF000000u | (pixel == kWhite ? kTileFaceGrey : pixel);
        }
    }
}

QImage BlankPicture(int density) {
    QImage picture(kTileWidth * density, kTileHeight * density, QImage::Format_RGB32);
    picture.fill(kWhite);
    return picture;
}

void DrawOver(QImage& canvas, QPoint at, const QImage& picture) {
    if (picture.isNull()) return;
    QPainter painter(&canvas);
    painter.drawImage(at, picture);
}

void ReportFailure(GameWindow& window, std::string_view caption, std::string_view text) {
    window.ShowMessage(caption, text, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

void TileGraphics::Prepare(const QImage& placeholderTile) {
    scaled_ = ScaledSet{};
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
    scaled_.deviceScale = 0;
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
    scaled_.deviceScale = 0;
}

// Frame, then the face on light grey; what stays white (the frame's corners)
// becomes transparent in the image list.
bool TileGraphics::ComposeTile(int face) {
    const QImage facePicture = library.Bitmap(face);
    if (facePicture.isNull()) return false;
    DrawTransparent(workPicture, 0, 0, framePicture);
    CopyFaceOnGrey(workPicture, facePicture);
    imageList[static_cast<std::size_t>(face - 1)] = workPicture;
    scaled_.deviceScale = 0;
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

int ArtDensity(int deviceScale) { return std::clamp((deviceScale + 99) / 100, 1, 3); }

QImage WhiteLeftOut(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < out.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (int column = 0; column < out.width(); ++column) {
            if ((line[column] & 0xFFFFFFu) == kWhite) line[column] = 0;
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage SmoothlyScaled(const QImage& picture, QSize size) {
    if (picture.isNull() || picture.size() == size) return picture;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Tiles are drawn again over themselves when a layer is repainted: a pixel
// that is either the tile's or left alone looks the same after any number of
// drawings, where a half-covering edge would darken with each.
static QImage TileScaled(const QImage& picture, QSize size) {
    if (picture.size() == size) return picture;
    QImage scaled = SmoothlyScaled(picture, size).convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < scaled.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(scaled.scanLine(row));
        for (int column = 0; column < scaled.width(); ++column) {
            line[column] = qAlpha(line[column]) >= 128 ? line[column] | 0xFF000000u : 0u;
        }
    }
    return scaled.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QSize TileGraphics::ScaledTileSize(int deviceScale) {
    return {WindowPixel(kTileWidth, deviceScale), WindowPixel(kTileHeight, deviceScale)};
}

// A bitmap missing at a larger density is drawn from the 1x one.
QImage TileGraphics::Art(int id, int density) const {
    const QImage art = density > 1 ? library.Bitmap(id, density) : QImage();
    if (!art.isNull() || density == 1) return art.isNull() ? library.Bitmap(id) : art;
    const QImage plain = library.Bitmap(id);
    return SmoothlyScaled(plain, plain.size() * density);
}

// The tiles are composed as at 1x, from the art of one density: that of the
// frame, so that the frame and the faces always match.
const TileGraphics::ScaledSet& TileGraphics::ScaledTiles(int deviceScale) {
    if (scaled_.deviceScale == deviceScale) return scaled_;
    ScaledSet set;
    set.deviceScale = deviceScale;
    const QSize size = ScaledTileSize(deviceScale);
    const bool ready = library.Loaded() && frameLoaded && !graphicsFailed;
    const int wanted = ArtDensity(deviceScale);
    QImage frame = ready && wanted > 1 ? library.Bitmap(43, wanted) : QImage();
    set.density = frame.isNull() ? 1 : wanted;
    const int d = set.density;
    if (ready && frame.isNull()) frame = library.Bitmap(43);
    set.frame = frame.isNull() ? QImage() : WhiteLeftOut(frame);
    for (int face = 1; face <= kImageListSize; ++face) {
        const std::size_t index = static_cast<std::size_t>(face - 1);
        QImage tile = imageList[index];
        if (ready && d > 1 && face <= kFaceCount) {
            const QImage faceArt = Art(face, d);
            if (!faceArt.isNull()) {
                tile = BlankPicture(d);
                DrawTransparent(tile, 0, 0, frame);
                CopyFaceOnGrey(tile, faceArt, d);
            }
        }
        set.tiles[index] = TileScaled(WhiteLeftOut(tile), size);
    }
    if (ready && overlayLoaded) {
        QImage overlay = d == 1 ? overlayPicture : BlankPicture(d);
        if (d > 1) {
            DrawTransparent(overlay, 0, 0, frame);
            const QImage pattern = Art(45, d);
            if (!pattern.isNull()) DrawOpaque(overlay, kFaceLeft * d, kFaceTop * d, pattern);
        }
        set.overlay = TileScaled(WhiteLeftOut(overlay), size);
    }
    scaled_ = std::move(set);
    return scaled_;
}

void TileGraphics::DrawTileScaled(QImage& canvas, QPoint at, int face, int state, int deviceScale,
                                  GameWindow& window) {
    if (!library.Loaded() || graphicsFailed || !frameLoaded || face < 1 || face > kFaceCount) return;
    const ScaledSet& set = ScaledTiles(deviceScale);
    const QImage& tile = set.tiles[static_cast<std::size_t>(face - 1)];
    switch (state) {
    case kStateNormal:
        DrawOver(canvas, at, tile);
        return;
    case kStateSelected: {
        const QImage facePicture = Art(face, set.density);
        if (facePicture.isNull()) {
            ReportFailure(window, " Tile Highlighting Routine",
                          FormatText("Error condition reported: Tile number %d", face));
            graphicsFailed = true;
            return;
        }
        QImage selected(kTileWidth * set.density, kTileHeight * set.density, QImage::Format_ARGB32_Premultiplied);
        selected.fill(Qt::transparent);
        DrawOver(selected, QPoint(0, 0), set.frame);
        DrawOver(selected, QPoint(kFaceLeft, kFaceTop) * set.density,
                 facePicture.convertToFormat(QImage::Format_RGB32));
        DrawOver(canvas, at, TileScaled(selected, ScaledTileSize(deviceScale)));
        return;
    }
    case kStateSureBet:
        if (!overlayLoaded) return;
        DrawOver(canvas, at, tile);
        DrawOver(canvas, at, set.overlay);
        return;
    default:
        return;
    }
}

QImage TileGraphics::ScaledTilePicture(int face, int deviceScale) {
    if (face < 1 || face > kFaceCount) return {};
    return ScaledTiles(deviceScale).tiles[static_cast<std::size_t>(face - 1)];
}

QImage TileGraphics::ScaledBitmap(int id, int deviceScale, QSize size, const QImage& fallback) const {
    const QImage art = library.Loaded() ? Art(id, ArtDensity(deviceScale)) : QImage();
    return SmoothlyScaled(art.isNull() ? fallback : art, size);
}

void TileGraphics::Release() {
    framePicture = QImage();
    workPicture = QImage();
    overlayPicture = QImage();
    scaled_ = ScaledSet{};
    library.Release();
}

}  // namespace jadeleaf
