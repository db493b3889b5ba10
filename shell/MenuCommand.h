// Commands the program adds to a menu after the items its form describes.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>

namespace jadeleaf {

// Appends a command to `menu` with its object name, caption and keys. Its hint
// is both its status tip and its tool tip, as for the form's own items.
QAction* AddMenuCommand(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                        const QList<QKeySequence>& keys = {});

}  // namespace jadeleaf
