// The results dialog.
#include "play/TResDlg1.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QShowEvent>

#include "model/TextLine.h"
#include "play/ResultBands.h"
#include "play/ResultSayings.h"
#include "resources/ProgramArtImage.h"
#include "framework/StyleSheetRules.h"
#include "ui_TResDlg1.h"

namespace jadeleaf {

TResDlg1::TResDlg1(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::ResDlg1>()) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
    // The emblem's pictures for every screen density take more memory than the
    // rest of the dialog; they are made when the dialog first shows, which many
    // runs never see.
    ui_->BitBtn1->setIconSize(ArtImage(EmblemBitmap()).size());
    // Two lines of a saying fill the box; a scroll bar would only narrow it.
    ui_->Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui_->Memo1->document()->setDocumentMargin(2);
    // The check box's handler runs whenever its state changes, also when the
    // program sets it.
    connect(ui_->CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

TResDlg1::~TResDlg1() = default;

void TResDlg1::Attach(Game& game, GameWindow& window, std::function<void()> storeShowMessages) {
    game_ = &game;
    window_ = &window;
    storeShowMessages_ = std::move(storeShowMessages);
}

void TResDlg1::showEvent(QShowEvent* event) {
    if (ui_->BitBtn1->icon().isNull()) ui_->BitBtn1->setIcon(ArtIcon(EmblemBitmap()));
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TResDlg1::FormShow() {
    if (game_ == nullptr) return;
    ui_->CheckBox1->setChecked(game_->settings.showMessages != 0);
    ui_->Label1->setText(QString());
    ui_->Label2->setText(QString());
    ui_->Memo1->setPlainText("Information: Button to the right enables / disables message display.");
    ShowResultText();
}

void TResDlg1::ShowResultText() {
    const int percent = ResultPercent(game_->table.score);
    ui_->Label1->setText(QString::fromUtf8(FormatText("%3d Percent", percent).text));
    const int index = DrawSayingIndex();
    const ResultBand& band = ResultBandOf(percent);
    ui_->Label2->setText(QString::fromUtf8(band.verdict.data(), static_cast<qsizetype>(band.verdict.size())));
    if (ui_->CheckBox1->isChecked()) {
        const std::string_view saying = ResultSaying(band.lowerBound + index);
        ui_->Memo1->setPlainText(QString::fromUtf8(saying.data(), static_cast<qsizetype>(saying.size())));
    }
}

// The index comes from the random source seeded with the clock's seconds and
// is drawn again, seeded again, until it differs from the last one. Within
// one second every draw gives the same index, so the first second whose draw
// differs decides: that second is found by counting, not by waiting for it.
int TResDlg1::DrawSayingIndex() {
    std::uint32_t second = window_->CalendarSeconds();
    int index = lastSayingIndex;
    for (int tries = 0; tries < 1000 && index == lastSayingIndex; ++tries, ++second) {
        game_->random.Seed(second);
        index = game_->random.Next() % 10;
    }
    if (index == lastSayingIndex) index = (lastSayingIndex + 1) % 10;
    lastSayingIndex = index;
    return index;
}

void TResDlg1::BitBtn1Click() {
    if (game_ == nullptr) return;
    const bool shown = game_->settings.showMessages == 0;
    game_->settings.showMessages = shown ? 1 : 0;
    ui_->CheckBox1->setChecked(shown);
}

void TResDlg1::CheckBox1Click() {
    if (game_ == nullptr) return;
    game_->settings.showMessages = ui_->CheckBox1->isChecked() ? 1 : 0;
    if (storeShowMessages_) storeShowMessages_();
}

}  // namespace jadeleaf
