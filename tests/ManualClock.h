// A clock for tests: time stands still until the test moves it, pauses take
// no real time, and waiting for an event runs the test's next step or the
// next timer tick.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "framework/Clock.h"

namespace jadeleaf::test {

class ManualClock final : public Clock {
public:
    // Milliseconds since midnight of the first day, and the calendar seconds at that midnight.
    long long nowMs = 12 * 3600 * 1000LL;
    std::uint32_t calendarAtMidnight = 1'700'000'000u;

    // What happens when the program waits for an event, in order. When none
    // is left, waiting moves time on to the next timer tick.
    std::deque<std::function<void()>> steps;
    // Called when the program waits and nothing at all can happen.
    std::function<void()> onStuck;
    std::function<void(int)> onPause;
    // Called each time the program handles its pending messages, before it does.
    std::function<void()> onPendingEvents;
    std::vector<int> pauses;

    DayFraction TimeOfDay() override;
    std::uint32_t CalendarSeconds() override;
    void Pause(int milliseconds) override;
    void HandlePendingEvents() override;
    void WaitForEvents() override;
    void StartCountdown(PlatformTimer& timer, int milliseconds) override;
    void StopCountdown(PlatformTimer& timer) override;

    // Moves time on by `milliseconds`, firing every tick that falls due on the way.
    void Advance(long long milliseconds);
    // How many timers count down now.
    std::size_t RunningCountdowns() const { return countdowns_.size(); }

private:
    struct Countdown {
        long long deadline;
        int interval;
        std::uint64_t order;
    };
    PlatformTimer* NextDue(long long until);
    void FireDue();

    std::map<PlatformTimer*, Countdown> countdowns_;
    std::uint64_t started_ = 0;
    long long waitedMs_ = 0;
};

}  // namespace jadeleaf::test
