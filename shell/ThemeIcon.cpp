// The icon theme's picture of a given name, looked up only where an icon file can be.
#include "shell/ThemeIcon.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <string>

namespace jadeleaf {

namespace {

constexpr const char* kIconSuffixes[] = {".png", ".svg", ".svgz", ".xpm"};

// A plain access() per name: a theme has a few hundred folders, and a QFileInfo
// for each name tried costs several times as much.
bool HoldsIconFile(const QString& folder, const QString& name) {
    if (folder.startsWith(':')) {
        for (const char* suffix : kIconSuffixes) {
            if (QFileInfo::exists(folder + "/" + name + QLatin1String(suffix))) return true;
        }
        return false;
    }
    const std::string stem = QFile::encodeName(folder + "/" + name).toStdString();
    for (const char* suffix : kIconSuffixes) {
        if (::access((stem + suffix).c_str(), F_OK) == 0) return true;
    }
    return false;
}

// The themes named on the "Inherits=" line of a theme's index, read as plain
// lines: a full parse of a large index is what this check is there to avoid.
QStringList InheritedThemes(const QStringList& searchPaths, const QString& theme) {
    for (const QString& base : searchPaths) {
        QFile index(base + "/" + theme + "/index.theme");
        if (!index.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        while (!index.atEnd()) {
            const QByteArray line = index.readLine().trimmed();
            if (line.startsWith("Inherits")) {
                const qsizetype equals = line.indexOf('=');
                if (equals < 0) continue;
                QStringList names = QString::fromUtf8(line.mid(equals + 1)).split(',', Qt::SkipEmptyParts);
                for (QString& inherited : names) inherited = inherited.trimmed();
                return names;
            }
        }
        return {};
    }
    return {};
}

// The folders of a theme's pictures are named by size then context (32x32/apps)
// or by context then size (apps/48); both are two levels deep.
bool ThemeFolderHolds(const QString& themeFolder, const QString& name) {
    const QDir top(themeFolder);
    if (!top.exists()) return false;
    for (const QString& first : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString level1 = themeFolder + "/" + first;
        if (HoldsIconFile(level1, name)) return true;
        for (const QString& second : QDir(level1).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (HoldsIconFile(level1 + "/" + second, name)) return true;
        }
    }
    return false;
}

}  // namespace

bool ThemeMayHoldIcon(const QString& name) {
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QStringList themes{QIcon::themeName()};
    for (qsizetype at = 0; at < themes.size(); ++at) {
        for (const QString& inherited : InheritedThemes(searchPaths, themes[at])) {
            if (!themes.contains(inherited)) themes.push_back(inherited);
        }
    }
    for (const QString& last : {QIcon::fallbackThemeName(), QStringLiteral("hicolor")}) {
        if (!last.isEmpty() && !themes.contains(last)) themes.push_back(last);
    }
    for (const QString& base : searchPaths) {
        for (const QString& theme : themes) {
            if (!theme.isEmpty() && ThemeFolderHolds(base + "/" + theme, name)) return true;
        }
    }
    for (const QString& folder : QIcon::fallbackSearchPaths()) {
        if (HoldsIconFile(folder, name)) return true;
    }
    return false;
}

QIcon ThemeIconOr(const QString& name, const QIcon& fallback) {
    return ThemeMayHoldIcon(name) ? QIcon::fromTheme(name, fallback) : fallback;
}

}  // namespace jadeleaf
