// The results dialog: the share of the deck cleared, a verdict and a saying.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class ResDlg1;
}

namespace jadeleaf {

class TResDlg1 final : public QDialog {
public:
    explicit TResDlg1(QWidget* parent = nullptr);
    ~TResDlg1() override;

    Ui::ResDlg1& Controls() { return *ui_; }

private:
    std::unique_ptr<Ui::ResDlg1> ui_;
};

}  // namespace jadeleaf
