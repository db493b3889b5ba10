// The window built from its stored description.
#include "shell/TInfoForm.h"

#include "ui_TInfoForm.h"

namespace jadeleaf {

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::InfoForm>()) { ui_->setupUi(this); }

TInfoForm::~TInfoForm() = default;

}  // namespace jadeleaf
