// The start-up of the real main window, without the deliberate pauses:
// creating the windows, loading the library and composing the 42 tiles, and
// dealing the first game until the game loop waits for the player.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

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
        TForm1& form = *windows.form1;
        form.show();
        QCoreApplication::processEvents();
        form.ApplicationIdle();
        bool dealt = false;
        clock.steps.push_back([&] {
            dealt = form.GameState().table.tableReady == 1;
            form.GameState().table.stopRequested = 1;
            form.GameState().table.tableReady = 0;
        });
        clock.Advance(400);
        if (!dealt) state.SkipWithError("no deal");
    }
}
BENCHMARK(BM_StartupToFirstDeal)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace jadeleaf

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
