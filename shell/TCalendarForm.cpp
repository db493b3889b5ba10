// The calendar window.
#include "shell/TCalendarForm.h"

#include "framework/StyleSheetRules.h"
#include "ui_TCalendarForm.h"

namespace jadeleaf {

TCalendarForm::TCalendarForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CalendarForm>()) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
    FormCreate();
}

TCalendarForm::~TCalendarForm() = default;

// The Help command moves the window before every showing.
void TCalendarForm::FormCreate() { move(130, 200); }

}  // namespace jadeleaf
