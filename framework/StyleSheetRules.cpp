// The windows' style sheets, applied as fonts and colours.
#include "framework/StyleSheetRules.h"

#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QHash>
#include <QPalette>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

namespace jadeleaf {

namespace {

struct Selector {
    bool everything = false;  // *
    QString name;             // #Name
    QString type;             // #Name Type: the widgets of that type inside it

    int Specificity() const { return everything ? 0 : type.isEmpty() ? 1 : 2; }
};

struct Declarations {
    std::optional<QFont> font;
    QString fontText;            // as written, for a titled group box's own style sheet
    std::optional<QString> background;
    std::optional<QColor> colour;
};

struct Rule {
    Selector selector;
    Declarations declarations;
};

[[noreturn]] void Unreadable(const QString& what) {
    throw std::invalid_argument("style sheet: cannot read " + what.toStdString());
}

QString WithoutComments(const QString& text) {
    QString kept;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = text.indexOf(QStringLiteral("/*"), from);
        if (start < 0) break;
        const qsizetype end = text.indexOf(QStringLiteral("*/"), start + 2);
        if (end < 0) Unreadable("a comment without its end");
        kept += text.mid(from, start - from);
        from = end + 2;
    }
    return kept + text.mid(from);
}

bool IsIdentifier(const QString& text) {
    if (text.isEmpty() || text[0].isDigit()) return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber() || c == u'_'; });
}

Selector ReadSelector(const QString& text) {
    const QStringList parts = text.simplified().split(u' ');
    Selector selector;
    if (parts.size() == 1 && parts[0] == u"*") {
        selector.everything = true;
        return selector;
    }
    if (parts.size() > 2 || !parts[0].startsWith(u'#') || !IsIdentifier(parts[0].mid(1)) ||
        (parts.size() == 2 && !IsIdentifier(parts[1]))) {
        Unreadable("the selector \"" + text.trimmed() + "\"");
    }
    selector.name = parts[0].mid(1);
    if (parts.size() == 2) selector.type = parts[1];
    return selector;
}

// font: [bold] <n>px "Family", "Family", ...
QFont ReadFont(const QString& value) {
    QString rest = value;
    const bool bold = rest.startsWith(QStringLiteral("bold "));
    if (bold) rest = rest.mid(5);
    const qsizetype px = rest.indexOf(QStringLiteral("px "));
    bool isNumber = false;
    const int pixels = px > 0 && px <= 3 ? rest.left(px).toInt(&isNumber) : 0;
    if (!isNumber || pixels <= 0) Unreadable("the font \"" + value + "\"");
    QStringList families;
    for (QString family : rest.mid(px + 3).split(u',')) {
        family = family.trimmed();
        if (family.size() >= 2 && family.startsWith(u'"') && family.endsWith(u'"')) family = family.mid(1, family.size() - 2);
        if (family.isEmpty() || family.contains(u'"')) Unreadable("the font \"" + value + "\"");
        families.append(family);
    }
    QFont face;
    face.setFamilies(families);
    face.setPixelSize(pixels);
    face.setWeight(bold ? QFont::Bold : QFont::Normal);
    face.setStyle(QFont::StyleNormal);
    return face;
}

QColor ReadColour(const QString& value) {
    if (!QColor::isValidColorName(value)) Unreadable("the colour \"" + value + "\"");
    return QColor(value);
}

Declarations ReadDeclarations(const QString& body) {
    Declarations declarations;
    for (const QString& declaration : body.split(u';', Qt::SkipEmptyParts)) {
        if (declaration.trimmed().isEmpty()) continue;
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0) Unreadable("\"" + declaration.trimmed() + "\"");
        const QString property = declaration.left(colon).trimmed();
        const QString value = declaration.mid(colon + 1).simplified();
        if (property == u"font") {
            declarations.font = ReadFont(value);
            declarations.fontText = value;
        } else if (property == u"background-color") {
            if (value != u"palette(button)") ReadColour(value);
            declarations.background = value;
        } else if (property == u"color") {
            declarations.colour = ReadColour(value);
        } else {
            Unreadable("the property \"" + property + "\"");
        }
    }
    return declarations;
}

