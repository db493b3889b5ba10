// The preferences dialog.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class PrefDlg1;
}

namespace jadeleaf {

class TPrefDlg1 final : public QDialog {
public:
    explicit TPrefDlg1(QWidget* parent = nullptr);
    ~TPrefDlg1() override;

    Ui::PrefDlg1& Controls() { return *ui_; }

private:
    std::unique_ptr<Ui::PrefDlg1> ui_;
};

}  // namespace jadeleaf
