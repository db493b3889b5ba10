// The window built from its stored description.
#include "shell/TAboutBox.h"

#include "ui_TAboutBox.h"

namespace jadeleaf {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutBox>()) { ui_->setupUi(this); }

TAboutBox::~TAboutBox() = default;

}  // namespace jadeleaf
