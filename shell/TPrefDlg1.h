// The preferences dialog: four pages of options, each stored by OK page by
// page, with a status line that answers every action.
#pragma once

#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <memory>

#include "framework/PlatformTimer.h"
#include "shell/PreferencesHost.h"

class QFocusEvent;
class QLineEdit;

namespace Ui {
class PrefDlg1;
}

namespace jadeleaf {

class TPrefDlg1 final : public QDialog {
public:
    TPrefDlg1(PreferencesHost& host, Clock& clock, QWidget* parent = nullptr);
    ~TPrefDlg1() override;

    Ui::PrefDlg1& Controls() { return *ui_; }
    PlatformTimer& Timer1() { return timer1_; }
    QString StatusText() const;

    // Handlers.
    void OnPrefAct();
    void OnPageChange();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void Edit1Enter();
    void Edit1Exit();
    void Edit2Enter();
    void Edit3Enter();
    void TabSheet3Enter();
    void TabSheet4Enter();
    void OnBtn1Click();
    void Timer1Timer();

    // What the OK button leaves for the pause timer, and the numbers read at
    // the last OK on the Window Size page.
    struct PageState {
        Flag advancePage = 0;              // the pause timer moves on to the next page
        std::int32_t pauseInterval = 500;  // ms, the pause the next OK starts
        std::int32_t widthEntry = 0;
        std::int32_t heightEntry = 0;
    };
    const PageState& State() const { return state_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ConnectControls();
    void SelectPage(int page);
    void SetStatus(const char* text);
    void SetStatus(const QString& text);
    // The box's text, then the file and why it failed the check on the next line.
    void ReportBitmapError(const char* text, const std::string& failure);
    // Writes through the settings store; after a refused write the status says so.
    bool Store(SettingsWriter writer, const char* storedText);
    bool CheckPictureFile(const std::string& path, std::string& failure);
    void StoreDisplayOptions();
    void StoreSize();
    void StoreDelays();
    // Reads one size box after the player changed it; false for a number out of range.
    bool ReadSizeEntry(QLineEdit& box, int limit, std::int32_t& entry);
    void SetBoxColour(QLineEdit& box, Qt::GlobalColor colour);

    // The activation that a press on the inactive dialog stands for.
    void WatchPress(QObject& watched, QEvent::Type type);
    // The enter events of the Window Size page and of the boxes.
    void WatchFocusIn(QWidget& widget, const QFocusEvent& event);

    std::unique_ptr<Ui::PrefDlg1> ui_;
    PreferencesHost& host_;
    PlatformTimer timer1_;
    PageState state_;
    // The dialog's control that had the focus last: the Window Size page is
    // entered when the focus comes to it from a control outside it.
    QPointer<QWidget> lastFocus_;
    // A box of this dialog takes the activation away; getting it back, before
    // the player has used the dialog again, is no new activation.
    bool reactivationAfterBox_ = false;
    // A press on the inactive dialog has already run the activation's steps.
    bool activatedByPress_ = false;
};

}  // namespace jadeleaf
