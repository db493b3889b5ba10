// The window built from its stored description.
#include "play/TEndDlg1.h"

#include "framework/StyleSheetRules.h"
#include "ui_TEndDlg1.h"

namespace jadeleaf {

TEndDlg1::TEndDlg1(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::EndDlg1>()) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
}

TEndDlg1::~TEndDlg1() = default;

}  // namespace jadeleaf
