// Lays the finished tiles out as the game shows them, every picture enlarged, then the denser pictures.
#include "resources/artgen/ContactSheet.h"

#include <QImage>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "resources/ResourceFileFormat.h"
#include "resources/artgen/FacePainter.h"
#include "resources/artgen/TilePainter.h"

namespace jadeleaf {

namespace {

constexpr Rgb kSheetColour = 0x6E6E6E;
constexpr Rgb kShadeColour = 0x336633;  // the table picture's background in the game
constexpr int kMargin = 16;
constexpr int kLarge = 4;

const Canvas& Resource(const ArtCatalogue& catalogue, int id) {
    return catalogue.resources.at(static_cast<std::size_t>(id - 1)).picture;
}

const Canvas& DenseResource(const ArtCatalogue& catalogue, int id, int density) {
    if (density == 1) return Resource(catalogue, id);
    return catalogue.denseResources.at(static_cast<std::size_t>((density - 2) * kLastResourceId + id - 1)).picture;
}

const Canvas& ProgramPicture(const ArtCatalogue& catalogue, const std::string& name, int density = 1) {
    for (const ArtItem& item : catalogue.program)
        if (item.name == name && item.density == density) return item.picture;
    throw std::logic_error("no program picture " + name);
}

enum class Look { Normal, Selected, SureBet };

// Draws a tile onto target as the game does: a normal tile is the finished picture; a selected
// tile is the frame and then the face, whose white stays; a sure bet lays the frame and the
// pattern over the normal tile.
// Any density: positions are in the frame's pixels.
void DrawTileLook(Canvas& target, int x, int y, Look look, const Canvas& frame, const Canvas& finished,
                  const Canvas& face, const Canvas& pattern) {
    const int density = frame.Width() / kTileWidth;
    target.Draw(finished, x, y, true);
    if (look == Look::Selected) {
        target.Draw(frame, x, y, true);
        target.Draw(face, x + kFaceX * density, y + kFaceY * density, false);
    } else if (look == Look::SureBet) {
        Canvas overlay(frame.Width(), frame.Height());
        overlay.Draw(frame, 0, 0, true);
        overlay.Draw(pattern, kFaceX * density, kFaceY * density, false);
        target.Draw(overlay, x, y, true);
    }
}

Canvas TileLook(Look look, const Canvas& frame, const Canvas& finished, const Canvas& face, const Canvas& pattern) {
    Canvas tile(frame.Width(), frame.Height(), kShadeColour);
    DrawTileLook(tile, 0, 0, look, frame, finished, face, pattern);
    return tile;
}

// The pictures at density 2 or 3 at their real size, as a dense screen shows them at 100%: the
// tiles overlapping on the table, the three looks of a tile, the parts, then the other pictures.
Canvas DenseSection(const ArtCatalogue& catalogue, int density, int width) {
    const int tileHeight = kTileHeight * density;
    const int stepX = 33 * density;
    const int stepY = 43 * density;
    const Canvas& frame = DenseResource(catalogue, 43, density);
    const Canvas& pattern = DenseResource(catalogue, 45, density);
    std::vector<Canvas> finished;
    for (int face = 1; face <= kFaceTotal; ++face)
        finished.push_back(ComposeFinishedTile(frame, DenseResource(catalogue, face, density)));

    constexpr int columns = 7;
    const int tableHeight = 6 * stepY + 4 * density;
    const int partsTop = kMargin * 2 + tableHeight;
    const int picturesTop = partsTop + tileHeight + kMargin;
    const Canvas& startup = DenseResource(catalogue, 44, density);
    const Canvas& emblem = ProgramPicture(catalogue, "EmblemBitmap", density);
    const Canvas& title = ProgramPicture(catalogue, "QuickInfoTitleBitmap", density);
    const int emblemTop = picturesTop + startup.Height() + kMargin;
    const int titleTop = emblemTop + emblem.Height() + kMargin;
    Canvas sheet(width, titleTop + title.Height() + kMargin, kSheetColour);

    sheet.FillRect(kMargin, kMargin, columns * stepX + 4 * density, tableHeight, kShadeColour);
    for (int row = 0; row < 6; ++row)
        for (int column = columns - 1; column >= 0; --column)
            sheet.Draw(finished[static_cast<std::size_t>(row * columns + column)], kMargin + column * stepX,
                       kMargin + row * stepY, true);
    const int looksLeft = kMargin * 2 + columns * stepX + 4 * density;
    if (looksLeft + 4 * stepX + 4 * density <= width) {
        sheet.FillRect(looksLeft, kMargin, 4 * stepX + 4 * density, 3 * stepY + 4 * density, kShadeColour);
        constexpr Look looks[] = {Look::Normal, Look::Selected, Look::SureBet, Look::Normal};
        for (int column = 3; column >= 0; --column) {
            const auto face = static_cast<std::size_t>(column * 9 + 1);
            DrawTileLook(sheet, looksLeft + column * stepX, kMargin + stepY, looks[column], frame, finished[face],
                         DenseResource(catalogue, static_cast<int>(face) + 1, density), pattern);
        }
    }
    const Canvas parts[] = {
        frame,
        ProgramPicture(catalogue, "PlaceholderTileBitmap", density),
        pattern,
        TileLook(Look::Selected, frame, finished[26], DenseResource(catalogue, 27, density), pattern),
        TileLook(Look::SureBet, frame, finished[26], DenseResource(catalogue, 27, density), pattern),
    };
    int x = kMargin;
    for (const Canvas& part : parts) {
        sheet.Draw(part, x, partsTop, true);
        x += part.Width() + kMargin;
    }
    sheet.Draw(ProgramPicture(catalogue, "WindowIconBitmap", density), x, partsTop, false);
    x += 32 * density + kMargin;
    sheet.Draw(ProgramPicture(catalogue, "InfoButtonBitmap", density), x, partsTop, false);
    sheet.Draw(startup, kMargin, picturesTop, false);
    sheet.Draw(emblem, kMargin, emblemTop, false);
    sheet.Draw(title, kMargin, titleTop, false);
    return sheet;
}

// The pictures at density 1, at real size and enlarged.
Canvas SmallSection(const ArtCatalogue& catalogue) {
    const Canvas& frame = Resource(catalogue, 43);
    const Canvas& startup = Resource(catalogue, 44);
    const Canvas& pattern = Resource(catalogue, 45);
    std::vector<Canvas> finished;
    for (int face = 1; face <= kFaceTotal; ++face) finished.push_back(ComposeFinishedTile(frame, Resource(catalogue, face)));

    constexpr int columns = 7;
    constexpr int cellWidth = kTileWidth * kLarge + 8;
    constexpr int cellHeight = kTileHeight * kLarge + 8;
    const int width = kMargin * 2 + columns * cellWidth;
    const int tableHeight = 3 * 43 + 4;
    const int largeTop = kMargin * 2 + tableHeight;
    const int partsTop = largeTop + 6 * cellHeight + kMargin;
    const int picturesTop = partsTop + cellHeight + kMargin;
    const Canvas& emblem = ProgramPicture(catalogue, "EmblemBitmap");
    const Canvas& title = ProgramPicture(catalogue, "QuickInfoTitleBitmap");
    const int titleTop = picturesTop + std::max(startup.Height(), emblem.Height() * 2) + kMargin;
    const int height = titleTop + title.Height() * 2 + kMargin;
    Canvas sheet(width, height, kSheetColour);

    // The 42 tiles at real size, overlapping as on the table: right to left, top to bottom.
    sheet.FillRect(kMargin, kMargin, 14 * 33 + 4, tableHeight, kShadeColour);
    for (int row = 0; row < 3; ++row)
        for (int column = 13; column >= 0; --column)
            sheet.Draw(finished[static_cast<std::size_t>(row * 14 + column)], kMargin + column * 33,
                       kMargin + row * 43, true);
    // The three looks of one tile on the table, a selected and a sure-bet tile among normal ones.
    const int looksLeft = kMargin * 2 + 14 * 33 + 4;
    sheet.FillRect(looksLeft, kMargin, 4 * 33 + 4, tableHeight, kShadeColour);
    constexpr Look looks[] = {Look::Normal, Look::Selected, Look::SureBet, Look::Normal};
    for (int column = 3; column >= 0; --column) {
        const auto face = static_cast<std::size_t>(column * 9 + 1);
        DrawTileLook(sheet, looksLeft + column * 33, kMargin + 43, looks[column], frame, finished[face],
                     catalogue.resources[face].picture, pattern);
    }

    for (int face = 0; face < kFaceTotal; ++face) {
        const int x = kMargin + (face % columns) * cellWidth;
        const int y = largeTop + (face / columns) * cellHeight;
        sheet.Draw(finished[static_cast<std::size_t>(face)].Enlarged(kLarge), x, y, true);
    }

    const std::vector<Canvas> parts = {
        frame,
        ProgramPicture(catalogue, "PlaceholderTileBitmap"),
        pattern,
        TileLook(Look::Selected, frame, finished[26], Resource(catalogue, 27), pattern),
        TileLook(Look::SureBet, frame, finished[26], Resource(catalogue, 27), pattern),
    };
    for (std::size_t i = 0; i < parts.size(); ++i)
        sheet.Draw(parts[i].Enlarged(kLarge), kMargin + static_cast<int>(i) * cellWidth, partsTop, true);

    int x = kMargin;
    const std::pair<const Canvas*, int> pictures[] = {
        {&startup, 1},
        {&emblem, 2},
        {&ProgramPicture(catalogue, "WindowIconBitmap"), kLarge},
        {&ProgramPicture(catalogue, "InfoButtonBitmap"), kLarge},
    };
    for (const auto& [picture, factor] : pictures) {
        sheet.Draw(picture->Enlarged(factor), x, picturesTop, false);
        x += picture->Width() * factor + kMargin;
    }
    sheet.Draw(title, kMargin, titleTop, false);
    sheet.Draw(title.Enlarged(2), kMargin * 2 + title.Width(), titleTop, false);
    return sheet;
}

}  // namespace

Canvas BuildContactSheet(const ArtCatalogue& catalogue) {
    std::vector<Canvas> sections = {SmallSection(catalogue)};
    const int width = sections.front().Width();
    for (int density = 2; density <= kLargestDensity; ++density) sections.push_back(DenseSection(catalogue, density, width));
    int height = 0;
    for (const Canvas& section : sections) height += section.Height();
    Canvas sheet(width, height, kSheetColour);
    int top = 0;
    for (const Canvas& section : sections) {
        sheet.Draw(section, 0, top, false);
        top += section.Height();
    }
    return sheet;
}

void WriteContactSheet(const ArtCatalogue& catalogue, const std::filesystem::path& file) {
    const Canvas sheet = BuildContactSheet(catalogue);
    QImage image(sheet.Width(), sheet.Height(), QImage::Format_RGB32);
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x) image.setPixel(x, y, 0xFF000000u | sheet.Pixel(x, y));
    if (!image.save(QString::fromStdString(file.string()), "PNG"))
        throw std::runtime_error("cannot write the contact sheet " + file.string());
}

}  // namespace jadeleaf
