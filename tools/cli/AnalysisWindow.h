// A window with no screen for the analysis tool: no pauses, a fixed clock,
// and the pairs that an automatic game removed, read from the game at its end.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/Game.h"
#include "model/GameWindow.h"

namespace jadeleaf {

class AnalysisWindow final : public GameWindow {
public:
    void Attach(Game& game) { game_ = &game; }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }

    // Forgets the pairs of the previous game.
    void BeginGame();
    const std::vector<std::pair<int, int>>& RemovedPairs() const { return removedPairs_; }

    // Whether a game ever waited for input that no one here can give; such a
    // game is ended at once and its caller decides what that means.
    bool WaitedForInput() const { return waitedForInput_; }

    void SetMessageLine(std::string_view) override {}
    void SetStatusText(int, std::string_view) override {}
    void SetScoreText(std::string_view) override {}
    void SetVisible(WindowItem, bool) override {}
    void SetEnabled(WindowItem, bool) override {}
    void SetTimerEnabled(WindowTimer timer, bool enabled) override;
    void SetTimerInterval(WindowTimer, int) override {}
    bool TimerEnabled(WindowTimer timer) const override;
    void SetCursor(WindowCursor) override {}
    void Paint() override {}
    void PaintSideWindow() override {}
    MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageIcon,
                              MessageButtons buttons) override;
    void ShowResultsDialog() override {}
    void ShowNoMoveDialog() override {}
    void SaveTableSnapshot(int) override {}
    void HandlePendingMessages(bool waitForEvent) override;
    void Pause(int) override {}
    DayFraction TimeOfDay() override { return 0.5; }
    std::uint32_t CalendarSeconds() override { return seed_; }
    std::string LongTimeText(DayFraction) override { return "12:00:00"; }

private:
    Game* game_ = nullptr;
    std::uint32_t seed_ = 0;
    bool timerEnabled_[3] = {};
    bool waitedForInput_ = false;
    std::vector<std::pair<int, int>> removedPairs_;
};

}  // namespace jadeleaf
