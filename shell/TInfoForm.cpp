// The quick-information page.
#include "shell/TInfoForm.h"

#include <QPixmap>
#include <QShowEvent>

#include "resources/ProgramArt.h"
#include "ui_TInfoForm.h"

namespace jadeleaf {

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::InfoForm>()) {
    ui_->setupUi(this);
    const ArtBlob title = QuickInfoTitleBitmap();
    QPixmap picture;
    picture.loadFromData(title.data, static_cast<uint>(title.size), "BMP");
    ui_->Image1->setPixmap(picture);
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
