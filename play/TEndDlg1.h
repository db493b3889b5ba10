// The small dialog that says no move is left.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class EndDlg1;
}

namespace jadeleaf {

class TEndDlg1 final : public QDialog {
public:
    explicit TEndDlg1(QWidget* parent = nullptr);
    ~TEndDlg1() override;

    Ui::EndDlg1& Controls() { return *ui_; }

private:
    std::unique_ptr<Ui::EndDlg1> ui_;
};

}  // namespace jadeleaf
