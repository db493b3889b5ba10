// The quick-information page.
#include "shell/TInfoForm.h"

#include <QPixmap>
#include <QShowEvent>

#include "resources/ProgramArtImage.h"
#include "ui_TInfoForm.h"

namespace jadeleaf {

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::InfoForm>()) {
    ui_->setupUi(this);
    ui_->Image1->setPixmap(QPixmap::fromImage(ArtImage(QuickInfoTitleBitmap())));
    ui_->Image1->setAccessibleName("Jadeleaf - Velora Edition");
    FormCreate();
}

TInfoForm::~TInfoForm() = default;

void TInfoForm::FormCreate() { ui_->Memo1->setReadOnly(true); }

void TInfoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TInfoForm::FormActivate() { ui_->Memo1->setReadOnly(true); }

}  // namespace jadeleaf
