// The analysis tool's window.
#include "tools/cli/AnalysisWindow.h"

#include <cstdio>
#include <string>

namespace jadeleaf {

void AnalysisWindow::BeginGame() {
    removedPairs_.clear();
    removedPairs_.reserve(kPositionCount / 2);
}

void AnalysisWindow::SetTimerEnabled(WindowTimer timer, bool enabled) {
    timerEnabled_[static_cast<int>(timer)] = enabled;
}

bool AnalysisWindow::TimerEnabled(WindowTimer timer) const { return timerEnabled_[static_cast<int>(timer)]; }

MessageAnswer AnalysisWindow::ShowMessage(std::string_view caption, std::string_view text, MessageIcon,
                                          MessageButtons buttons) {
    std::fprintf(stderr, "jadeleaf-cli: message box \"%s\": %s\n", std::string(caption).c_str(),
                 std::string(text).c_str());
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

// No one is here to click, so the only wait that ends is the one for the
// click that clears a finished automatic game: the table still holds that
// game's removals then. Any other wait would last for ever, so the game is
// left as a player leaves it.
void AnalysisWindow::HandlePendingMessages(bool waitForEvent) {
    if (!waitForEvent) return;
    GameTable& table = game_->table;
    if (!game_->AutoPlayEnded()) {
        waitedForInput_ = true;
        table.tableReady = 0;
        game_->shell.clickSeen = 1;
        return;
    }
    removedPairs_.clear();
    for (int i = 0; i + 1 < table.removedCount; i += 2) {
        removedPairs_.emplace_back(table.removalOrder[i], table.removalOrder[i + 1]);
    }
    game_->shell.clickSeen = 1;
    table.stopRequested = 1;
}

}  // namespace jadeleaf
