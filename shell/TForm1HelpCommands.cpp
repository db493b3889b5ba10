// The Help menu's three commands and the main window's restore after them.
#include "shell/Forms.h"
#include "shell/TAboutBox.h"
#include "shell/TCalendarForm.h"
#include "shell/TForm1.h"
#include "shell/TInfoForm.h"

namespace jadeleaf {

void TForm1::HelpAbout1Click() {
    const QPoint origin = ClientOrigin();
    if (AboutBox == nullptr) return;
    AboutBox->hide();
    AboutBox->move(origin + QPoint(30, 29));
    services_.modal.ExecDialog(*AboutBox);
}

void TForm1::QuickInfo1Click() {
    if (InfoForm == nullptr) return;
    InfoForm->move(ClientOrigin() + QPoint(21, 20));
    services_.modal.ExecDialog(*InfoForm);
    RestoreTableArea();
}

void TForm1::ShowDate1Click() {
    if (CalendarForm == nullptr) return;
    CalendarForm->move(ClientOrigin() + QPoint(30, 29));
    services_.modal.ExecDialog(*CalendarForm);
    RestoreTableArea();
}

// After the window is activated or a Help window closes, the table, the
// message line and the score box come back as the game left them.
void TForm1::RestoreTableArea() {
    SetCursor(WindowCursor::Arrow);
    if (game_.shell.startupPending) return;
    if (game_.table.tableReady == 0) {
        ShowGamePanels(false);
    } else if (game_.shell.viewMode == kViewTable) {
        game_.paint.copyTablePicture = 1;
        ShowGamePanels(true);
    }
    game_.paint.eraseTableArea = 1;
    PaintSideWindow();
    Paint();
}

}  // namespace jadeleaf
