// What the client area shows, kept as the drawing steps that made it, in table
// pixels: the window draws them again at its scale and at the screen's density
// instead of keeping a picture of the whole client area beside its own.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace jadeleaf {

// How a text of the information pages is written: "Courier New" in points of
// the platform, unsmoothed, on a solid background.
struct PageFont {
    int pointSize;
    QRgb colour;
    bool underline = false;
};

// The font of a page text, `factor` times its size.
QFont PageFace(PageFont font, double factor);

class WindowContents {
public:
    enum class Kind {
        Fill,     // `rect` in `colour`
        Frame,    // a 1-pixel outline just inside `rect`
        Table,    // the table picture as it is now, at `rect`
        Picture,  // `picture` as it is, at `rect`; resource bitmap `id` at other densities
        Stretch,  // `picture` stretched into `rect`
        Text,     // `text` with its line's top-left corner at `rect`'s, on `colour`
        Tile,     // tile picture `picture` of face `id` at `rect`, white left out
    };

    struct Step {
        Kind kind;
        QRect rect;
        QRgb colour = 0;
        int id = 0;
        QImage picture;
        QString text;  // with its line's top-left corner one pixel inside `rect`'s
        PageFont font{0, 0};
    };

    void Fill(const QRect& rect, QColor colour);
    void Frame(const QRect& rect, QColor colour);
    void Table(const QRect& rect);
    void Picture(const QRect& rect, const QImage& picture, int id);
    void Stretch(const QRect& rect, const QImage& picture);
    void Text(QPoint at, const QString& text, PageFont font, QColor background);
    void Tile(QPoint at, const QImage& picture, int face);

    // The client area was `size` and is now `newSize`: what it gains shows
    // the table colour.
    void Resize(QSize newSize, QColor background);
    QSize Size() const { return size_; }

    const std::vector<Step>& Steps() const { return steps_; }
    // Counts the changes: what was drawn from the steps at one count holds until the next.
    unsigned Version() const { return version_; }
    // The part of the client area changed since the last call, in table pixels.
    QRect TakeChanged();

    // The line box of a page text.
    static QRect TextRect(QPoint at, const QString& text, PageFont font);

private:
    static Step MakeStep(Kind kind, const QRect& rect, QColor colour = QColor(), int id = 0,
                         const QImage& picture = QImage());
    void Add(Step step, bool opaque);

    std::vector<Step> steps_;
    QSize size_;
    QRect changed_;
    unsigned version_ = 0;
};

}  // namespace jadeleaf
