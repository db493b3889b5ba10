// The main window's life: creation, start-up, the hooks, painting requests,
// the timers, and closing.
#include "shell/TForm1.h"

#include <QCloseEvent>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QToolButton>
#include <unistd.h>

#include "files/XdgFolders.h"
#include "model/PlayingTime.h"
#include "model/TextLine.h"
#include "play/TEndDlg1.h"
#include "play/TResDlg1.h"
#include "resources/ProgramArtImage.h"
#include "shell/Forms.h"
#include "shell/MainRoutine.h"
#include "shell/TPrefDlg1.h"
#include "shell/ThemeIcon.h"
#include "settings/SettingsStore.h"
#include "framework/StyleSheetRules.h"
#include "ui_TForm1.h"

namespace jadeleaf {

namespace {

constexpr int kStatusPanelWidths[3] = {300, 245, 235};
constexpr std::size_t kPlayingTimePanel = 2;

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

// $XDG_DATA_HOME/Jadeleaf/snapshots, with ~/.local/share when it is unset or relative.
QString SnapshotFolder() { return QFile::decodeName(DataHome().c_str()) + "/Jadeleaf/snapshots"; }

}  // namespace

TForm1::TForm1(ShellServices services)
    : services_(std::move(services)),
      ui_(std::make_unique<Ui::Form1>()),
      settingsFile_(services_.settingsPath),
      game_(*this),
      informationViews_(game_, *this, graphics_, geometry_, [this] { return CurrentWindowStatus(); }),
      view_(game_, *this, graphics_, geometry_, informationViews_),
      mousePlay_(game_, *this),
      viewCommands_(game_, *this),
      timer1_(services_.clock, [this] { Timer1Timer(); }),
      timer2_(services_.clock, [this] { Timer2Timer(); }),
      timer3_(services_.clock, [this] { Timer3Timer(); }),
      hintTimer_(services_.clock, [this] { EndHintHighlight(); }) {
    ui_->setupUi(this);
    ApplyStyleSheet(*this);
    move(property("designPosition").toPoint());
    ui_->ClientArea->installEventFilter(this);
    ui_->ClientArea->setMouseTracking(false);
    // The message line and the score box take their own presses: only
    // presses on the table itself reach the mouse handlers.
    ui_->Panel1->setAttribute(Qt::WA_NoMousePropagation);
    ui_->Panel2->setAttribute(Qt::WA_NoMousePropagation);
    CreateStatusPanels();
    ConnectMenus();
    CreateZoomCommands();
    tableAccessibility_ = std::make_unique<TableAccessibility>(*ui_->ClientArea, game_, [this](int p) { PressTile(p); },
                                                               [this](int p) { MoveKeyCursor(p); });
    SetUpKeyboardPlay();
    tableAccessibility_->SetScale([this] { return geometry_.scale; });
    CreateAidCommands();
    // The program's own tile; UseThemeIcon may give the installed theme's picture later.
    setWindowIcon(ArtIcon(WindowIconBitmap()));
    ui_->ViewBtn1->setIcon(ArtIcon(InfoButtonBitmap()));
    FormCreate();
    ConstructGameState();
}

void TForm1::UseThemeIcon() {
    const QIcon themed = ThemeIconOr("jadeleaf", QIcon());
    if (!themed.isNull()) setWindowIcon(themed);
}

TForm1::~TForm1() {
    if (cursorOverridden_) QGuiApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------
// Creation

void TForm1::FormCreate() {
    ShowGamePanels(false);
    ClassifyScreen();
    QPalette colours = ui_->ClientArea->palette();
    colours.setColor(QPalette::Window, tableColour_);
    ui_->ClientArea->setPalette(colours);
    ui_->ClientArea->setAutoFillBackground(false);
    shadeColour_ = QColor(kShadeColour);
    if (services_.installIdleHook) idleHook_ = std::make_unique<IdleHook>([this] { ApplicationIdle(); });

    GameTable& table = game_.table;
    ShellState& shell = game_.shell;
    table.tableReady = 0;
    table.dealt = 0;
    table.moveCheck = 0;
    shell.optionsChanged = 0;
    shell.finishEnabled = 0;
    shell.tilesViewEnabled = 0;
    shell.dimensionsEnabled = 0;
    shell.autoPlayEnabled = 1;

    ClearTable(table);
    ComputeGeometry();
    if (width() < geometry_.sideX) resize(geometry_.sideX, height());

    graphics_.Prepare(ArtImage(PlaceholderTileBitmap()));
    view_.CreateTablePicture(tableColour_, shadeColour_);

    timer1_.SetInterval(1000);
    timer2_.SetInterval(3000);
    timer3_.SetInterval(300);
    timer1_.SetEnabled(false);
    timer2_.SetEnabled(false);
    timer3_.SetEnabled(false);

    SetCursor(WindowCursor::Arrow);
    setCursor(Qt::ArrowCursor);
    EnableMenus(false);
    QFont statusFont = ui_->StatusBar1->font();
    statusFont.setBold(false);
    ui_->StatusBar1->setFont(statusFont);
}

void TForm1::ClassifyScreen() {
    ShellState& shell = game_.shell;
    shell.screenClass = 0;
    const QSize screen = ScreenSize();
    shell.screenWidth = screen.width();
    shell.screenHeight = screen.height();
    tableColour_ = QColor(kTableColour);
    if (shell.screenWidth >= 1024) {
        shell.screenClass = 2;
        shell.tileLoadFactor = 12;
        shell.autoPlayFactor = 50;
    } else if (shell.screenWidth >= 800) {
        shell.screenClass = 1;
        shell.tileLoadFactor = 6;
        shell.autoPlayFactor = 16;
    }
}

void TForm1::ConstructGameState() {
    ShellState& shell = game_.shell;
    const QSize screen = ScreenSize();
    shell.screenWidth = screen.width();
    shell.screenHeight = screen.height();

    GameTable& table = game_.table;
    table.score = 0;
    table.autoPlay = 0;
    table.stopRequested = 0;
    table.welcomePending = 1;
    shell.clickSeen = 0;
    shell.viewMode = kViewTable;
    shell.startupPending = 1;
    game_.paint = PaintRequests{};
    graphics_.graphicsFailed = false;
    shell.bitmapPathValid = 0;
    game_.settings.delay1Slider = 5;
    game_.settings.delay2Slider = 5;

    char directory[261];
    currentDirectory_ = getcwd(directory, sizeof directory) != nullptr ? directory : "";
    SetStatusText(0, "Dir: " + currentDirectory_);

    const PlacementDefaults defaults{shell.screenWidth, shell.screenHeight, isMaximized() ? 2 : isMinimized() ? 0 : 1,
                                     AvailableScreenAreas()};
    LoadSettings(settingsFile_, game_.settings, defaults);
    // A fitted scale is found when the window has its size.
    if (game_.settings.tableScale != kFitScale) geometry_.scale = game_.settings.tableScale;
    fitToWindow1_->setChecked(game_.settings.tableScale == kFitScale);
    winnableDeals1_->setChecked(game_.settings.winnableDeals != 0);

    shell.tileLoadDelay = shell.tileLoadFactor * game_.settings.delay1Slider;
    shell.autoPlayDelay = shell.autoPlayFactor * game_.settings.delay2Slider;
    ApplyWindowPlacement();

    // The first geometry computed after showing then always erases the window.
    geometry_.clientWidth = 0;
    geometry_.clientHeight = 0;
}

void TForm1::ApplyWindowPlacement() {
    const Settings& settings = game_.settings;
    if (settings.formState == 0) return;
    // The position is the frame's, the size the window's own, as they are saved.
    move(settings.formLeft, settings.formTop);
    resize(settings.formWidth, settings.formHeight);
    if (settings.formState == 1) setWindowState(Qt::WindowNoState);
}

void TForm1::CreateStatusPanels() {
    for (int panel = 0; panel < 3; ++panel) {
        auto* label = new StatusPanel(ui_->StatusBar1);
        label->setFixedWidth(kStatusPanelWidths[panel]);
        // A fixed size and an opaque background: the playing time's new text
        // every second repaints its own panel, not the status bar and the
        // window beneath it, and lays nothing out again. The height is that
        // of a framed label with one line of text.
        label->ensurePolished();
        label->setFixedHeight(label->fontMetrics().height() + 2 * label->frameWidth());
        ui_->StatusBar1->addWidget(label);
        statusPanels_[static_cast<std::size_t>(panel)] = label;
    }
    ui_->StatusBar1->setSizeGripEnabled(true);
    if (auto* grip = ui_->StatusBar1->findChild<QSizeGrip*>()) grip->setAccessibleName(QStringLiteral("Size grip"));
    // The panels keep their widths and are cut off at the window's edge; they
    // must not make the window wider than the one the player asked for.
    ui_->StatusBar1->setMinimumWidth(1);
}

void TForm1::ConnectMenus() {
    // The hints of the menu bar's own entries.
    for (QMenu* menu : {ui_->GameMenu1, ui_->ViewMenu1, ui_->HelpMenu1}) {
        menu->menuAction()->setStatusTip(menu->statusTip());
    }
    ConnectCommand(ui_->NewGame1, &QAction::triggered, [this] { game_.NewGame1Click(); });
    ConnectCommand(ui_->FinishGame1, &QAction::triggered, [this] { game_.FinishGame1Click(); });
    ConnectCommand(ui_->AutoPlay1, &QAction::triggered, [this] { game_.AutoPlay1Click(); });
    ConnectCommand(ui_->GameExit1, &QAction::triggered, [this] { GameExit1Click(); });
    ConnectCommand(ui_->ViewBtn1, &QToolButton::clicked, [this] { viewCommands_.ViewBtn1Click(); });
    ConnectCommand(ui_->TileMode, &QAction::triggered, [this] { viewCommands_.TileModeClick(); });
    ConnectCommand(ui_->DimensionMode, &QAction::triggered, [this] { viewCommands_.DimensionModeClick(); });
    ConnectCommand(ui_->GamePref1, &QAction::triggered, [this] { GamePref1Click(); });
    ConnectCommand(ui_->HelpAbout1, &QAction::triggered, [this] { HelpAbout1Click(); });
    ConnectCommand(ui_->QuickInfo1, &QAction::triggered, [this] { QuickInfo1Click(); });
    ConnectCommand(ui_->HelpDate1, &QAction::triggered, [this] { ShowDate1Click(); });
}

void TForm1::EnableMenus(bool enabled) {
    ui_->GameMenu1->setEnabled(enabled);
    ui_->ViewMenu1->setEnabled(enabled);
    ui_->HelpMenu1->setEnabled(enabled);
    ui_->GameMenu1->menuAction()->setEnabled(enabled);
    ui_->ViewMenu1->menuAction()->setEnabled(enabled);
    ui_->HelpMenu1->menuAction()->setEnabled(enabled);
}

bool TForm1::MenusEnabled() const {
    return ui_->GameMenu1->menuAction()->isEnabled() && ui_->ViewMenu1->menuAction()->isEnabled() &&
           ui_->HelpMenu1->menuAction()->isEnabled();
}

// ---------------------------------------------------------------------------
// Showing, activation, resizing

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
    ui_->ViewBtn1->setVisible(false);
    ComputeGeometry();
    if (game_.shell.startupPending) {
        PaintSideWindow();
    } else {
        ShowGamePanels(false);
        game_.paint.eraseWindow = 1;
        game_.paint.eraseTableArea = 1;
        FormPaint(false);
    }
    SetCursor(WindowCursor::Arrow);
}

void TForm1::FormActivate() {
    if (game_.shell.screenClass == 0) {
        ShowMessage(" MahJong Table Control",
                    "This program requires a screen resolution of \nat least 800 x 600, or 1024 x 768 pixels.",
                    MessageIcon::None, MessageButtons::Ok);
        close();
        return;
    }
    RestoreTableArea();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize() {
    ComputeGeometry();
    if (!game_.shell.startupPending) game_.shell.resizePending = 1;
}

bool TForm1::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip: {
        // The hint of the menu item or button under the pointer, or none.
        statusPanels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    case QEvent::WindowActivate:
        FormActivate();
        break;
    case QEvent::WindowStateChange:
        // The window manager may end the full screen too.
        if (fullScreen1_ != nullptr) fullScreen1_->setChecked(isFullScreen());
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

// The client area shows what the paints of the program and of the system
// drew, at the table's scale and the screen's resolution.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ClientArea) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(ui_->ClientArea);
            view_.PaintClientArea(painter, static_cast<QPaintEvent*>(event)->rect());
            DrawKeyCursor(painter);
            return true;
        }
        // A quick second click comes as a double click; for the table it is
        // just another press.
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
            type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const std::optional<MouseButton> button = ButtonOf(mouse->button());
            if (!button) return false;
            const QPoint at = TablePoint(mouse->position().toPoint());
            if (type != QEvent::MouseButtonRelease) HideKeyCursor();
            if (type != QEvent::MouseButtonRelease) {
                mousePlay_.FormMouseDown(*button, at.x(), at.y());
            } else {
                mousePlay_.FormMouseUp(*button, at.x(), at.y());
            }
            return true;
        }
        if (type == QEvent::KeyPress && ClientAreaKeyPress(*static_cast<QKeyEvent*>(event))) return true;
        if (type == QEvent::FocusIn) ClientAreaFocusIn(*static_cast<QFocusEvent*>(event));
        if (event->type() == QEvent::Resize) {
            ResizeWindowPicture();
            FormPaint(true);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Geometry and painting

ClientMeasures TForm1::CurrentMeasures() const {
    return {ui_->ClientArea->width(), ui_->ClientArea->height() + ui_->StatusBar1->height(), ui_->StatusBar1->height(),
            ui_->Panel2->width(), ui_->ViewBtn1->width()};
}

void TForm1::ComputeGeometry() {
    const ClientMeasures client = CurrentMeasures();
    // Every resize passes here: a fitted table follows the window.
    if (game_.settings.tableScale == kFitScale) {
        geometry_.scale = FitScale(client, ui_->Panel1->height(), game_.settings);
    }
    const PanelPlacement place = jadeleaf::ComputeGeometry(geometry_, client, game_.settings, game_.paint);
    ui_->Panel1->setGeometry(place.panel1Left, place.panel1Top, place.panel1Width, ui_->Panel1->height());
    ui_->ViewBtn1->move(place.viewButtonLeft, place.viewButtonTop);
    ui_->Label1->setGeometry(place.label1Left, place.label1Top, place.label1Width, ui_->Label1->height());
    ui_->Panel2->move(place.panel2Left, place.panel2Top);
    ui_->StaticText2->resize(28, 18);
    ui_->StaticText2->setText(QString::fromUtf8(
        FormatText(game_.table.score == 0 ? " %03d" : " %3d", game_.table.score).text));
    ResizeWindowPicture();
}

void TForm1::ResizeWindowPicture() {
    view_.SetDevicePixelRatio(ui_->ClientArea->devicePixelRatioF());
    view_.ResizeWindowPicture(TableLength(ui_->ClientArea->width(), geometry_.scale),
                              TableLength(ui_->ClientArea->height(), geometry_.scale));
}

QPoint TForm1::TablePoint(QPoint windowPoint) const {
    return {TablePixel(windowPoint.x(), geometry_.scale), TablePixel(windowPoint.y(), geometry_.scale)};
}

// A new scale is a new client size in table pixels: it is served as a resize.
void TForm1::SetTableScale(int scale) {
    if (scale == geometry_.scale) return;
    geometry_.scale = scale;
    FormResize();
    FormPaint(true);
    ui_->ClientArea->update();
}

// Only the part of the window that the paint changed is drawn again.
void TForm1::FormPaint(bool systemPaint) {
    view_.FormPaint(systemPaint);
    const QRect changed = view_.TakeChangedArea();
    if (!changed.isEmpty()) ui_->ClientArea->update(changed);
    if (tableAccessibility_) tableAccessibility_->Update();
    CallOffStaleHint();
}

void TForm1::Paint() { FormPaint(false); }

void TForm1::PaintSideWindow() {
    view_.PaintSideWindow([this] { ComputeGeometry(); });
    const QRect changed = view_.TakeChangedArea();
    if (!changed.isEmpty()) ui_->ClientArea->update(changed);
}

// ---------------------------------------------------------------------------
// The idle hook and the timers

void TForm1::ApplicationIdle() {
    ShellState& shell = game_.shell;
    if (!graphics_.library.Loaded() && !graphics_.graphicsFailed) {
        graphics_.LoadResourceLibrary(game_, *this);
        if (graphics_.library.Loaded()) {
            shell.tilesViewEnabled = shell.dimensionsEnabled = shell.autoPlayEnabled = shell.startupPending ? 0 : 1;
        }
    }
    game_.MirrorMenuFlags();
    if (shell.startupPending) return;
    if (shell.resizePending) {
        if (shell.viewMode != kViewTable) {
            game_.paint.eraseTableArea = 1;
        } else {
            game_.paint.copyTablePicture = 1;
        }
        PaintSideWindow();
        Paint();
        shell.resizePending = 0;
    }
    if (shell.optionsChanged) {
        PaintSideWindow();
        Paint();
        shell.optionsChanged = 0;
    }
}

void TForm1::Timer1Timer() {
    timer1_.SetEnabled(false);
    GameTable& table = game_.table;
    if (table.tableReady == 0) return;
    table.nowTime = TimeOfDay();
    table.elapsed = ElapsedSpan(table.startTime, table.nowTime);
    game_.ShowPlayingTime(table.elapsed);
    timer1_.SetEnabled(true);
}

void TForm1::Timer2Timer() {
    timer2_.SetEnabled(false);
    GameTable& table = game_.table;
    if (table.tableReady) {
        timer2_.SetInterval(3000);
        if (!table.autoPlay) {
            if (game_.settings.infoDisplay == 0) {
                SetMessageLine("Info display option switched off.");
            } else if (!table.firstSelection.made && table.tilesLeft > 0) {
                SetMessageLine("Select a pair of tiles that match one another.");
            } else if (!table.secondSelection.made && table.tilesLeft > 0) {
                SetMessageLine("First selection made. Now, find a free match to that tile.");
            }
        }
        if (table.moveCheck) {
            if (!table.firstSelection.made) table.moveAnnounced = 0;
            HandlePendingMessages(false);
        }
        return;
    }
    if (game_.shell.startupPending && !graphics_.graphicsFailed) {
        game_.shell.startupPending = 0;
        EnableMenus(true);
        timer2_.SetInterval(3000);
        game_.NewGame1Click();
    }
}

void TForm1::Timer3Timer() {
    timer3_.SetEnabled(false);
    game_.paint.sidePictureDeferred = 0;
    if (game_.settings.showPicture == 1 && game_.shell.bitmapPathValid) {
        game_.paint.sidePictureDrawn = 0;
        Paint();
    }
}

// ---------------------------------------------------------------------------
// Closing

void TForm1::closeEvent(QCloseEvent* event) {
    GameTable& table = game_.table;
    bool accept = true;
    if (table.tableReady == 1) {
        if (ShowMessage(" Closing Event", "Quit game and exit?", MessageIcon::None, MessageButtons::YesNo) ==
            MessageAnswer::Yes) {
            table.tableReady = 0;
            table.dealt = 0;
            table.stopRequested = 1;
            game_.StopGameClock();
        } else {
            accept = false;
        }
    }
    SaveWindowPlacement();
    if (!accept) {
        event->ignore();
        return;
    }
    event->accept();
    if (QCoreApplication* application = QCoreApplication::instance()) application->quit();
}

void TForm1::GameExit1Click() {
    GameTable& table = game_.table;
    if (table.tableReady == 1) {
        if (ShowMessage(" Closing Event", "Quit game and exit?", MessageIcon::None, MessageButtons::YesNo) ==
            MessageAnswer::No) {
            return;
        }
        table.tableReady = 0;
        table.dealt = 0;
        // Leaving by Exit shows no results for the game left behind.
        table.stopRequested = 1;
        game_.StopGameClock();
        if (table.autoPlay) {
            game_.shell.clickSeen = 1;
            ShowGamePanels(false);
            ui_->ViewBtn1->setVisible(false);
        }
    }
    SaveWindowPlacement();
    timer1_.SetEnabled(false);
    view_.Release();
    graphics_.Release();
    close();
}

void TForm1::SaveWindowPlacement() {
    // A full-screen window comes back maximized.
    const WindowPlacement now{pos().y(), pos().x(), width(), height(), isMinimized(), isMaximized() || isFullScreen()};
    try {
        jadeleaf::SaveWindowPlacement(settingsFile_, game_.settings, now);
    } catch (const std::exception& error) {
        ReportException(error);
    }
}

void TForm1::StoreShowMessages() {
    try {
        WriteShowMessages(settingsFile_, game_.settings);
    } catch (const std::exception& error) {
        ReportException(error);
    }
}

void TForm1::ReportException(const std::exception& error) {
    ShowMessage(kApplicationTitle, ErrorBoxText(error), MessageIcon::Error, MessageButtons::Ok);
}

// ---------------------------------------------------------------------------
// What the game asks of the window

QString TForm1::StatusText(int panel) const { return statusPanels_[static_cast<std::size_t>(panel)]->text(); }

QString TForm1::MessageLineText() const { return ui_->Label1->text(); }

void TForm1::SetMessageLine(std::string_view text) {
    ui_->Label1->setText(ToQString(text));
    FitMessageLine();
}

// The message line is as wide as the panel allows; where the fonts at hand
// are wider than the ones it was laid out for, a long text gets a smaller
// size rather than losing its end.
void TForm1::FitMessageLine() {
    constexpr int kLargest = 15;
    constexpr int kSmallest = 10;
    // The hints come back every three seconds, mostly the same: measuring
    // the same text at the same width again would find the same size.
    if (ui_->Label1->text() == fittedText_ && ui_->Label1->width() == fittedWidth_) return;
    fittedText_ = ui_->Label1->text();
    fittedWidth_ = ui_->Label1->width();
    QFont font = ui_->Label1->font();
    int size = kLargest;
    for (; size > kSmallest; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(ui_->Label1->text()) <= ui_->Label1->width()) break;
    }
    if (size == messageLineFontSize_) return;
    messageLineFontSize_ = size;
    font.setPixelSize(size);
    ui_->Label1->setFont(font);
}

void TForm1::SetStatusText(int panel, std::string_view text) {
    // The playing time changes every second, mostly while the game waits
    // for the player: it is painted at once, in the same round of the loop.
    if (panel == kPlayingTimePanel) {
        statusPanels_[kPlayingTimePanel]->SetTextNow(ToQString(text));
    } else {
        statusPanels_[static_cast<std::size_t>(panel)]->setText(ToQString(text));
    }
}

// StaticText2 is the score box's number: the tiles removed in this game.
void TForm1::SetScoreText(std::string_view text) { ui_->StaticText2->setText(ToQString(text)); }

void TForm1::ShowGamePanels(bool visible) {
    ui_->Panel2->setVisible(visible);
    ui_->Label1->setVisible(visible);
    ui_->Panel1->setVisible(visible);
}

QWidget* TForm1::Widget(WindowItem item) const {
    switch (item) {
    case WindowItem::Panel1:
        return ui_->Panel1;
    case WindowItem::Label1:
        return ui_->Label1;
    case WindowItem::Panel2:
        return ui_->Panel2;
    case WindowItem::ViewBtn1:
        return ui_->ViewBtn1;
    default:
        return nullptr;
    }
}

QAction* TForm1::Action(WindowItem item) const {
    switch (item) {
    case WindowItem::NewGame1:
        return ui_->NewGame1;
    case WindowItem::FinishGame1:
        return ui_->FinishGame1;
    case WindowItem::AutoPlay1:
        return ui_->AutoPlay1;
    case WindowItem::TileMode:
        return ui_->TileMode;
    case WindowItem::DimensionMode:
        return ui_->DimensionMode;
    default:
        return AidAction(item);
    }
}

void TForm1::SetVisible(WindowItem item, bool visible) {
    if (QWidget* widget = Widget(item)) widget->setVisible(visible);
    if (QAction* action = Action(item)) action->setVisible(visible);
}

void TForm1::SetEnabled(WindowItem item, bool enabled) {
    if (QWidget* widget = Widget(item)) widget->setEnabled(enabled);
    if (QAction* action = Action(item)) action->setEnabled(enabled);
}

PlatformTimer& TForm1::Timer(WindowTimer timer) {
    switch (timer) {
    case WindowTimer::Timer1:
        return timer1_;
    case WindowTimer::Timer2:
        return timer2_;
    default:
        return timer3_;
    }
}

void TForm1::SetTimerEnabled(WindowTimer timer, bool enabled) { Timer(timer).SetEnabled(enabled); }

void TForm1::SetTimerInterval(WindowTimer timer, int milliseconds) { Timer(timer).SetInterval(milliseconds); }

bool TForm1::TimerEnabled(WindowTimer timer) const {
    return const_cast<TForm1*>(this)->Timer(timer).Enabled();
}

void TForm1::SetCursor(WindowCursor cursor) {
    if (cursor == WindowCursor::Hourglass && !cursorOverridden_) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        cursorOverridden_ = true;
    } else if (cursor == WindowCursor::Arrow && cursorOverridden_) {
        QGuiApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    }
}

