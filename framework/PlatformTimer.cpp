// Window timers.
#include "framework/PlatformTimer.h"

#include <utility>

namespace jadeleaf {

PlatformTimer::PlatformTimer(Clock& clock, std::function<void()> onTimer)
    : clock_(clock), onTimer_(std::move(onTimer)) {}

PlatformTimer::~PlatformTimer() {
    if (enabled_) clock_.StopCountdown(*this);
}

void PlatformTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_) {
        Restart();
    } else {
        clock_.StopCountdown(*this);
    }
}

void PlatformTimer::SetInterval(int milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (enabled_) Restart();
}

void PlatformTimer::Restart() {
    clock_.StopCountdown(*this);
    clock_.StartCountdown(*this, interval_);
}

void PlatformTimer::Tick() {
    if (enabled_ && onTimer_) onTimer_();
}

}  // namespace jadeleaf
