// The quick-information page.
#include "shell/TInfoForm.h"

#include <QPixmap>
#include <QResizeEvent>
#include <QShowEvent>

#include "resources/ProgramArtImage.h"
#include "framework/StyleSheetRules.h"
#include "ui_TInfoForm.h"

namespace jadeleaf {

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::InfoForm>()) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
    ui_->Image1->setPixmap(ArtPixmap(QuickInfoTitleBitmap(), devicePixelRatioF()));
    ui_->Image1->setAccessibleName("Jadeleaf - Velora Edition");
    textInset_ = size() - ui_->Memo1->size();
    FormCreate();
}

TInfoForm::~TInfoForm() = default;

void TInfoForm::FormCreate() { ui_->Memo1->setReadOnly(true); }

void TInfoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TInfoForm::FormActivate() { ui_->Memo1->setReadOnly(true); }

// The window has a sizing border: the text grows and shrinks with it, its
// top-left corner in place.
void TInfoForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ui_->Memo1->resize((size() - textInset_).expandedTo(QSize(0, 0)));
}

}  // namespace jadeleaf
