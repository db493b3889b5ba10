// The about box.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutBox;
}

namespace jadeleaf {

class TAboutBox final : public QDialog {
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    Ui::AboutBox& Controls() { return *ui_; }

private:
    std::unique_ptr<Ui::AboutBox> ui_;
};

}  // namespace jadeleaf
