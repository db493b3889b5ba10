// The about box.
#include "shell/TAboutBox.h"

#include <QEvent>
#include <QMenu>
#include <QPixmap>
#include <QShowEvent>

#include "resources/ProgramArtImage.h"
#include "framework/StyleSheetRules.h"
#include "ui_TAboutBox.h"

namespace jadeleaf {

TAboutBox::TAboutBox(Clock& clock, std::function<QPoint()> clientOrigin, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::AboutBox>()),
      timer1_(clock, [this] { Timer1Timer(); }),
      clientOrigin_(std::move(clientOrigin)) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
    ui_->Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui_->Memo1, &QWidget::customContextMenuRequested, this, [this](QPoint at) { ShowMemoMenu(at); });
    ui_->ProgramIcon->setPixmap(ArtPixmap(EmblemBitmap(), devicePixelRatioF()));
    ui_->ProgramIcon->setAccessibleName("Program emblem: a red arched bridge with a gate over water");
    // The address line is a link to press, not a text to select or edit.
    ui_->RichEdit1->viewport()->installEventFilter(this);
    ui_->RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
    ui_->RichEdit1->setContextMenuPolicy(Qt::NoContextMenu);
    ui_->RichEdit1->setTextInteractionFlags(Qt::NoTextInteraction);
    ui_->RichEdit1->setFocusPolicy(Qt::NoFocus);
    connect(ui_->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    FormCreate();
}

// The text box's own menu is a window of its own: it shows the window's face
// rather than the program's.
void TAboutBox::ShowMemoMenu(QPoint at) {
    QMenu* menu = ui_->Memo1->createStandardContextMenu(at);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(font());
    menu->popup(ui_->Memo1->viewport()->mapToGlobal(at));
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate() {
    timer1_.SetEnabled(false);
    timer1_.SetInterval(2000);
    copyConfirming = 0;
    WriteAddressLine(kMakerAddress, "#0000ff", true);
    MakeMemoReadOnly();
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

// Puts the box back at the spot the Help command chose, wherever the
// window system would have placed it.
void TAboutBox::FormActivate() {
    if (clientOrigin_) move(clientOrigin_() + QPoint(30, 29));
    MakeMemoReadOnly();
}

void TAboutBox::Button1Click() {
    copyConfirming = 1;
    WriteAddressLine(kMakerAddress, "#0000ff", true);
    ui_->RichEdit1->selectAll();
    ui_->RichEdit1->copy();
    WriteAddressLine(kCopyConfirmation, "#ff0000", false);
    // A second copy while the confirmation shows leaves the running timer alone.
    timer1_.SetEnabled(true);
}

void TAboutBox::RichEdit1MouseDown() { Button1Click(); }

void TAboutBox::Timer1Timer() {
    timer1_.SetEnabled(false);
    timer1_.SetInterval(2000);
    if (copyConfirming == 0) return;
    copyConfirming = 0;
    WriteAddressLine(kMakerAddress, "#0000ff", true);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->RichEdit1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            RichEdit1MouseDown();
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The line stays read-only throughout: the copy needs no editing, and the
// player can never type into it.
void TAboutBox::WriteAddressLine(const QString& text, const char* colour, bool underlined) {
    ui_->RichEdit1->setReadOnly(true);
    ui_->RichEdit1->setHtml(QString("<p align=\"center\"><span style=\"color:%1;%2\">%3</span></p>")
                                .arg(QLatin1String(colour), underlined ? "text-decoration:underline;" : "",
                                     text.toHtmlEscaped()));
}

void TAboutBox::MakeMemoReadOnly() {
    ui_->Memo1->setReadOnly(true);
    ui_->Memo1->setUndoRedoEnabled(false);
}

}  // namespace jadeleaf
