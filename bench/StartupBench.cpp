// The start-up of the real main window, without the deliberate pauses:
// creating the windows, loading the library and composing the 42 tiles, and
// dealing the first game until the game loop waits for the player.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/FirstDeal.h"
#include "shell/MainRoutine.h"
#include "tests/ManualClock.h"
#include "tests/ScriptedModal.h"

namespace jadeleaf {
namespace {

void BM_StartupToFirstDeal(benchmark::State& state) {
    QTemporaryDir directory;
    const std::string settings = directory.path().toStdString() + "/settings.reg";
    for (auto _ : state) {
        test::ManualClock clock;
        test::ScriptedModal modal;
        ApplicationWindows windows = CreateForms({clock, modal, settings, QSize(1280, 1024), false});
        if (!RunToFirstDeal(*windows.form1, clock, [] {})) state.SkipWithError("no deal");
    }
}
BENCHMARK(BM_StartupToFirstDeal)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace jadeleaf