MessageAnswer TForm1::ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                                  MessageButtons buttons) {
    // A message box's own event loop is not the message loop going idle: the
    // start-up must not begin behind a box that the preferences dialog shows
    // while the windows are still being created.
    std::optional<IdleHook::Suspension> suspension;
    if (idleHook_) suspension.emplace(*idleHook_);
    return services_.modal.ShowMessage(this, caption, text, icon, buttons);
}

QPoint TForm1::ClientOrigin() const { return ui_->ClientArea->mapToGlobal(QPoint(0, 0)); }

void TForm1::ShowResultsDialog() {
    if (ResDlg1 == nullptr) return;
    ResDlg1->move(ClientOrigin() + QPoint(30, 29));
    services_.modal.ExecDialog(*ResDlg1);
}

void TForm1::ShowNoMoveDialog() {
    if (EndDlg1 == nullptr) return;
    const QPoint origin = ClientOrigin();
    EndDlg1->move(origin.x() + WindowPixel(geometry_.layoutWidth / 2, geometry_.scale) -
                      EndDlg1->frameGeometry().width() / 2,
                  origin.y() + WindowPixel(geometry_.panelTop, geometry_.scale) - 20);
    services_.modal.ExecDialog(*EndDlg1);
}

QWidget* TForm1::ClientArea() const { return ui_->ClientArea; }

