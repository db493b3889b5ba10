// A status bar panel that draws its own text.
#include "shell/StatusPanel.h"

#include <QPaintEvent>
#include <QPainter>

namespace jadeleaf {

StatusPanel::StatusPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    // The panel fills its own background: one painter a paint instead of two.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatusPanel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    // The frame stays as it is; only the inside is drawn again.
    update(contentsRect());
}

void StatusPanel::SetTextNow(const QString& text) {
    if (text == text_) return;
    text_ = text;
    repaint(contentsRect());
}

void StatusPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().brush(backgroundRole()));
    if (!contentsRect().contains(event->rect())) drawFrame(&painter);
    if (text_.isEmpty()) return;
    // A framed label indents its text by half an "x", and centres it vertically.
    QRect textArea = contentsRect();
    textArea.setLeft(textArea.left() + fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextForceLeftToRight, text_);
}

}  // namespace jadeleaf
