// The idle hook under real event loops: once per idle moment, never inside itself.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "framework/IdleHook.h"

namespace jadeleaf::test {
namespace {

// Runs an event loop until `ticks` ticks of a 1 ms timer have passed.
void RunLoopFor(int ticks) {
    QEventLoop loop;
    QTimer timer;
    int seen = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++seen == ticks) loop.quit();
    });
    timer.start(1);
    loop.exec();
}

TEST(IdleHook, ANestedLoopInsideTheHookDoesNotRunItAgain) {
    int runs = 0;
    int depth = 0;
    int deepest = 0;
    IdleHook hook([&] {
        ++runs;
        deepest = std::max(deepest, ++depth);
        // As a message box does: an event loop of its own, going idle between ticks.
        if (runs == 1) RunLoopFor(10);
        --depth;
    });
    const int ticks = 30;
    RunLoopFor(ticks);
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(runs, 1);
    // Once per wake-up at most: the hook itself is no activity that wakes the loop again.
    EXPECT_LE(runs, 2 * ticks + 2);
}

}  // namespace
}  // namespace jadeleaf::test
