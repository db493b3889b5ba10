// The real clock.
#include "framework/SystemClock.h"

#include <QCoreApplication>
#include <QThread>
#include <QTime>
#include <QTimerEvent>
#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "framework/PlatformTimer.h"

namespace jadeleaf {

// The playing time asks every second; the C library answers with a fraction
// of the work that Qt's date and time classes do for the same local time.
DayFraction SystemClock::TimeOfDay() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    FollowTimeZone(now.tv_sec);
    tm local{};
    if (localtime_r(&now.tv_sec, &local) == nullptr) return QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
    const long long milliseconds =
        ((local.tm_hour * 60LL + local.tm_min) * 60 + std::min(local.tm_sec, 59)) * 1000 + now.tv_nsec / 1000000;
    return static_cast<double>(milliseconds) / 86400000.0;
}

// The C library looks at the system's time zone file again on every tzset,
// a file system call each time, and the playing time asks every second: a
// zone that the system changes counts from the next minute on, one that the
// program's TZ names from now on.
void SystemClock::FollowTimeZone(std::time_t now) {
    const char* zone = std::getenv("TZ");
    const bool sameVariable = zone == nullptr ? !zoneVariableSet_ : zoneVariableSet_ && zoneVariable_ == zone;
    if (sameVariable && now / 60 == zoneMinute_) return;
    tzset();
    zoneVariableSet_ = zone != nullptr;
    zoneVariable_ = zone == nullptr ? "" : zone;
    zoneMinute_ = now / 60;
}

std::uint32_t SystemClock::CalendarSeconds() { return static_cast<std::uint32_t>(std::time(nullptr)); }

void SystemClock::Pause(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void SystemClock::HandlePendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void SystemClock::WaitForEvents() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void SystemClock::StartCountdown(PlatformTimer& timer, int milliseconds) {
    const int id = startTimer(milliseconds < 0 ? 0 : milliseconds, Qt::PreciseTimer);
    if (id == 0) return;
    timers_[id] = &timer;
    ids_[&timer] = id;
}

void SystemClock::StopCountdown(PlatformTimer& timer) {
    const auto found = ids_.find(&timer);
    if (found == ids_.end()) return;
    killTimer(found->second);
    timers_.erase(found->second);
    ids_.erase(found);
}

void SystemClock::timerEvent(QTimerEvent* event) {
    const auto found = timers_.find(event->timerId());
    if (found != timers_.end()) found->second->Tick();
}

}  // namespace jadeleaf