// The rules in the order they are set: the more specific later, each kind in
// the style sheet's order.
std::vector<Rule> ReadRules(const QString& styleSheet) {
    std::vector<Rule> rules;
    QString rest = WithoutComments(styleSheet);
    for (;;) {
        const qsizetype open = rest.indexOf(u'{');
        if (open < 0) break;
        const qsizetype close = rest.indexOf(u'}', open);
        const qsizetype next = rest.indexOf(u'{', open + 1);
        if (close < 0 || (next >= 0 && next < close)) {
            Unreadable("the braces");
        }
        const Declarations declarations = ReadDeclarations(rest.mid(open + 1, close - open - 1));
        for (const QString& selector : rest.left(open).split(u',')) {
            rules.push_back({ReadSelector(selector), declarations});
        }
        rest = rest.mid(close + 1);
    }
    if (!rest.trimmed().isEmpty()) Unreadable("\"" + rest.trimmed() + "\"");
    std::stable_sort(rules.begin(), rules.end(), [](const Rule& a, const Rule& b) {
        return a.selector.Specificity() < b.selector.Specificity();
    });
    return rules;
}

std::vector<QWidget*> Targets(QWidget& window, const Selector& selector) {
    std::vector<QWidget*> named;
    if (window.objectName() == selector.name) named.push_back(&window);
    for (QWidget* widget : window.findChildren<QWidget*>(selector.name)) named.push_back(widget);
    if (named.empty()) Unreadable("#" + selector.name + ": no such widget");
    if (selector.type.isEmpty()) return named;
    std::vector<QWidget*> typed;
    for (QWidget* widget : named) {
        for (QWidget* inside : widget->findChildren<QWidget*>()) {
            if (inside->inherits(selector.type.toLatin1().constData())) typed.push_back(inside);
        }
    }
    return typed;
}

// What lies directly on the widget and shows its own font and colours, not
// the widget's: all of it but windows and a text box's viewport.
std::vector<QWidget*> OwnChildren(QWidget& widget) {
    std::vector<QWidget*> children;
    const auto* textBox = qobject_cast<QAbstractScrollArea*>(&widget);
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && (textBox == nullptr || child != textBox->viewport())) children.push_back(child);
    }
    return children;
}

void KeepFont(QWidget& widget) {
    QFont own = widget.font();
    own.setResolveMask(QFont::AllPropertiesResolved);
    widget.setFont(own);
}

void KeepColours(QWidget& widget) {
    QPalette own = widget.palette();
    own.setResolveMask(~QPalette::ResolveMask{0});
    widget.setPalette(own);
}

void SetColours(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& colour) {
    QPalette colours = widget.palette();
    for (const QPalette::ColorRole role : roles) colours.setColor(role, colour);
    widget.setPalette(colours);
}

void SetDeclarations(QWidget& widget, const Declarations& declarations) {
    if (declarations.font) {
        for (QWidget* child : OwnChildren(widget)) KeepFont(*child);
        widget.setFont(*declarations.font);
    }
    if (declarations.background || declarations.colour) {
        for (QWidget* child : OwnChildren(widget)) KeepColours(*child);
    }
    if (declarations.background) {
        const QColor colour = *declarations.background == u"palette(button)" ? widget.palette().color(QPalette::Button)
                                                                             : QColor(*declarations.background);
        SetColours(widget, {QPalette::Window, QPalette::Base, QPalette::Button}, colour);
        // A text box's viewport fills itself.
        if (qobject_cast<QAbstractScrollArea*>(&widget) == nullptr) widget.setAutoFillBackground(true);
    }
    if (declarations.colour) {
        SetColours(widget, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}, *declarations.colour);
    }
}

}  // namespace

void ApplyStyleSheet(QWidget& window) {
    const std::vector<Rule> rules = ReadRules(window.property(kDescribedStyleSheet).toString());
    QHash<QWidget*, QString> groupBoxFaces;
    for (const Rule& rule : rules) {
        const Declarations& declarations = rule.declarations;
        if (rule.selector.everything) {
            if (declarations.background || declarations.colour || !declarations.font) Unreadable("* beyond a font");
            window.setFont(*declarations.font);
            for (QWidget* inside : window.findChildren<QWidget*>()) {
                if (inside->isWindow()) inside->setFont(*declarations.font);
                if (qobject_cast<QGroupBox*>(inside) != nullptr) groupBoxFaces[inside] = declarations.fontText;
            }
            continue;
        }
        for (QWidget* widget : Targets(window, rule.selector)) {
            SetDeclarations(*widget, declarations);
            if (declarations.font && qobject_cast<QGroupBox*>(widget) != nullptr) {
                groupBoxFaces[widget] = declarations.fontText;
            }
        }
    }
    for (auto face = groupBoxFaces.cbegin(); face != groupBoxFaces.cend(); ++face) {
        const auto* box = static_cast<QGroupBox*>(face.key());
        if (box->title().isEmpty()) continue;
        face.key()->setStyleSheet(QStringLiteral("QGroupBox { font: %1; }").arg(face.value()));
    }
}

}  // namespace jadeleaf
