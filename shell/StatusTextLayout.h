// The laid-out line of text of a status panel, kept so that a new text with other digits is not shaped again.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

namespace jadeleaf {

// The playing time changes only its digits once a second. Laying a line of
// plain text out places each glyph one step after the one before it, and the
// step depends only on the two characters (the first one's advance and the
// kerning of the pair, "11" being closer than "00" in most fonts). So the
// digits' glyphs are exchanged in the line laid out for the text's pattern
// (its digits made 0), and each glyph after a changed pair moves by the
// difference of the two steps, measured once on the pair alone. That this
// gives exactly the line that laying the text out would give is checked once
// for each new pattern, with every ordered pair of digits in its digit places;
// with a font that fails the check every text is laid out afresh.
class StatusTextLayout {
public:
    // Draws text in area as a label draws its text: left aligned, centred
    // vertically, clipped to the area.
    void Draw(QPainter& painter, const QRect& area, const QString& text);

private:
    void LayOut(QPainter& painter, const QRect& area, const QString& text);
    bool ExchangeDigits(const QString& text);
    bool DigitsInterchangeable();
    bool EveryDigitPairPlaced();
    void PlaceDigits(const QString& text, QList<quint32>& glyphs, QList<QPointF>& positions);
    qreal Step(QChar first, QChar second);
    static QGlyphRun ShapedLine(const QString& text, const QFont& font);

    QFont font_;
    QRect area_;
    QPointF origin_;
    QGlyphRun run_;
    QString pattern_;
    QList<quint32> patternGlyphs_;
    QList<QPointF> patternPositions_;
    QHash<quint32, qreal> steps_;
    QHash<QString, bool> checkedPatterns_;
    bool hasRun_ = false;
    bool digitsInterchangeable_ = false;
    std::array<quint32, 10> digitGlyphs_{};
};

}  // namespace jadeleaf
