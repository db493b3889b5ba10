// The table's repaints at 100%, 200% and 300% in a window filling a 1920 x 1080 screen: the
// table picture drawn anew after a removal, the window erased and shown again, and the window's
// own paint that shows the table pixels at the scale; and a removal as the window serves it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <functional>

#include "bench/FirstDeal.h"
#include "shell/MainRoutine.h"
#include "tests/ManualClock.h"
#include "tests/ScriptedModal.h"

namespace jadeleaf {
namespace {

// Runs `repaint` in the benchmark's loop while the first game waits for the player.
void WithDealtTable(benchmark::State& state, const std::function<void(TForm1&)>& repaint) {
    QTemporaryDir directory;
    test::ManualClock clock;
    test::ScriptedModal modal;
    ApplicationWindows windows =
        CreateForms({clock, modal, directory.path().toStdString() + "/settings.reg", QSize(1920, 1080), false});
    TForm1& form = *windows.form1;
    form.resize(1918, 1000);
    const bool dealt = RunToFirstDeal(form, clock, [&] {
        form.SetTableScale(static_cast<int>(state.range(0)));
        for (auto _ : state) repaint(form);
    });
    if (!dealt) state.SkipWithError("no deal");
}

// A removed pair redraws every layer of the table picture, then the window
// shows it; a resized or uncovered window is first erased and drawn whole.
void Repaint(TForm1& form, bool wholeWindow) {
    PaintRequests& paint = form.GameState().paint;
    paint.eraseWindow = wholeWindow ? 1 : 0;
    paint.redrawAllTiles = 1;
    MarkLayersForRepaint(paint, 1);
    form.FormPaint(wholeWindow);
    form.ClientArea()->repaint();
}

void BM_RemovalRepaint(benchmark::State& state) {
    WithDealtTable(state, [](TForm1& form) { Repaint(form, false); });
}
BENCHMARK(BM_RemovalRepaint)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_WholeWindowRepaint(benchmark::State& state) {
    WithDealtTable(state, [](TForm1& form) { Repaint(form, true); });
}
BENCHMARK(BM_WholeWindowRepaint)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

// A removal as the window serves it: the repaint requests, then the window's
// own paint of what they changed.
void BM_RemovalAsShown(benchmark::State& state) {
    WithDealtTable(state, [](TForm1& form) {
        PaintRequests& paint = form.GameState().paint;
        paint.redrawAllTiles = 1;
        MarkLayersForRepaint(paint, 1);
        form.FormPaint(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    });
}
BENCHMARK(BM_RemovalAsShown)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

// The window's paint alone: the table pixels shown at the scale.
void BM_WindowPaint(benchmark::State& state) {
    WithDealtTable(state, [](TForm1& form) { form.ClientArea()->repaint(); });
}
BENCHMARK(BM_WindowPaint)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace jadeleaf
