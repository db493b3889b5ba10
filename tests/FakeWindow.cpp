// The recording window of the tests.
#include "tests/FakeWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/MoveRules.h"

namespace jadeleaf::test {

int FakeWindow::Count(const std::string& entry) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

void FakeWindow::SetMessageLine(std::string_view text) {
    messageLine = text;
    log.push_back("message: " + messageLine);
}

void FakeWindow::SetStatusText(int panel, std::string_view text) {
    status[panel] = text;
    log.push_back("status" + std::to_string(panel) + ": " + status[panel]);
}

void FakeWindow::SetTimerEnabled(WindowTimer timer, bool value) {
    TimerState& state = timers[static_cast<int>(timer)];
    if (value && !state.enabled) ++state.countdownsStarted;
    state.enabled = value;
}

void FakeWindow::SetTimerInterval(WindowTimer timer, int milliseconds) {
    TimerState& state = timers[static_cast<int>(timer)];
    if (state.interval != milliseconds && state.enabled) ++state.countdownsStarted;
    state.interval = milliseconds;
}

MessageAnswer FakeWindow::ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                                      MessageButtons buttons) {
    boxes.push_back({std::string(caption), std::string(text), icon, buttons});
    if (buttons == MessageButtons::Ok) {
        log.push_back("box: " + std::string(caption) + "|" + std::string(text));
        return MessageAnswer::Ok;
    }
    MessageAnswer answer = MessageAnswer::No;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    log.push_back("ask: " + std::string(caption) + "|" + std::string(text) +
                  (answer == MessageAnswer::Yes ? " -> Yes" : " -> No"));
    return answer;
}

void FakeWindow::ShowResultsDialog() {
    resultScores.push_back(game_->table.score);
    log.push_back("results: " + std::to_string(game_->table.score));
}

void FakeWindow::ShowNoMoveDialog() {
    ++noMoveDialogs;
    log.push_back("nomove");
}

void FakeWindow::HandlePendingMessages(bool waitForEvent) {
    const int marker = 0;
    const auto address = reinterpret_cast<std::uintptr_t>(&marker);
    lowestStack = std::min(lowestStack, address);
    highestStack = std::max(highestStack, address);
    ++messageCalls;
    if (waitForEvent) ++waitCalls;
    if (onMessages) {
        onMessages(waitForEvent);
        return;
    }
    if (waitForEvent) {
        // Nothing would ever happen: end the game rather than hang the test.
        ADD_FAILURE() << "the game waited for an event that the test never sends";
        game_->table.tableReady = 0;
        game_->shell.clickSeen = 1;
    }
}

void FakeWindow::Pause(int milliseconds) {
    pauses.push_back(milliseconds);
    if (onPause) onPause();
}

std::string FakeWindow::LongTimeText(DayFraction time) {
    const long seconds = std::lround(time * 86400.0);
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return text;
}

void PlayerRemovesPair(Game& game, int a, int b) {
    GameTable& table = game.table;
    for (TileSelection* selection : {&table.firstSelection, &table.secondSelection}) {
        const int p = selection == &table.firstSelection ? a : b;
        selection->made = 1;
        selection->tile = p;
        selection->face = table.tiles[p].face;
        selection->layer = table.tiles[p].layer;
        table.tiles[p].state = kStateSelected;
    }
    game.RemovePair(a, b);
    table.firstSelection.made = 0;
    table.secondSelection.made = 0;
}

bool PlayerFindsPair(Game& game, int& a, int& b) {
    GameTable copy = game.table;
    if (FindMove(copy) == 0) return false;
    a = copy.knownMove[0];
    b = copy.knownMove[1];
    return true;
}

}  // namespace jadeleaf::test
