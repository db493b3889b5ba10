// A panel of the main window's status bar: a sunken frame with one line of plain text.
#pragma once

#include <QFrame>
#include <QString>

#include "shell/StatusTextLayout.h"

class QPainter;

namespace jadeleaf {

// It looks exactly like a framed label with the same font, but a new text
// costs only the drawing of that text: the playing time changes it every
// second while the game waits, and a label spends more on each change than on
// the drawing itself (text analysis, style sheet lookups, the frame again).
class StatusPanel final : public QFrame {
public:
    explicit StatusPanel(QWidget* parent);

    QString text() const { return text_; }
    // A screen reader hears of the new text.
    void setText(const QString& text);
    // Shows the new text at once: drawn straight into the window's picture
    // and sent to the screen, without a paint event and without the message
    // loop's repaint round over the window. A screen reader reads the new
    // text when asked but is not told of it: the playing time changes it
    // every second, and a reader would announce every second.
    void SetTextNow(const QString& text);
    void clear() { setText(QString()); }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool DrawInPlace();
    bool CoveredByOthers() const;
    void DrawInside(QPainter& painter, const QRect& dirty);

    QString text_;
    int indent_ = -1;  // half an "x" of the font, measured again after a font change
    StatusTextLayout layout_;
};

}  // namespace jadeleaf
