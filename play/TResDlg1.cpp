// The window built from its stored description.
#include "play/TResDlg1.h"

#include "ui_TResDlg1.h"

namespace jadeleaf {

TResDlg1::TResDlg1(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::ResDlg1>()) { ui_->setupUi(this); }

TResDlg1::~TResDlg1() = default;

}  // namespace jadeleaf
