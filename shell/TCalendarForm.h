// The calendar window: the current month in a calendar grid.
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
    void FormCreate();

    std::unique_ptr<Ui::CalendarForm> ui_;
};

}  // namespace jadeleaf
