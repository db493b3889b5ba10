// The window built from its stored description.
#include "shell/TCalendarForm.h"

#include "ui_TCalendarForm.h"

namespace jadeleaf {

TCalendarForm::TCalendarForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CalendarForm>()) { ui_->setupUi(this); }

TCalendarForm::~TCalendarForm() = default;

}  // namespace jadeleaf