void TForm1::SaveTableSnapshot(int number) {
    const QString folder = SnapshotFolder();
    const QString path = folder + QString::asprintf("/snapshot%02d.bmp", number);
    if (!QDir().mkpath(folder) || !view_.TablePicture().save(path, "BMP")) {
        SetMessageLine(("Unable to save the table snapshot " + path + ".").toStdString());
    }
}

void TForm1::HandlePendingMessages(bool waitForEvent) {
    std::optional<IdleHook::Suspension> suspension;
    if (idleHook_) suspension.emplace(*idleHook_);
    if (waitForEvent) {
        services_.clock.WaitForEvents();
    } else {
        services_.clock.HandlePendingEvents();
    }
}

// What was drawn before a pause is on the screen for the whole pause. The
// message loop that answers during the pause is not the program going idle.
void TForm1::Pause(int milliseconds) {
    ShowPendingPaints();
    std::optional<IdleHook::Suspension> suspension;
    if (idleHook_) suspension.emplace(*idleHook_);
    services_.clock.Pause(milliseconds);
}

// Serves the window's pending paints and nothing else: presses and commands
// wait until the pause is over.
void TForm1::ShowPendingPaints() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

WindowStatus TForm1::CurrentWindowStatus() const {
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) return WindowStatus::Minimized;
    if (state & Qt::WindowFullScreen) return WindowStatus::Undefined;
    if (state & Qt::WindowMaximized) return WindowStatus::Maximized;
    return WindowStatus::Normal;
}

