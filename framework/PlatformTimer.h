// A window timer with the platform's rules for enabling and intervals.
#pragma once

#include <functional>

#include "framework/Clock.h"

namespace jadeleaf {

// Enabling an enabled timer, or setting the interval it already has, changes
// nothing: its countdown goes on. A new interval on an enabled timer, or
// enabling a disabled one, starts a full new countdown.
class PlatformTimer {
public:
    PlatformTimer(Clock& clock, std::function<void()> onTimer);
    ~PlatformTimer();
    PlatformTimer(const PlatformTimer&) = delete;
    PlatformTimer& operator=(const PlatformTimer&) = delete;

    void SetEnabled(bool enabled);
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    int Interval() const { return interval_; }

    // The countdown ran out: the handler runs, and the next countdown has
    // already begun unless the handler stops the timer.
    void Tick();

private:
    void Restart();

    Clock& clock_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
    int interval_ = 1000;
};

}  // namespace jadeleaf
