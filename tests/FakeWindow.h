// A recording window for playing whole games in tests without a screen.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "model/Game.h"
#include "model/GameWindow.h"

namespace jadeleaf::test {

class FakeWindow final : public GameWindow {
public:
    struct TimerState {
        bool enabled = false;
        int interval = 0;
        int countdownsStarted = 0;  // how often a full countdown began
    };
    struct MessageBoxCall {
        std::string caption;
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    // Runs inside every HandlePendingMessages: the test's player and events.
    // `wait` says that the game has nothing to do until something happens.
    std::function<void(bool wait)> onMessages;

    // Runs inside every Pause, after it has been recorded.
    std::function<void()> onPause;

    // Answers for the Yes/No questions, in order; No when none is left.
    std::deque<MessageAnswer> answers;

    // What the game did, in order: "message: ...", "status0: ...", "ask: ...",
    // "box: ...", "results: <score>", "nomove".
    std::vector<std::string> log;

    std::string messageLine;
    std::string status[3];
    std::string scoreText;
    bool visible[kWindowItemCount] = {};
    bool enabled[kWindowItemCount] = {};
    TimerState timers[3];
    WindowCursor cursor = WindowCursor::Arrow;
    int paints = 0;
    int sidePaints = 0;
    std::vector<MessageBoxCall> boxes;
    std::vector<int> resultScores;
    int noMoveDialogs = 0;
    std::vector<int> pauses;
    std::vector<int> snapshots;
    int messageCalls = 0;
    int waitCalls = 0;

    DayFraction timeOfDay = 0.5;
    std::uint32_t calendarSeconds = 12345;

    explicit FakeWindow() = default;
    void Attach(Game& game) { game_ = &game; }

    bool Visible(WindowItem item) const { return visible[static_cast<int>(item)]; }
    bool Enabled(WindowItem item) const { return enabled[static_cast<int>(item)]; }
    const TimerState& Timer(WindowTimer timer) const { return timers[static_cast<int>(timer)]; }
    int Count(const std::string& entry) const;

    void SetMessageLine(std::string_view text) override;
    void SetStatusText(int panel, std::string_view text) override;
    void SetScoreText(std::string_view text) override { scoreText = text; }
    void SetVisible(WindowItem item, bool value) override { visible[static_cast<int>(item)] = value; }
    void SetEnabled(WindowItem item, bool value) override { enabled[static_cast<int>(item)] = value; }
    void SetTimerEnabled(WindowTimer timer, bool value) override;
    void SetTimerInterval(WindowTimer timer, int milliseconds) override;
    bool TimerEnabled(WindowTimer timer) const override { return Timer(timer).enabled; }
    void SetCursor(WindowCursor value) override { cursor = value; }
    void Paint() override { ++paints; }
    void PaintSideWindow() override { ++sidePaints; }
    MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                              MessageButtons buttons) override;
    void ShowResultsDialog() override;
    void ShowNoMoveDialog() override;
    void SaveTableSnapshot(int number) override { snapshots.push_back(number); }
    void HandlePendingMessages(bool waitForEvent) override;
    void Pause(int milliseconds) override;
    DayFraction TimeOfDay() override { return timeOfDay; }
    std::uint32_t CalendarSeconds() override { return calendarSeconds; }
    std::string LongTimeText(DayFraction time) override;

    // The stack addresses seen in HandlePendingMessages, to show that games
    // started from inside a game loop do not nest.
    std::uintptr_t lowestStack = UINTPTR_MAX;
    std::uintptr_t highestStack = 0;

private:
    Game* game_ = nullptr;
};

// What a player does with the mouse to take a pair off the table: select
// both tiles, then release the button.
void PlayerRemovesPair(Game& game, int a, int b);

// The first pair the player would find: the one the move search offers.
bool PlayerFindsPair(Game& game, int& a, int& b);

}  // namespace jadeleaf::test
