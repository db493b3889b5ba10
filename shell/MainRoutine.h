// The main routine: the application, its seven windows in their order, and
// the message loop.
#pragma once

#include <memory>

#include "shell/Forms.h"
#include "shell/TForm1.h"

namespace jadeleaf {

inline constexpr const char* kApplicationTitle = "Jadeleaf - Velora Edition, V1.1";

// The seven windows, which live for the whole run.
struct ApplicationWindows {
    ApplicationWindows();
    ~ApplicationWindows();
    ApplicationWindows(ApplicationWindows&&) noexcept;
    ApplicationWindows& operator=(ApplicationWindows&&) noexcept;

    // Frees the windows and clears the program-wide references to them.
    void Close();

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TCalendarForm> calendarForm;
    std::unique_ptr<TAboutBox> aboutBox;
    std::unique_ptr<TPrefDlg1> prefDlg1;
    std::unique_ptr<TResDlg1> resDlg1;
    std::unique_ptr<TInfoForm> infoForm;
    std::unique_ptr<TEndDlg1> endDlg1;
};

// Creates the windows in their order and sets the program-wide references;
// whatever the main window's construction throws is passed on.
ApplicationWindows CreateForms(const ShellServices& services);

// The two halves of CreateForms. The main window alone, with its program-wide
// reference; then the rest of the start: the icon theme's picture for the
// main window and the other six windows in their order.
ApplicationWindows CreateMainForm(const ShellServices& services);
void CompleteStart(ApplicationWindows& windows, const ShellServices& services);

// Shows the main window as soon as it exists, completes the start as the
// message loop's first event, and runs the loop. Whatever stops the start is
// shown in a message box; the result is the program's exit status, 1 then.
int RunApplication(const ShellServices& services);

int MainRoutine(int argc, char** argv);

}  // namespace jadeleaf
