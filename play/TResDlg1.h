// The results dialog: the share of the deck cleared, the verdict of its band
// and, if the player wishes, a saying.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "model/Game.h"

namespace Ui {
class ResDlg1;
}

namespace jadeleaf {

class TResDlg1 final : public QDialog {
public:
    explicit TResDlg1(QWidget* parent = nullptr);
    ~TResDlg1() override;

    // The game whose score it shows, the clock it draws its saying with, and
    // how the Show Messages option is stored.
    void Attach(Game& game, GameWindow& window, std::function<void()> storeShowMessages);

    Ui::ResDlg1& Controls() { return *ui_; }

    void FormShow();
    void ShowResultText();
    void BitBtn1Click();
    void CheckBox1Click();

    // The position in its block of the saying shown last; 10 at first, so
    // that any of 0-9 may come first.
    int lastSayingIndex = 10;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int DrawSayingIndex();

    std::unique_ptr<Ui::ResDlg1> ui_;
    Game* game_ = nullptr;
    GameWindow* window_ = nullptr;
    std::function<void()> storeShowMessages_;
};

}  // namespace jadeleaf
