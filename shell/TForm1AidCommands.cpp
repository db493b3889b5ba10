// The Game menu's aids beyond its own items: Undo and Redo.
#include <QMenu>

#include "shell/TForm1.h"
#include "ui_TForm1.h"

namespace jadeleaf {

namespace {

QAction* AddCommand(QMenu* menu, const char* name, const char* caption, const char* hint, const char* keys) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromUtf8(hint));
    action->setToolTip(QString::fromUtf8(hint));
    action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
    // The game loop enables them as the game allows.
    action->setEnabled(false);
    return action;
}

}  // namespace

// The aids come after the menu's own items, so that those keep their places.
void TForm1::CreateAidCommands() {
    QMenu* menu = ui_->GameMenu1;
    menu->addSeparator();
    undo1_ = AddCommand(menu, "Undo1", "&Undo", "Put the last pair back on the table", "Ctrl+Z");
    redo1_ = AddCommand(menu, "Redo1", "&Redo", "Take the pair put back off the table again", "Ctrl+Shift+Z");
    connect(undo1_, &QAction::triggered, this, [this] { game_.Undo1Click(); });
    connect(redo1_, &QAction::triggered, this, [this] { game_.Redo1Click(); });
}

QAction* TForm1::AidAction(WindowItem item) const {
    switch (item) {
    case WindowItem::Undo1:
        return undo1_;
    case WindowItem::Redo1:
        return redo1_;
    default:
        return nullptr;
    }
}

}  // namespace jadeleaf
