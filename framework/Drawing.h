// Exact-pixel drawing on pictures: rectangles exclude their right and bottom
// edges, white is the transparent colour, nothing is antialiased.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace jadeleaf {

inline constexpr QRgb kWhite = 0xFFFFFFu;

// Left, top, right, bottom as the window system gives them: right and bottom excluded.
inline QRect EdgeRect(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

void FillRectangle(QImage& target, const QRect& rect, QColor colour);
// A 1-pixel outline just inside `rect`.
void FrameRectangle(QImage& target, const QRect& rect, QColor colour);
// Copies `source` with its white pixels left out.
void DrawTransparent(QImage& target, int x, int y, const QImage& source);
// Copies `source` as it is.
void DrawOpaque(QImage& target, int x, int y, const QImage& source);
// Scales `source` into `rect`, aspect ratio not kept.
void StretchDraw(QImage& target, const QRect& rect, const QImage& source);

}  // namespace jadeleaf
