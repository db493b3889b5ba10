// The main window: the game table, its menus, panels, timers and status bar,
// from creation to close. It is the window through which the game speaks.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Clock.h"
#include "framework/IdleHook.h"
#include "framework/ModalService.h"
#include "framework/PauseHold.h"
#include "framework/PlatformTimer.h"
#include "analysis/HintSearch.h"
#include "model/Game.h"
#include "play/MousePlay.h"
#include "play/ViewCommands.h"
#include "render/InformationViews.h"
#include "render/TableGeometry.h"
#include "render/TableView.h"
#include "render/TileGraphics.h"
#include "shell/PreferencesHost.h"
#include "settings/RegistryFile.h"
#include "settings/SettingsStore.h"
#include "shell/StatusPanel.h"
#include "shell/TableAccessibility.h"

namespace Ui {
class Form1;
}

namespace jadeleaf {

// What the main window is given from outside: the clock, the modal windows,
// the settings file, and in tests the screen size.
struct ShellServices {
    Clock& clock;
    ModalService& modal;
    std::string settingsPath;
    std::optional<QSize> screenSize;
    bool installIdleHook = true;
};

class TForm1 final : public QMainWindow, public GameWindow, public PreferencesHost {
public:
    explicit TForm1(ShellServices services);
    ~TForm1() override;

    Game& GameState() { return game_; }
    MousePlay& Mouse() { return mousePlay_; }
    ViewCommands& Views() { return viewCommands_; }
    QWidget* ClientArea() const;
    // The client area's top-left corner on the screen, where dialogs are placed from.
    QPoint ClientOrigin() const;
    const TableGeometry& Geometry() const { return geometry_; }
    const QImage& ClientPicture() { return view_.WindowPicture(); }
    const QImage& TablePicture() const { return view_.TablePicture(); }
    TileGraphics& Graphics() { return graphics_; }
    QString StatusText(int panel) const;
    QString MessageLineText() const;
    bool MenusEnabled() const;
    PlatformTimer& Timer(WindowTimer timer);
    // The installed icon theme's picture of the game in place of the
    // program's own, where there is one: looked up once the window is shown,
    // as the theme's set-up costs more than the window's own start.
    void UseThemeIcon();

    // Handlers.
    void FormShow();
    void FormActivate();
    void FormResize();
    void GameExit1Click();
    void ApplicationIdle();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void FormPaint(bool systemPaint);
    void ComputeGeometry();
    // Draws the table at `scale` percent (kSmallestScale to kLargestScale).
    void SetTableScale(int scale);
    // The table pixel under a point of the client area.
    QPoint TablePoint(QPoint windowPoint) const;
    // Writes the Show Messages option; a refused write is reported and the
    // option holds for this run all the same.
    void StoreShowMessages();

    // The dialog commands (TForm1HelpCommands.cpp, TForm1PreferenceCommands.cpp).
    void GamePref1Click();
    void HelpAbout1Click();
    void QuickInfo1Click();
    void ShowDate1Click();
    // The Game menu's aids, after its own items (TForm1AidCommands.cpp).
    QAction* AidAction(WindowItem item) const;
    // Hint: the search runs on a worker thread; its answer comes back by a
    // queued call and is shown only if the table is still the one asked about.
    void Hint1Click();
    // Waits for the hint search asked for, then takes its answer (for tests).
    void WaitForHint();
    // How many hint searches a change of the table has called off (for tests).
    int HintsCalledOff() const { return hintsCalledOff_; }
    // Asks for a deal number until one is given or the dialog is cancelled.
    void DealNumber1Click();

    // The table's size and the window's (TForm1ZoomCommands.cpp).
    void ZoomIn1Click();
    void ZoomOut1Click();
    void ActualSize1Click();
    void FitToWindow1Click();
    void FullScreen1Click();

    // Play without the mouse (TForm1KeyboardPlay.cpp): a tile acted on as a
    // left press and release on it, through the mouse's own handlers.
    void PressTile(int p);
    void PressEmptyTable();
    TableAccessibility& Accessibility() { return *tableAccessibility_; }
    bool KeyCursorShown() const { return keyCursorShown_; }

    // PreferencesHost.
    Settings& Options() override { return game_.settings; }
    ShellState& Shell() override { return game_.shell; }
    int SideWidthLimit() const override { return geometry_.sideMaxWidth; }
    int SideHeightLimit() const override { return geometry_.sideMaxHeight; }
    bool StoreOptions(SettingsWriter writer) override;
    void SideWindowChanged() override;
    void SidePictureChosen() override { view_.SidePictureChosen(); }

