// The main window's side of the preferences: the command that opens the
// dialog, and what the dialog reaches of the window.
#include <QGuiApplication>

#include "shell/Forms.h"
#include "shell/TForm1.h"
#include "shell/TPrefDlg1.h"
#include "ui_TPrefDlg1.h"

namespace jadeleaf {

void TForm1::GamePref1Click() {
    if (game_.shell.startupPending) return;
    if (PrefDlg1 == nullptr) return;
    SetCursor(WindowCursor::Arrow);
    if (!PrefDlg1->isVisible()) {
        PrefDlg1->show();
        PrefDlg1->raise();
    }
    PrefDlg1->Controls().Label4->resize(276, PrefDlg1->Controls().Label4->height());
    PrefDlg1->move(ClientOrigin() + QPoint(30, 29));
    PrefDlg1->show();
    PrefDlg1->raise();
    PrefDlg1->activateWindow();
}

bool TForm1::StoreOptions(SettingsWriter writer) {
    try {
        writer(settingsFile_, game_.settings);
        return true;
    } catch (const std::exception& error) {
        ReportException(error);
        return false;
    }
}

// A side window whose picture is on the screen is cleared at its old size by
// the side-window painter before it takes the new one; otherwise the new
// size holds from now on.
void TForm1::SideWindowChanged() {
    game_.shell.optionsChanged = 1;
    if (!game_.paint.sidePictureDrawn) ComputeGeometry();
}

}  // namespace jadeleaf
