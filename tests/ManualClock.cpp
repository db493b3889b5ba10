// The tests' clock.
#include "tests/ManualClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "framework/PlatformTimer.h"

namespace jadeleaf::test {

namespace {
constexpr long long kMsPerDay = 86'400'000LL;
// A test that waits longer than this without a step of its own is stuck.
constexpr long long kLongestWait = 6 * 3600 * 1000LL;
}  // namespace

DayFraction ManualClock::TimeOfDay() { return static_cast<double>(nowMs % kMsPerDay) / kMsPerDay; }

std::uint32_t ManualClock::CalendarSeconds() { return calendarAtMidnight + static_cast<std::uint32_t>(nowMs / 1000); }

void ManualClock::Pause(int milliseconds) {
    pauses.push_back(milliseconds);
    if (onPause) onPause(milliseconds);
    nowMs += milliseconds;
}

void ManualClock::HandlePendingEvents() {
    if (onPendingEvents) onPendingEvents();
    QCoreApplication::processEvents();
    FireDue();
}

void ManualClock::WaitForEvents() {
    QCoreApplication::processEvents();
    if (!steps.empty()) {
        const std::function<void()> step = std::move(steps.front());
        steps.pop_front();
        waitedMs_ = 0;
        step();
        return;
    }
    PlatformTimer* next = NextDue(nowMs + kLongestWait - waitedMs_);
    if (next == nullptr) {
        ADD_FAILURE() << "the program waits for an event that the test never sends";
        if (onStuck) onStuck();
        return;
    }
    const long long before = nowMs;
    Countdown& countdown = countdowns_[next];
    nowMs = std::max(nowMs, countdown.deadline);
    waitedMs_ += nowMs - before;
    countdown.deadline += countdown.interval;
    next->Tick();
}

void ManualClock::StartCountdown(PlatformTimer& timer, int milliseconds) {
    countdowns_[&timer] = {nowMs + std::max(milliseconds, 1), std::max(milliseconds, 1), started_++};
}

void ManualClock::StopCountdown(PlatformTimer& timer) { countdowns_.erase(&timer); }

PlatformTimer* ManualClock::NextDue(long long until) {
    PlatformTimer* next = nullptr;
    for (auto& [timer, countdown] : countdowns_) {
        if (countdown.deadline > until) continue;
        if (next == nullptr || countdown.deadline < countdowns_[next].deadline ||
            (countdown.deadline == countdowns_[next].deadline && countdown.order < countdowns_[next].order)) {
            next = timer;
        }
    }
    return next;
}

void ManualClock::FireDue() {
    while (PlatformTimer* timer = NextDue(nowMs)) {
        countdowns_[timer].deadline += countdowns_[timer].interval;
        timer->Tick();
    }
}

void ManualClock::Advance(long long milliseconds) {
    const long long target = nowMs + milliseconds;
    while (PlatformTimer* timer = NextDue(target)) {
        Countdown& countdown = countdowns_[timer];
        nowMs = std::max(nowMs, countdown.deadline);
        countdown.deadline += countdown.interval;
        timer->Tick();
    }
    nowMs = std::max(nowMs, target);
}

}  // namespace jadeleaf::test