    // GameWindow.
    void SetMessageLine(std::string_view text) override;
    void SetStatusText(int panel, std::string_view text) override;
    void SetScoreText(std::string_view text) override;
    void SetVisible(WindowItem item, bool visible) override;
    void SetEnabled(WindowItem item, bool enabled) override;
    void SetTimerEnabled(WindowTimer timer, bool enabled) override;
    void SetTimerInterval(WindowTimer timer, int milliseconds) override;
    bool TimerEnabled(WindowTimer timer) const override;
    void SetCursor(WindowCursor cursor) override;
    void Paint() override;
    void PaintSideWindow() override;
    MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                              MessageButtons buttons) override;
    void ShowResultsDialog() override;
    void ShowNoMoveDialog() override;
    void SaveTableSnapshot(int number) override;
    void HandlePendingMessages(bool waitForEvent) override;
    void Pause(int milliseconds) override;
    DayFraction TimeOfDay() override;
    std::uint32_t CalendarSeconds() override;
    std::string LongTimeText(DayFraction timeOfDay) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ConstructGameState();
    void ClassifyScreen();
    void CreateStatusPanels();
    void ConnectMenus();
    // A command runs when its signal comes, unless a pause is on: a reader
    // may invoke a menu item or a button then, and the command waits for the
    // pause's end as a press does.
    template <typename Sender, typename Signal, typename Command>
    void ConnectCommand(Sender* sender, Signal signal, Command command) {
        connect(sender, signal, this, [this, command] { PauseHold::Run(this, command); });
    }
    void CreateZoomCommands();
    // Shows the table at `scale` percent, or fitted to the window for 0, and
    // stores the choice.
    void ChooseTableScale(int scale);
    ClientMeasures CurrentMeasures() const;
    void CreateAidCommands();
    void HintFound(std::uint64_t ticket, const HintAnswer& answer);
    void CallOffStaleHint();
    void WinnableDeals1Click();
    void HighlightHint(int a, int b);
    void EndHintHighlight();
    void EnableMenus(bool enabled);
    void ApplyWindowPlacement();
    void SaveWindowPlacement();
    void ShowGamePanels(bool visible);
    void FitMessageLine();
    void ReportException(const std::exception& error);
    QWidget* Widget(WindowItem item) const;
    QAction* Action(WindowItem item) const;
    WindowStatus CurrentWindowStatus() const;
    void ShowPendingPaints();
    void RestoreTableArea();
    void ResizeWindowPicture();
    QSize ScreenSize() const;
    void SetUpKeyboardPlay();
    bool ClientAreaKeyPress(const QKeyEvent& key);
    void ClientAreaFocusIn(const QFocusEvent& focus);
    void MoveKeyCursor(int p);
    void HideKeyCursor();
    int TileInDirection(int from, int dx, int dy) const;
    int NextFreeTile(int from, bool forward) const;
    void DrawKeyCursor(QPainter& painter);
    std::vector<ScreenArea> AvailableScreenAreas() const;

    ShellServices services_;
    std::unique_ptr<Ui::Form1> ui_;
    RegistryFile settingsFile_;
    Game game_;
    TileGraphics graphics_;
    TableGeometry geometry_;
    InformationViews informationViews_;
    TableView view_;
    MousePlay mousePlay_;
    ViewCommands viewCommands_;
    PlatformTimer timer1_;
    PlatformTimer timer2_;
    PlatformTimer timer3_;
    std::unique_ptr<IdleHook> idleHook_;
    std::array<StatusPanel*, 3> statusPanels_{};
    std::unique_ptr<TableAccessibility> tableAccessibility_;
    bool keyCursorShown_ = false;
    QAction* undo1_ = nullptr;
    QAction* redo1_ = nullptr;
    QColor tableColour_;
    QColor shadeColour_;
    std::string currentDirectory_;
    bool cursorOverridden_ = false;
    int messageLineFontSize_ = 15;
    QAction* fitToWindow1_ = nullptr;
    QAction* fullScreen1_ = nullptr;
    QString fittedText_;
    int fittedWidth_ = -1;
    QAction* hint1_ = nullptr;
    QAction* dealNumber1_ = nullptr;
    QAction* winnableDeals1_ = nullptr;
    // Its own, small table of lost states: a deal's search is cut short early.
    std::unique_ptr<DealSolver> dealSolver_;
    std::uint64_t hintTicket_ = 0;
    bool hintAwaited_ = false;  // a hint asked for and not yet answered
    int hintsCalledOff_ = 0;
    GameTable hintTable_ = {};  // the table the last hint was asked for
    int hintTiles_[2] = {};
    std::int32_t hintSavedStates_[2] = {};
    PlatformTimer hintTimer_;
    // Last, so that its thread has stopped before anything it calls back into goes.
    std::unique_ptr<HintWorker> hintWorker_;
};

}  // namespace jadeleaf