DayFraction TForm1::TimeOfDay() { return services_.clock.TimeOfDay(); }

std::uint32_t TForm1::CalendarSeconds() { return services_.clock.CalendarSeconds(); }

// The locale's long time format, without a time zone.
std::string TForm1::LongTimeText(DayFraction timeOfDay) {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(timeOfDay * 86400000.0 + 0.5) % 86400000);
    return QLocale().toString(time, format.trimmed()).toStdString();
}

// With a screen size given from outside, that screen alone, all of it available.
std::vector<ScreenArea> TForm1::AvailableScreenAreas() const {
    if (services_.screenSize) return {{0, 0, services_.screenSize->width(), services_.screenSize->height()}};
    std::vector<ScreenArea> areas;
    QList<QScreen*> screens = QGuiApplication::screens();
    std::stable_partition(screens.begin(), screens.end(),
                          [](const QScreen* screen) { return screen == QGuiApplication::primaryScreen(); });
    for (const QScreen* screen : screens) {
        const QRect area = screen->availableGeometry();
        areas.push_back({area.left(), area.top(), area.width(), area.height()});
    }
    return areas;
}

QSize TForm1::ScreenSize() const {
    if (services_.screenSize) return *services_.screenSize;
    const QScreen* screen = this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(1024, 768);
}

}  // namespace jadeleaf
