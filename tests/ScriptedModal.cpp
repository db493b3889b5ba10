// The tests' modal windows.
#include "tests/ScriptedModal.h"

#include <QCoreApplication>
#include <QDialog>

namespace jadeleaf::test {

MessageAnswer ScriptedModal::ShowMessage(QWidget*, std::string_view caption, std::string_view text, MessageIcon icon,
                                         MessageButtons buttons) {
    messages.push_back({std::string(caption), std::string(text), icon, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::No;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

// The dialog is really shown, so that its show handler fills it, and closed
// again once the test has looked at it.
int ScriptedModal::ExecDialog(QDialog& dialog) {
    dialogs.push_back({dialog.objectName().toStdString(), dialog.pos()});
    dialog.show();
    QCoreApplication::processEvents();
    if (onDialog) onDialog(dialog);
    dialog.hide();
    return QDialog::Accepted;
}

int ScriptedModal::Count(const std::string& name) const {
    int count = 0;
    for (const Dialog& dialog : dialogs) count += dialog.name == name ? 1 : 0;
    return count;
}

}  // namespace jadeleaf::test
