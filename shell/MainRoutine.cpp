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

ApplicationWindows CreateMainForm(const ShellServices& services) {
    ApplicationWindows windows;
    windows.form1 = std::make_unique<TForm1>(services);
    Form1 = windows.form1.get();
    // The windows without a face of their own (menus made later, message
    // boxes, tool tips, text boxes' own menus) show the main window's.
    QApplication::setFont(Form1->font());
    return windows;
}

void CompleteStart(ApplicationWindows& windows, const ShellServices& services) {
    TForm1* form = windows.form1.get();
    form->UseThemeIcon();
    windows.calendarForm = std::make_unique<TCalendarForm>(form);
    CalendarForm = windows.calendarForm.get();
    windows.aboutBox = std::make_unique<TAboutBox>(services.clock, [form] { return form->ClientOrigin(); }, form);
    AboutBox = windows.aboutBox.get();
    windows.prefDlg1 = std::make_unique<TPrefDlg1>(*form, services.clock, form);
    PrefDlg1 = windows.prefDlg1.get();
    // Its description marks it visible: it appears as soon as it exists.
    PrefDlg1->show();
    windows.resDlg1 = std::make_unique<TResDlg1>(form);
    ResDlg1 = windows.resDlg1.get();
    ResDlg1->Attach(form->GameState(), *form, [form] { form->StoreShowMessages(); });
    windows.infoForm = std::make_unique<TInfoForm>(form);
    InfoForm = windows.infoForm.get();
    windows.endDlg1 = std::make_unique<TEndDlg1>(form);
    EndDlg1 = windows.endDlg1.get();
}

ApplicationWindows CreateForms(const ShellServices& services) {
    ApplicationWindows windows = CreateMainForm(services);
    CompleteStart(windows, services);
    return windows;
}

namespace {

void ShowStartFailure(const ShellServices& services, const std::exception& error) {
    services.modal.ShowMessage(nullptr, kApplicationTitle, ErrorBoxText(error), MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

int RunApplication(const ShellServices& services) {
    ApplicationWindows windows;
    try {
        windows = CreateMainForm(services);
        windows.form1->show();
    } catch (const std::exception& error) {
        ShowStartFailure(services, error);
        // A start that failed must not look like a run that went well to
        // whatever started the program.
        return 1;
    }
    // The main window goes to the screen first. The rest of the start is the
    // first event of the message loop: it comes before the loop's first idle
    // moment and before any input, and after the window system has the window.
    int status = 0;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            try {
                CompleteStart(windows, services);
            } catch (const std::exception& error) {
                ShowStartFailure(services, error);
                status = 1;
                QCoreApplication::exit(status);
            }
        },
        Qt::QueuedConnection);
    QApplication::exec();
    return status;
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
