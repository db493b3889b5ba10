// The status panels' laid-out text.
#include "shell/StatusTextLayout.h"

#include <QList>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QTextOption>

namespace jadeleaf {

namespace {

// The way a label draws its one line of text.
constexpr int kLabelTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextForceLeftToRight;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The text with every digit made a 0: texts of one pattern differ only in their digits.
QString PatternOf(const QString& text) {
    QString pattern = text;
    for (QChar& c : pattern) {
        if (IsDigit(c)) c = QLatin1Char('0');
    }
    return pattern;
}

// The pattern with its digit places filled, in turn, with first and second.
QString Filled(const QString& pattern, QChar first, QChar second) {
    QString text = pattern;
    bool useFirst = true;
    for (QChar& c : text) {
        if (!IsDigit(c)) continue;
        c = useFirst ? first : second;
        useFirst = !useFirst;
    }
    return text;
}

}  // namespace

void StatusTextLayout::Draw(QPainter& painter, const QRect& area, const QString& text) {
    if (text.isEmpty()) return;
    const bool reusable = hasRun_ && area == area_ && painter.font() == font_;
    if (!reusable || !ExchangeDigits(text)) LayOut(painter, area, text);
    if (!hasRun_) {
        painter.drawText(area, kLabelTextFlags, text);
        return;
    }
    // A text longer than its panel is cut off at the panel's inner edge, as a label's is.
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.drawGlyphRun(origin_, run_);
    painter.restore();
}

void StatusTextLayout::LayOut(QPainter& painter, const QRect& area, const QString& text) {
    if (painter.font() != font_) {
        font_ = painter.font();
        steps_.clear();
        checkedPatterns_.clear();
        pattern_.clear();
    }
    area_ = area;
    run_ = ShapedLine(text, font_);
    // One glyph for each character, or the digits' glyphs cannot be found by place.
    hasRun_ = !run_.isEmpty() && run_.glyphIndexes().size() == text.size();
    if (!hasRun_) return;
    // Where the label would put the line's top left corner.
    origin_ = painter.boundingRect(QRectF(area), kLabelTextFlags, text).topLeft();
    const QString pattern = PatternOf(text);
    if (pattern == pattern_) return;
    pattern_ = pattern;
    digitsInterchangeable_ = DigitsInterchangeable();
}

bool StatusTextLayout::ExchangeDigits(const QString& text) {
    if (!digitsInterchangeable_ || PatternOf(text) != pattern_) return false;
    QList<quint32> glyphs = patternGlyphs_;
    QList<QPointF> positions = patternPositions_;
    PlaceDigits(text, glyphs, positions);
    run_.setGlyphIndexes(glyphs);
    run_.setPositions(positions);
    return true;
}

void StatusTextLayout::PlaceDigits(const QString& text, QList<quint32>& glyphs, QList<QPointF>& positions) {
    qreal moved = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsDigit(text[i])) glyphs[i] = digitGlyphs_[static_cast<std::size_t>(text[i].unicode() - u'0')];
        if (i > 0 && (text[i] != pattern_[i] || text[i - 1] != pattern_[i - 1])) {
            moved += Step(text[i - 1], text[i]) - Step(pattern_[i - 1], pattern_[i]);
        }
        positions[i].rx() += moved;
    }
}

// How far the second character stands after the first when the two are laid out alone.
qreal StatusTextLayout::Step(QChar first, QChar second) {
    const quint32 key = (quint32{first.unicode()} << 16) | second.unicode();
    const auto known = steps_.constFind(key);
    if (known != steps_.cend()) return *known;
    const QChar characters[2] = {first, second};
    const QGlyphRun pair = ShapedLine(QString(characters, 2), font_);
    const qreal step = pair.positions().size() == 2 ? pair.positions()[1].x() - pair.positions()[0].x() : 0;
    steps_.insert(key, step);
    return step;
}

// Every ordered pair of digits, in every digit place of the pattern, must
// give the glyphs and the places that laying the text out gives. Each
// pattern is checked once: the first panel changes between a few of them
// with every pair taken.
bool StatusTextLayout::DigitsInterchangeable() {
    if (!pattern_.contains(QLatin1Char('0'))) return false;
    const QGlyphRun zeros = ShapedLine(pattern_, font_);
    if (zeros.isEmpty() || zeros.glyphIndexes().size() != pattern_.size()) return false;
    const QList<quint32> digits = zeros.rawFont().glyphIndexesForString(QStringLiteral("0123456789"));
    if (digits.size() != 10 || digits.contains(0u)) return false;
    std::copy(digits.begin(), digits.end(), digitGlyphs_.begin());
    patternGlyphs_ = zeros.glyphIndexes();
    patternPositions_ = zeros.positions();
    const auto checked = checkedPatterns_.constFind(pattern_);
    if (checked != checkedPatterns_.cend()) return *checked;
    const bool interchangeable = EveryDigitPairPlaced();
    checkedPatterns_.insert(pattern_, interchangeable);
    return interchangeable;
}

bool StatusTextLayout::EveryDigitPairPlaced() {
    for (char16_t first = u'0'; first <= u'9'; ++first) {
        for (char16_t second = u'0'; second <= u'9'; ++second) {
            const QString text = Filled(pattern_, QChar(first), QChar(second));
            const QGlyphRun laidOut = ShapedLine(text, font_);
            QList<quint32> glyphs = patternGlyphs_;
            QList<QPointF> positions = patternPositions_;
            PlaceDigits(text, glyphs, positions);
            if (laidOut.glyphIndexes() != glyphs || laidOut.positions() != positions) return false;
        }
    }
    return true;
}

// The text laid out on one line as a label lays it out; empty when the line
// needs more than one run of glyphs (several fonts or directions).
QGlyphRun StatusTextLayout::ShapedLine(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.size() == 1 ? runs.first() : QGlyphRun();
}

}  // namespace jadeleaf
