// The one narrow interface through which the game reaches its window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/GameTable.h"

namespace jadeleaf {

// The window elements that the game shows, hides, enables and disables.
enum class WindowItem {
    Panel1,         // the message line's panel
    Label1,         // the message line
    Panel2,         // the score box
    ViewBtn1,       // the information button
    NewGame1,       // Game menu items
    FinishGame1,
    AutoPlay1,
    TileMode,       // View menu items
    DimensionMode,
    Undo1,          // Game menu items beyond the first ones
    Redo1,
    Hint1,
};

inline constexpr int kWindowItemCount = static_cast<int>(WindowItem::Hint1) + 1;

// The main window's three timers.
enum class WindowTimer {
    Timer1,  // the playing time, once a second
    Timer2,  // the message line's return to the standard hint, and the end of start-up
    Timer3,  // the side-window picture, drawn a moment after the rest of the window
};

enum class WindowCursor { Arrow, Hourglass };

enum class MessageIcon { None, Information, Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class GameWindow {
public:
    virtual ~GameWindow() = default;

    // Texts: the message line, panels 0-2 of the status bar, the score box.
    virtual void SetMessageLine(std::string_view text) = 0;
    virtual void SetStatusText(int panel, std::string_view text) = 0;
    virtual void SetScoreText(std::string_view text) = 0;

    virtual void SetVisible(WindowItem item, bool visible) = 0;
    virtual void SetEnabled(WindowItem item, bool enabled) = 0;

    // Timers keep the platform rules: enabling an enabled timer or setting
    // the interval it has changes nothing; otherwise a full countdown starts.
    virtual void SetTimerEnabled(WindowTimer timer, bool enabled) = 0;
    virtual void SetTimerInterval(WindowTimer timer, int milliseconds) = 0;
    virtual bool TimerEnabled(WindowTimer timer) const = 0;

    virtual void SetCursor(WindowCursor cursor) = 0;

    // Serves the pending paint requests (the window's own repaint).
    virtual void Paint() = 0;
    // Clears the side window to the table colour and arranges its picture.
    virtual void PaintSideWindow() = 0;

    virtual MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                                      MessageButtons buttons) = 0;
    // The modal results dialog, which reads the score from the game.
    virtual void ShowResultsDialog() = 0;
    // The modal dialog that says no move is left.
    virtual void ShowNoMoveDialog() = 0;

    // Saves the table picture as snapshot `number` (1-9); a failure is told
    // on the message line and play goes on.
    virtual void SaveTableSnapshot(int number) = 0;

    // Handles every pending event. With `waitForEvent` it first waits until
    // one arrives: the caller has nothing to do until something happens.
    virtual void HandlePendingMessages(bool waitForEvent) = 0;

    // A pause that blocks the window.
    virtual void Pause(int milliseconds) = 0;

    // The local time of day, and the calendar time in whole seconds.
    virtual DayFraction TimeOfDay() = 0;
    virtual std::uint32_t CalendarSeconds() = 0;
    // A time of day in the user's long time format (hours, minutes, seconds).
    virtual std::string LongTimeText(DayFraction timeOfDay) = 0;
};

}  // namespace jadeleaf
