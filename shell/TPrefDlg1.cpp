// The window built from its stored description.
#include "shell/TPrefDlg1.h"

#include "ui_TPrefDlg1.h"

namespace jadeleaf {

TPrefDlg1::TPrefDlg1(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::PrefDlg1>()) { ui_->setupUi(this); }

TPrefDlg1::~TPrefDlg1() = default;

}  // namespace jadeleaf
