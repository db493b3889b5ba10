// The about box: the emblem, the studio's texts, and the web address that a
// button or a press on the address line copies to the clipboard.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "framework/PlatformTimer.h"
#include "model/GameTable.h"

namespace Ui {
class AboutBox;
}

namespace jadeleaf {

// The maker's web address, as the address line shows it and the copy puts it on the clipboard.
inline constexpr const char* kMakerAddress = "http://www.quarrow.example/";
inline constexpr const char* kCopyConfirmation = "URL copied to Clipboard";

class TAboutBox final : public QDialog {
public:
    // `clientOrigin` gives the main window's client-area origin on the screen.
    TAboutBox(Clock& clock, std::function<QPoint()> clientOrigin, QWidget* parent = nullptr);
    ~TAboutBox() override;

    Ui::AboutBox& Controls() { return *ui_; }
    PlatformTimer& Timer1() { return timer1_; }
    bool CopyConfirming() const { return copyConfirming == 1; }

    void FormActivate();
    void Button1Click();
    void RichEdit1MouseDown();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMemoMenu(QPoint at);
    void FormCreate();
    void WriteAddressLine(const QString& text, const char* colour, bool underlined);
    void MakeMemoReadOnly();

    std::unique_ptr<Ui::AboutBox> ui_;
    PlatformTimer timer1_;
    std::function<QPoint()> clientOrigin_;
    Flag copyConfirming = 0;
};

}  // namespace jadeleaf
