// The main routine.
#include "shell/MainRoutine.h"

#include <QApplication>
#include <exception>

#include "framework/ModalService.h"
#include "framework/SystemClock.h"
#include "play/TEndDlg1.h"
#include "play/TResDlg1.h"
#include "shell/Forms.h"
#include "shell/TAboutBox.h"
#include "shell/TCalendarForm.h"
#include "shell/TInfoForm.h"
#include "shell/TPrefDlg1.h"

namespace jadeleaf {

ApplicationWindows::ApplicationWindows() = default;
ApplicationWindows::ApplicationWindows(ApplicationWindows&&) noexcept = default;

ApplicationWindows& ApplicationWindows::operator=(ApplicationWindows&& other) noexcept {
    if (this != &other) {
        Close();
        form1 = std::move(other.form1);
        calendarForm = std::move(other.calendarForm);
        aboutBox = std::move(other.aboutBox);
        prefDlg1 = std::move(other.prefDlg1);
        resDlg1 = std::move(other.resDlg1);
        infoForm = std::move(other.infoForm);
        endDlg1 = std::move(other.endDlg1);
    }
    return *this;
}

ApplicationWindows::~ApplicationWindows() { Close(); }

// The dialogs go first: the main window is their parent.
void ApplicationWindows::Close() {
    if (form1 == nullptr) return;
    endDlg1.reset();
    infoForm.reset();
    resDlg1.reset();
    prefDlg1.reset();
    aboutBox.reset();
    calendarForm.reset();
    form1.reset();
    Form1 = nullptr;
    CalendarForm = nullptr;
    AboutBox = nullptr;
    PrefDlg1 = nullptr;
    ResDlg1 = nullptr;
    InfoForm = nullptr;
    EndDlg1 = nullptr;
}

ApplicationWindows CreateForms(const ShellServices& services) {
    ApplicationWindows windows;
    windows.form1 = std::make_unique<TForm1>(services);
    Form1 = windows.form1.get();
    windows.calendarForm = std::make_unique<TCalendarForm>(Form1);
    CalendarForm = windows.calendarForm.get();
    TForm1* form = Form1;
    windows.aboutBox = std::make_unique<TAboutBox>(services.clock, [form] { return form->ClientOrigin(); }, Form1);
    AboutBox = windows.aboutBox.get();
    windows.prefDlg1 = std::make_unique<TPrefDlg1>(*Form1, services.clock, Form1);
    PrefDlg1 = windows.prefDlg1.get();
    // Its description marks it visible: it appears as soon as it exists.
    PrefDlg1->show();
    windows.resDlg1 = std::make_unique<TResDlg1>(Form1);
    ResDlg1 = windows.resDlg1.get();
    ResDlg1->Attach(form->GameState(), *form, [form] { form->StoreShowMessages(); });
    windows.infoForm = std::make_unique<TInfoForm>(Form1);
    InfoForm = windows.infoForm.get();
    windows.endDlg1 = std::make_unique<TEndDlg1>(Form1);
    EndDlg1 = windows.endDlg1.get();
    return windows;
}

int RunApplication(const ShellServices& services) {
    try {
        ApplicationWindows windows = CreateForms(services);
        windows.form1->show();
        QApplication::exec();
    } catch (const std::exception& error) {
        services.modal.ShowMessage(nullptr, kApplicationTitle, ErrorBoxText(error), MessageIcon::Error,
                                   MessageButtons::Ok);
        // A start that failed must not look like a run that went well to
        // whatever started the program.
        return 1;
    }
    return 0;
}

int MainRoutine(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    // Wayland desktops find the window's icon and menu entry through the desktop file's name.
    QGuiApplication::setDesktopFileName("jadeleaf");
    QApplication::setQuitOnLastWindowClosed(false);
    SystemClock clock;
    QtModalService modal;
    return RunApplication({clock, modal, RegistryFile::DefaultPath(), std::nullopt, true});
}

}  // namespace jadeleaf
