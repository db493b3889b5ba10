// The preferences dialog.
#include "shell/TPrefDlg1.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusTipEvent>
#include <algorithm>
#include <climits>

#include "files/FileRead.h"
#include "settings/SettingsStore.h"
#include "framework/StyleSheetRules.h"
#include "ui_TPrefDlg1.h"

namespace jadeleaf {

namespace {

// A refused write has been reported in a box; the status must not claim it was recorded.
constexpr const char* kNotRecorded = "Not recorded: the settings file refused the change.";

enum Page { kDisplayOptions = 0, kBitmapPath = 1, kWindowSize = 2, kTimeDelays = 3, kPageCount = 4 };

// Leading blanks, an optional sign, then digits up to the first other
// character; no digits read as 0. A number too long for 32 bits stays at the
// nearest end of the range, so it is refused as out of range.
std::int32_t ReadWholeNumber(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] == QLatin1Char(' ')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+'))) {
        negative = text[at] == QLatin1Char('-');
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9'); ++at) {
        value = std::min(value * 10 + (text[at].unicode() - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool IsFocusMovingInside(const QFocusEvent& event) {
    // Another window taking the focus, or a menu opening, is no move between
    // the dialog's controls.
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

}  // namespace

TPrefDlg1::TPrefDlg1(PreferencesHost& host, Clock& clock, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PrefDlg1>()), host_(host), timer1_(clock, [this] { Timer1Timer(); }) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
    FormCreate();
    timer1_.SetEnabled(false);
    ConnectControls();
    // The presses that activate the dialog and the focus changes between its
    // controls are watched on the dialog's own widgets.
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    // Its first showing is in the middle of the screen; the command places it later.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

TPrefDlg1::~TPrefDlg1() = default;

void TPrefDlg1::FormCreate() {
    QFont font = ui_->StatusBar1->font();
    font.setBold(false);
    ui_->StatusBar1->setFont(font);
    // A screen reader names the boxes and sliders by the labels beside them.
    const auto name = [](QWidget* control, const QLabel* label) { control->setAccessibleName(label->text().trimmed()); };
    name(ui_->Edit1, ui_->Label1);
    name(ui_->Edit2, ui_->Label9);
    name(ui_->Edit3, ui_->Label10);
    name(ui_->TrackBar1, ui_->Label12);
    name(ui_->TrackBar2, ui_->Label15);
}

void TPrefDlg1::ConnectControls() {
    connect(ui_->CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(ui_->CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(ui_->CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    connect(ui_->CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
    connect(ui_->PageControl1, &QTabWidget::currentChanged, this, [this] { OnPageChange(); });
    connect(ui_->Button1, &QPushButton::clicked, this, [this] { OnBtn1Click(); });
}

QString TPrefDlg1::StatusText() const { return ui_->StatusBar1->currentMessage(); }

// ---------------------------------------------------------------------------
// Activation and pages

// The dialog counts as activated the moment it is shown: its check boxes, and
// the picture check with them, come before the main window first paints.
void TPrefDlg1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) OnPrefAct();
}

bool TPrefDlg1::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (reactivationAfterBox_ || activatedByPress_) {
            reactivationAfterBox_ = false;
            activatedByPress_ = false;
        } else {
            OnPrefAct();
        }
        break;
    case QEvent::StatusTip: {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!tip.isEmpty()) SetStatus(tip);
        return true;
    }
    default:
        break;
    }
    return QDialog::event(event);
}

void TPrefDlg1::OnPrefAct() {
    SelectPage(kDisplayOptions);
    const Settings& options = host_.Options();
    ui_->CheckBox1->setChecked(options.timeDisplay != 0);
    ui_->CheckBox3->setChecked(options.infoDisplay != 0);
    ui_->CheckBox2->setChecked(options.showPicture != 0);
    ui_->CheckBox4->setChecked(options.assistance != 0);
    SetStatus("Current setting of display options.");
}

// A page chosen by the program raises no page-change event.
void TPrefDlg1::SelectPage(int page) {
    const QSignalBlocker quiet(ui_->PageControl1);
    ui_->PageControl1->setCurrentIndex(page);
}

void TPrefDlg1::OnPageChange() {
    switch (ui_->PageControl1->currentIndex()) {
    case kDisplayOptions:
        SetStatus("Current setting of display options");
        break;
    case kBitmapPath:
        SetStatus("Defines location of side-window Bitmap");
        ui_->Label4->setText(QString::asprintf(" Picture Width = %d, Height = %d pixels      ", host_.SideWidthLimit(),
                                               host_.SideHeightLimit()));
        ui_->Edit1->setText(QString::fromStdString(host_.Options().bitmapPath));
        break;
    case kWindowSize:
        TabSheet3Enter();
        break;
    case kTimeDelays:
        TabSheet4Enter();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Page 1: the display options

void TPrefDlg1::CheckBox1Click() { host_.Options().timeDisplay = ui_->CheckBox1->isChecked() ? 1 : 0; }

void TPrefDlg1::CheckBox3Click() { host_.Options().infoDisplay = ui_->CheckBox3->isChecked() ? 1 : 0; }

void TPrefDlg1::CheckBox4Click() { host_.Options().assistance = ui_->CheckBox4->isChecked() ? 1 : 0; }

void TPrefDlg1::CheckBox2Click() {
    Settings& options = host_.Options();
    options.showPicture = ui_->CheckBox2->isChecked() ? 1 : 0;
    if (!ui_->CheckBox2->isChecked()) return;
    std::string failure;
    if (!CheckPictureFile(options.bitmapPath, failure)) {
        ReportBitmapError("Selection needs correct bitmap path name. See Bitmap Path Info page.", failure);
        SetStatus("Selection reset because of bitmap load error.");
        host_.Shell().bitmapPathValid = 0;
        options.showPicture = 0;
        ui_->CheckBox2->setChecked(false);
    }
}

// The check only opens the file, which must be a regular one; reading it as
// a picture is the side window's, with its own message, which a file that
// passes may give again.
bool TPrefDlg1::CheckPictureFile(const std::string& path, std::string& failure) {
    if (const int error = CheckRegularFile(path)) {
        failure = FileFailureText("cannot open", path, error);
        return false;
    }
    host_.Shell().bitmapPathValid = 1;
    host_.SidePictureChosen();
    return true;
}

void TPrefDlg1::StoreDisplayOptions() {
    Store(WriteDisplayOptions, "Display Options recorded in Registry.");
    host_.SideWindowChanged();
    state_.pauseInterval = 2000;
}

// ---------------------------------------------------------------------------
// Page 2: the picture path

void TPrefDlg1::Edit1Enter() {
    SetStatus("Edit or confirm side-window Bitmap location.");
    ui_->Edit1->setText(QString::fromStdString(host_.Options().bitmapPath));
}

void TPrefDlg1::Edit1Exit() {
    state_.advancePage = 1;
    state_.pauseInterval = 1600;
    if (!ui_->Edit1->isModified()) {
        SetStatus("No modification recorded.");
        return;
    }
    ui_->Edit1->setModified(false);
    state_.pauseInterval = 2000;
    const std::string path = ui_->Edit1->text().toStdString();
    std::string failure;
    if (!CheckPictureFile(path, failure)) {
        ReportBitmapError("Unable to load Bitmap from that path.", failure);
        SetStatus("Bitmap path name invalid. Selection checkbox cleared.");
        host_.Shell().bitmapPathValid = 0;
        host_.Options().showPicture = 0;
        ui_->CheckBox2->setChecked(false);
        return;
    }
    host_.Options().bitmapPath = path;
    Store(WriteBitmapPath, "Modified path name stored in Registry");
}

// ---------------------------------------------------------------------------
// Page 3: the side window's size

void TPrefDlg1::TabSheet3Enter() {
    const Settings& options = host_.Options();
    SetStatus("Current adjustment and limits shown.");
    SetBoxColour(*ui_->Edit2, Qt::white);
    SetBoxColour(*ui_->Edit3, Qt::white);
    ui_->Label6->setText(QString::asprintf("Limit = %d", host_.SideWidthLimit()));
    ui_->Label7->setText(QString::asprintf("Limit = %d", host_.SideHeightLimit()));
    if (options.sideWindowWidth > host_.SideWidthLimit()) SetBoxColour(*ui_->Edit2, Qt::yellow);
    ui_->Edit2->setText(QString::number(options.sideWindowWidth));
    if (options.sideWindowHeight > host_.SideHeightLimit()) SetBoxColour(*ui_->Edit3, Qt::yellow);
    ui_->Edit3->setText(QString::number(options.sideWindowHeight));
    state_.advancePage = 0;
}

void TPrefDlg1::Edit2Enter() {
    SetStatus("Edit or confirm side-window size.");
    ui_->Edit2->setText(QString::number(host_.Options().sideWindowWidth));
}

void TPrefDlg1::Edit3Enter() {
    SetStatus("Edit or confirm side-window height.");
    ui_->Edit3->setText(QString::number(host_.Options().sideWindowHeight));
}

void TPrefDlg1::StoreSize() {
    state_.pauseInterval = 1000;
    state_.widthEntry = 0;
    state_.heightEntry = 0;
    state_.advancePage = 1;
    if (!ui_->Edit2->isModified() && !ui_->Edit3->isModified()) {
        SetStatus("Values left unchanged.");
        return;
    }
    Settings& options = host_.Options();
    if (ui_->Edit2->isModified() && ReadSizeEntry(*ui_->Edit2, host_.SideWidthLimit(), state_.widthEntry)) {
        options.sideWindowWidth = state_.widthEntry;
        host_.SideWindowChanged();
        Store(WriteSideWindowWidth, "Modified Width stored in Registry.");
    }
    if (ui_->Edit3->isModified() && ReadSizeEntry(*ui_->Edit3, host_.SideHeightLimit(), state_.heightEntry)) {
        options.sideWindowHeight = state_.heightEntry;
        host_.SideWindowChanged();
        Store(WriteSideWindowHeight, "Modified Height stored in Registry");
    }
}

bool TPrefDlg1::ReadSizeEntry(QLineEdit& box, int limit, std::int32_t& entry) {
    box.setModified(false);
    state_.pauseInterval = 2000;
    entry = ReadWholeNumber(box.text());
    if (entry < 0 || entry > limit) {
        entry = 0;
        SetBoxColour(box, Qt::yellow);
        box.selectAll();
        SetStatus("Valid Range is from 0 to Limit.");
        state_.advancePage = 0;
        return false;
    }
    SetBoxColour(box, Qt::white);
    return true;
}

void TPrefDlg1::SetBoxColour(QLineEdit& box, Qt::GlobalColor colour) {
    box.setStyleSheet(colour == Qt::white ? QString() : QStringLiteral("QLineEdit { background-color: yellow; }"));
}

// ---------------------------------------------------------------------------
// Page 4: the delays

void TPrefDlg1::TabSheet4Enter() {
    SetStatus("Adjust sliders as necessary.");
    ui_->TrackBar1->setValue(host_.Options().delay1Slider);
    ui_->TrackBar2->setValue(host_.Options().delay2Slider);
    state_.advancePage = 0;
}

void TPrefDlg1::StoreDelays() {
    Settings& options = host_.Options();
    ShellState& shell = host_.Shell();
    state_.pauseInterval = 1000;
    if (ui_->TrackBar1->value() == options.delay1Slider && ui_->TrackBar2->value() == options.delay2Slider) {
        SetStatus("Values left unchanged");
        state_.advancePage = 1;
        return;
    }
    if (ui_->TrackBar1->value() != options.delay1Slider) {
        options.delay1Slider = ui_->TrackBar1->value();
        shell.tileLoadDelay = options.delay1Slider * shell.tileLoadFactor;
        state_.pauseInterval = 2000;
        Store(WriteDelay1Slider, "New delay value recorded in Registry");
    }
    if (ui_->TrackBar2->value() != options.delay2Slider) {
        options.delay2Slider = ui_->TrackBar2->value();
        shell.autoPlayDelay = options.delay2Slider * shell.autoPlayFactor;
        state_.pauseInterval = 2000;
        Store(WriteDelay2Slider, "New delay value recorded in Registry");
    }
}

// ---------------------------------------------------------------------------
// OK and the pause before the next page

void TPrefDlg1::OnBtn1Click() {
    switch (ui_->PageControl1->currentIndex()) {
    case kDisplayOptions:
        StoreDisplayOptions();
        state_.advancePage = 1;
        break;
    case kBitmapPath:
        state_.advancePage = 1;
        break;
    case kWindowSize:
        StoreSize();
        break;
    case kTimeDelays:
        StoreDelays();
        state_.advancePage = 1;
        break;
    default:
        break;
    }
    timer1_.SetInterval(state_.pauseInterval);
    timer1_.SetEnabled(true);
}

void TPrefDlg1::Timer1Timer() {
    if (state_.advancePage == 1) ui_->PageControl1->setCurrentIndex((ui_->PageControl1->currentIndex() + 1) % kPageCount);
    state_.pauseInterval = 500;
    timer1_.SetEnabled(false);
}

// ---------------------------------------------------------------------------
// Focus, status and boxes

bool TPrefDlg1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) WatchPress(*watched, type);
    if (type == QEvent::FocusIn && watched->isWidgetType()) {
        WatchFocusIn(*static_cast<QWidget*>(watched), *static_cast<QFocusEvent*>(event));
    } else if (type == QEvent::FocusOut && watched == ui_->Edit1 &&
               IsFocusMovingInside(*static_cast<QFocusEvent*>(event)) && isVisible()) {
        Edit1Exit();
    }
    return QDialog::eventFilter(watched, event);
}

// The window system reports the activation only after the press that caused
// it; the activation's steps must come first, or they would undo the press,
// say on a page's tab.
void TPrefDlg1::WatchPress(QObject& watched, QEvent::Type type) {
    if (!watched.isWidgetType() || static_cast<QWidget&>(watched).window() != this) return;
    if (isActiveWindow()) {
        reactivationAfterBox_ = false;
    } else if (type == QEvent::MouseButtonPress && !activatedByPress_ && !reactivationAfterBox_) {
        activatedByPress_ = true;
        OnPrefAct();
    }
}

// The page is entered before the box that takes the focus on it, so the
// box's own status text is the one that stays.
void TPrefDlg1::WatchFocusIn(QWidget& widget, const QFocusEvent& event) {
    const bool cameFromOutside = lastFocus_ == nullptr || !ui_->TabSheet3->isAncestorOf(lastFocus_);
    lastFocus_ = &widget;
    if (!IsFocusMovingInside(event)) return;
    if (ui_->TabSheet3->isAncestorOf(&widget) && cameFromOutside) TabSheet3Enter();
    if (&widget == ui_->Edit1) Edit1Enter();
    if (&widget == ui_->Edit2) Edit2Enter();
    if (&widget == ui_->Edit3) Edit3Enter();
}

void TPrefDlg1::SetStatus(const char* text) { ui_->StatusBar1->showMessage(QString::fromUtf8(text)); }

void TPrefDlg1::SetStatus(const QString& text) { ui_->StatusBar1->showMessage(text); }

void TPrefDlg1::ReportBitmapError(const char* text, const std::string& failure) {
    host_.ShowMessage(" Bitmap Load Error", text + ("\n" + failure), MessageIcon::Error, MessageButtons::Ok);
    reactivationAfterBox_ = true;
}

bool TPrefDlg1::Store(SettingsWriter writer, const char* storedText) {
    const bool stored = host_.StoreOptions(writer);
    if (!stored) reactivationAfterBox_ = true;
    SetStatus(stored ? storedText : kNotRecorded);
    return stored;
}

}  // namespace jadeleaf
