// The icon theme's picture of a given name, looked up only where an icon file can be.
#include "shell/ThemeIcon.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <string>
#include <string_view>

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

// The themes named on the "Inherits=" line of a theme's index, found by a plain
// search of its bytes: a full parse of a large index is what this check is
// there to avoid, and even reading it line by line costs milliseconds.
QStringList InheritedThemes(const QStringList& searchPaths, const QString& theme) {
    for (const QString& base : searchPaths) {
        QFile index(base + "/" + theme + "/index.theme");
        if (!index.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = index.readAll();
        for (qsizetype at = text.indexOf("Inherits"); at >= 0; at = text.indexOf("Inherits", at + 1)) {
            if (at > 0 && text[at - 1] != '\n') continue;
            const qsizetype lineEnd = text.indexOf('\n', at);
            const QByteArray line = text.mid(at, lineEnd < 0 ? -1 : lineEnd - at).trimmed();
            const qsizetype equals = line.indexOf('=');
            if (equals < 0) continue;
            QStringList names = QString::fromUtf8(line.mid(equals + 1)).split(',', Qt::SkipEmptyParts);
            for (QString& inherited : names) inherited = inherited.trimmed();
            return names;
        }
        return {};
    }
    return {};
}

// The folders inside a folder, read with readdir(): QDir's listing builds and
// sorts far more than this check needs, for each of a theme's folders.
QStringList SubFolders(const QString& folder) {
    if (folder.startsWith(':')) return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList names;
    const QByteArray path = QFile::encodeName(folder);
    DIR* listing = ::opendir(path.constData());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view entryName = entry->d_name;
        if (entryName == "." || entryName == "..") continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status {};
            isFolder = ::stat((path + "/" + entry->d_name).constData(), &status) == 0 && S_ISDIR(status.st_mode);
        }
        if (isFolder) names.push_back(QFile::decodeName(entry->d_name));
    }
    ::closedir(listing);
    return names;
}

// The folders of a theme's pictures are named by size then context (32x32/apps)
// or by context then size (apps/48); both are two levels deep.
bool ThemeFolderHolds(const QString& themeFolder, const QString& name) {
    for (const QString& first : SubFolders(themeFolder)) {
        const QString level1 = themeFolder + "/" + first;
        if (HoldsIconFile(level1, name)) return true;
        for (const QString& second : SubFolders(level1)) {
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
