// The analysis tool's window.
#include "tools/cli/AnalysisWindow.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace jadeleaf {

void AnalysisWindow::BeginGame() {
    removedPairs_.clear();
    removedPairs_.reserve(kPositionCount / 2);
    resultShown_ = false;
    lastScore_ = 0;
    pendingPair_ = {};
}

void AnalysisWindow::SetStatusText(int panel, std::string_view text) {
    if (panel == 0 && text == "Click once to clear the game table.") resultShown_ = true;
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

// Nothing ever happens here but the click that clears a finished automatic
// game; a game that waits for anything else would wait for ever.
void AnalysisWindow::HandlePendingMessages(bool waitForEvent) {
    if (!waitForEvent) return;
    if (!resultShown_) {
        std::fprintf(stderr, "jadeleaf-cli: the game waited for input during automatic play\n");
        std::exit(3);
    }
    game_->shell.clickSeen = 1;
    game_->table.stopRequested = 1;
}

// Every phase of an automatic move ends with a pause: the pair is known after
// the second selection and gone after the removal.
void AnalysisWindow::Pause(int) {
    const GameTable& table = game_->table;
    if (table.firstSelection.made && table.secondSelection.made) {
        pendingPair_ = {table.firstSelection.tile, table.secondSelection.tile};
    } else if (table.score != lastScore_) {
        lastScore_ = table.score;
        removedPairs_.push_back(pendingPair_);
    }
}

}  // namespace jadeleaf
