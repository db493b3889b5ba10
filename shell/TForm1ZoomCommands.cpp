// The View menu's commands that size the table and the window: zoom, fit and full screen.
#include <QAction>

#include "settings/SettingsStore.h"
#include "shell/MenuCommand.h"
#include "shell/TForm1.h"
#include "ui_TForm1.h"

namespace jadeleaf {

void TForm1::CreateZoomCommands() {
    QMenu* menu = ui_->ViewMenu1;
    menu->addSeparator();
    ConnectCommand(AddMenuCommand(menu, "ZoomIn1", "Zoom &In", "Show the table larger",
                       {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}),
                   &QAction::triggered, [this] { ZoomIn1Click(); });
    ConnectCommand(AddMenuCommand(menu, "ZoomOut1", "Zoom &Out", "Show the table smaller",
                       {QKeySequence(Qt::CTRL | Qt::Key_Minus)}),
                   &QAction::triggered, [this] { ZoomOut1Click(); });
    ConnectCommand(AddMenuCommand(menu, "ActualSize1", "&Actual Size", "Show the table at its own size",
                       {QKeySequence(Qt::CTRL | Qt::Key_0)}),
                   &QAction::triggered, [this] { ActualSize1Click(); });
    fitToWindow1_ =
        AddMenuCommand(menu, "FitToWindow1", "Fit Table to &Window", "Show the table as large as the window allows", {});
    fitToWindow1_->setCheckable(true);
    ConnectCommand(fitToWindow1_, &QAction::triggered, [this] { FitToWindow1Click(); });
    fullScreen1_ = AddMenuCommand(menu, "FullScreen1", "F&ull Screen", "Show the window on the whole screen",
                              {QKeySequence(Qt::Key_F11)});
    fullScreen1_->setCheckable(true);
    ConnectCommand(fullScreen1_, &QAction::triggered, [this] { FullScreen1Click(); });
}

void TForm1::ZoomIn1Click() { ChooseTableScale(LargerScale(geometry_.scale)); }

void TForm1::ZoomOut1Click() { ChooseTableScale(SmallerScale(geometry_.scale)); }

void TForm1::ActualSize1Click() { ChooseTableScale(kActualScale); }

// Leaving the fit keeps the table at the size it has.
void TForm1::FitToWindow1Click() { ChooseTableScale(fitToWindow1_->isChecked() ? kFitScale : geometry_.scale); }

void TForm1::FullScreen1Click() {
    setWindowState(windowState() ^ Qt::WindowFullScreen);
    fullScreen1_->setChecked(isFullScreen());
}

// The choice holds for this run even when the settings file refuses it.
void TForm1::ChooseTableScale(int scale) {
    game_.settings.tableScale = scale;
    fitToWindow1_->setChecked(scale == kFitScale);
    SetTableScale(scale == kFitScale ? FitScale(CurrentMeasures(), ui_->Panel1->height(), game_.settings) : scale);
    try {
        WriteTableScale(settingsFile_, game_.settings);
    } catch (const std::exception& error) {
        ReportException(error);
    }
}

}  // namespace jadeleaf
