// The quick-information page.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class InfoForm;
}

namespace jadeleaf {

class TInfoForm final : public QDialog {
public:
    explicit TInfoForm(QWidget* parent = nullptr);
    ~TInfoForm() override;

    Ui::InfoForm& Controls() { return *ui_; }

private:
    std::unique_ptr<Ui::InfoForm> ui_;
};

}  // namespace jadeleaf
