// The icon theme's picture of a given name, looked up only where an icon file can be.
#pragma once

#include <QIcon>
#include <QString>

namespace jadeleaf {

// Whether an icon file of this name lies where a theme lookup would search: in
// a folder one or two levels deep inside the current theme, the themes it
// inherits, or the fallback themes, in any of the theme search paths, or
// directly in a fallback search path. A few hundred file checks at most.
bool ThemeMayHoldIcon(const QString& name);

// QIcon::fromTheme(name, fallback), without the theme lookup when no theme
// holds a file of that name: loading a theme's index is the dearest single step
// of the program's start, and an uninstalled program finds nothing with it.
QIcon ThemeIconOr(const QString& name, const QIcon& fallback);

}  // namespace jadeleaf
