// The drawing steps of the client area.
#include "render/WindowContents.h"

#include <QFontMetrics>
#include <algorithm>
#include <utility>

namespace jadeleaf {

namespace {

bool SameDrawing(const WindowContents::Step& a, const WindowContents::Step& b) {
    if (a.kind != b.kind || a.rect != b.rect) return false;
    switch (a.kind) {
    case WindowContents::Kind::Fill:
    case WindowContents::Kind::Frame:
        return a.colour == b.colour;
    case WindowContents::Kind::Text:
        return a.text == b.text && a.colour == b.colour && a.font.pointSize == b.font.pointSize &&
               a.font.colour == b.font.colour && a.font.underline == b.font.underline;
    case WindowContents::Kind::Tile:
        return a.id == b.id && a.picture == b.picture;
    default:
        // The table picture, a picture or a stretched picture covers all of its rectangle.
        return true;
    }
}

}  // namespace

QFont PageFace(PageFont font, double factor) {
    QFont face("Courier New");
    face.setStyleHint(QFont::TypeWriter);
    if (factor == 1.0) {
        face.setPointSize(font.pointSize);
    } else {
        face.setPointSizeF(font.pointSize * factor);
    }
    face.setUnderline(font.underline);
    face.setStyleStrategy(QFont::NoAntialias);
    return face;
}

QRect WindowContents::TextRect(QPoint at, const QString& text, PageFont font) {
    const QFontMetrics metrics(PageFace(font, 1.0));
    // A pixel more each way for the underline and glyphs that reach past their advance.
    return QRect(at.x() - 1, at.y() - 1, metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth(),
                 metrics.height() + 3);
}

// A step drawn again makes its earlier drawing needless, and an opaque step
// hides every earlier one inside its rectangle: the list stays as short as
// what the client area shows.
void WindowContents::Add(Step step, bool opaque) {
    std::erase_if(steps_, [&](const Step& earlier) {
        return SameDrawing(earlier, step) || (opaque && step.rect.contains(earlier.rect));
    });
    changed_ |= step.rect;
    steps_.push_back(std::move(step));
    ++version_;
}

WindowContents::Step WindowContents::MakeStep(Kind kind, const QRect& rect, QColor colour, int id,
                                              const QImage& picture) {
    Step step{kind, rect, colour.rgb() & 0xFFFFFFu, id, picture, QString(), PageFont{0, 0}};
    return step;
}

void WindowContents::Fill(const QRect& rect, QColor colour) {
    if (rect.isEmpty()) return;
    Add(MakeStep(Kind::Fill, rect, colour), true);
}

void WindowContents::Frame(const QRect& rect, QColor colour) {
    if (rect.isEmpty()) return;
    Add(MakeStep(Kind::Frame, rect, colour), false);
}

void WindowContents::Table(const QRect& rect) { Add(MakeStep(Kind::Table, rect), true); }

void WindowContents::Picture(const QRect& rect, const QImage& picture, int id) {
    Add(MakeStep(Kind::Picture, rect, QColor(), id, picture), true);
}

void WindowContents::Stretch(const QRect& rect, const QImage& picture) {
    if (rect.isEmpty() || picture.isNull()) return;
    Add(MakeStep(Kind::Stretch, rect, QColor(), 0, picture), true);
}

void WindowContents::Text(QPoint at, const QString& text, PageFont font, QColor background) {
    Step step = MakeStep(Kind::Text, TextRect(at, text, font), background);
    step.text = text;
    step.font = font;
    Add(std::move(step), false);
}

void WindowContents::Tile(QPoint at, const QImage& picture, int face) {
    Add(MakeStep(Kind::Tile, QRect(at, picture.size()), QColor(), face, picture), false);
}

void WindowContents::Resize(QSize newSize, QColor background) {
    const QSize old = size_;
    size_ = newSize;
    ++version_;
    if (old.width() < newSize.width()) {
        Fill(QRect(old.width(), 0, newSize.width() - old.width(), newSize.height()), background);
    }
    if (old.height() < newSize.height()) {
        Fill(QRect(0, old.height(), std::min(old.width(), newSize.width()), newSize.height() - old.height()),
             background);
    }
}

QRect WindowContents::TakeChanged() { return std::exchange(changed_, QRect()); }

}  // namespace jadeleaf
