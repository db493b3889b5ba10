// Commands added to a menu after the form's items.
#include "shell/MenuCommand.h"

namespace jadeleaf {

QAction* AddMenuCommand(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                        const QList<QKeySequence>& keys) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    action->setToolTip(hint);
    action->setShortcuts(keys);
    menu->addAction(action);
    return action;
}

}  // namespace jadeleaf
