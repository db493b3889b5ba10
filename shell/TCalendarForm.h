// The calendar window.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CalendarForm;
}

namespace jadeleaf {

class TCalendarForm final : public QDialog {
public:
    explicit TCalendarForm(QWidget* parent = nullptr);
    ~TCalendarForm() override;

    Ui::CalendarForm& Controls() { return *ui_; }

private:
    std::unique_ptr<Ui::CalendarForm> ui_;
};

}  // namespace jadeleaf
