// A status bar panel that draws its own text.
#include "shell/StatusPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBackingStore>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace jadeleaf {

namespace {

// What a screen reader reads of a panel: its text, as it reads a label's.
class StatusPanelAccessible final : public QAccessibleWidget {
public:
    explicit StatusPanelAccessible(StatusPanel* panel) : QAccessibleWidget(panel, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<const StatusPanel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

// The panel paints its own text, so the stock interface of a frame would
// show a screen reader an empty border.
QAccessibleInterface* StatusPanelInterface(const QString&, QObject* object) {
    auto* panel = dynamic_cast<StatusPanel*>(object);
    return panel != nullptr ? new StatusPanelAccessible(panel) : nullptr;
}

void Announce(StatusPanel* panel) {
    QAccessibleEvent event(panel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

StatusPanel::StatusPanel(QWidget* parent) : QFrame(parent) {
    static const bool factoryInstalled = (QAccessible::installFactory(StatusPanelInterface), true);
    (void)factoryInstalled;
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
    Announce(this);
}

void StatusPanel::SetTextNow(const QString& text) {
    if (text == text_) return;
    text_ = text;
    if (!DrawInPlace()) update(contentsRect());
}

// Once a second, while nothing else changes, the whole repaint round (which
// widgets to paint, in which order, a paint event through every filter) costs
// several times the drawing of the text; the window's picture is drawn into
// directly instead. A panel that something may cover, or that lies in a
// window of its own, gets the ordinary repaint, and so does a window that is
// not on the screen: its next repaint must not find the old text in the picture.
bool StatusPanel::DrawInPlace() {
    QWidget* window = this->window();
    QWindow* handle = window->windowHandle();
    QBackingStore* picture = window->backingStore();
    if (!isVisible() || !updatesEnabled() || handle == nullptr || !handle->isExposed() || picture == nullptr ||
        nativeParentWidget() != window || picture->paintDevice() == nullptr || picture->paintDevice()->paintingActive() ||
        CoveredByOthers()) {
        return false;
    }
    const QRegion inside = visibleRegion() & contentsRect();
    if (inside.isEmpty()) return true;
    const QPoint offset = mapTo(window, QPoint());
    const QRegion dirty = inside.translated(offset);
    picture->beginPaint(dirty);
    {
        QPainter painter(picture->paintDevice());
        painter.translate(offset);
        painter.setClipRegion(inside);
        painter.setFont(font());
        DrawInside(painter, contentsRect());
    }
    picture->endPaint();
    picture->flush(dirty, handle);
    return true;
}

// A widget stacked above the panel or above one of its parents, where the two
// overlap, must be painted again after the panel: the repaint round does that.
bool StatusPanel::CoveredByOthers() const {
    QRect area = rect();
    for (const QWidget* widget = this; !widget->isWindow(); widget = widget->parentWidget()) {
        area.translate(widget->pos());
        const QObjectList& siblings = widget->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(widget)) + 1; i < siblings.size(); ++i) {
            const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
            if (sibling != nullptr && !sibling->isWindow() && sibling->isVisible() && sibling->geometry().intersects(area)) return true;
        }
    }
    return false;
}

void StatusPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) indent_ = -1;
    QFrame::changeEvent(event);
}

void StatusPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    DrawInside(painter, event->rect());
    if (!contentsRect().contains(event->rect())) drawFrame(&painter);
}

void StatusPanel::DrawInside(QPainter& painter, const QRect& dirty) {
    painter.fillRect(dirty, palette().brush(backgroundRole()));
    if (text_.isEmpty()) return;
    // A framed label indents its text by half an "x", and centres it vertically.
    if (indent_ < 0) indent_ = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    QRect textArea = contentsRect();
    textArea.setLeft(textArea.left() + indent_);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    layout_.Draw(painter, textArea, text_);
}

}  // namespace jadeleaf
