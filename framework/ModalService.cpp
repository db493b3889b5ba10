// Qt's modal windows.
#include "framework/ModalService.h"

#include <QDialog>
#include <QMessageBox>
#include <QString>

namespace jadeleaf {

namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtModalService::ShowMessage(QWidget* parent, std::string_view caption, std::string_view text,
                                          MessageIcon icon, MessageButtons buttons) {
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (yesNo) box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (!yesNo) return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

int QtModalService::ExecDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace jadeleaf
