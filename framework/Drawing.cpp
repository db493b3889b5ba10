// Exact-pixel drawing.
#include "framework/Drawing.h"

#include <QPainter>
#include <algorithm>

namespace jadeleaf {

void FillRectangle(QImage& target, const QRect& rect, QColor colour) {
    if (rect.width() <= 0 || rect.height() <= 0 || target.isNull()) return;
    QPainter painter(&target);
    painter.fillRect(rect, colour);
}

void FrameRectangle(QImage& target, const QRect& rect, QColor colour) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    FillRectangle(target, QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    FillRectangle(target, QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    FillRectangle(target, QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    FillRectangle(target, QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

void DrawTransparent(QImage& target, int x, int y, const QImage& source) {
    const QImage pixels = source.convertToFormat(QImage::Format_RGB32);
    const int left = std::max(0, -x);
    const int top = std::max(0, -y);
    const int right = std::min(pixels.width(), target.width() - x);
    const int bottom = std::min(pixels.height(), target.height() - y);
    for (int row = top; row < bottom; ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(pixels.constScanLine(row));
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(row + y));
        for (int column = left; column < right; ++column) {
            if ((from[column] & 0xFFFFFFu) != kWhite) to[column + x] = from[column] | 0xFF000000u;
        }
    }
}

void DrawOpaque(QImage& target, int x, int y, const QImage& source) {
    if (source.isNull() || target.isNull()) return;
    QPainter painter(&target);
    painter.drawImage(x, y, source);
}

void StretchDraw(QImage& target, const QRect& rect, const QImage& source) {
    if (source.isNull() || target.isNull() || rect.width() <= 0 || rect.height() <= 0) return;
    QPainter painter(&target);
    painter.drawImage(rect, source);
}

}  // namespace jadeleaf
