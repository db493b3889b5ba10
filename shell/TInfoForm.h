// The quick-information page: the title picture and a fixed text about the game.
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

    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();

    std::unique_ptr<Ui::InfoForm> ui_;
    // How much smaller than the window the text is, as the form was laid out.
    QSize textInset_;
};

}  // namespace jadeleaf
