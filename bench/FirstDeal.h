// Running the real main window's start-up to the first game's first wait for the player.
#pragma once

#include <QCoreApplication>
#include <functional>

#include "shell/TForm1.h"
#include "tests/ManualClock.h"

namespace jadeleaf {

// Shows `form`, lets it go idle and deal, runs `atFirstWait` while the first
// game waits for the player, then ends that game. False when nothing was dealt.
inline bool RunToFirstDeal(TForm1& form, test::ManualClock& clock, const std::function<void()>& atFirstWait) {
    form.show();
    QCoreApplication::processEvents();
    form.ApplicationIdle();
    bool dealt = false;
    clock.steps.push_back([&] {
        dealt = form.GameState().table.tableReady == 1;
        atFirstWait();
        form.GameState().table.stopRequested = 1;
        form.GameState().table.tableReady = 0;
    });
    clock.Advance(400);
    return dealt;
}

}  // namespace jadeleaf
