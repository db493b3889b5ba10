// The real clock.
#include "framework/SystemClock.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTime>
#include <QTimerEvent>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#if defined(__linux__)
#include <sys/timerfd.h>
#include <unistd.h>
#endif

#include "framework/PauseHold.h"
#include "framework/PlatformTimer.h"

namespace jadeleaf {

// Elsewhere than on Linux there is no timer descriptor, and a pause sleeps.
SystemClock::SystemClock() {
#if defined(__linux__)
    wakeUpFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (wakeUpFd_ < 0) return;
    wakeUp_ = std::make_unique<QSocketNotifier>(wakeUpFd_, QSocketNotifier::Read);
    connect(wakeUp_.get(), &QSocketNotifier::activated, this, [this] { WakeUpRang(); });
#endif
}

SystemClock::~SystemClock() {
    wakeUp_.reset();
#if defined(__linux__)
    if (wakeUpFd_ >= 0) close(wakeUpFd_);
#endif
}

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

// The window answers during the pause: its paints, the window manager's
// questions and the accessibility bus are served, while the player's input
// stays queued, the program's timers wait, and whatever else would run the
// program's handlers is held until the pause is over.
void SystemClock::Pause(int milliseconds) {
    if (milliseconds <= 0) return;
    if (pausing_ || !StartWakeUp(milliseconds)) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
        return;
    }
    const PauseHold hold;
    pausing_ = true;
    do {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::X11ExcludeTimers);
    } while (pausing_);
}

bool SystemClock::StartWakeUp(int milliseconds) {
#if defined(__linux__)
    if (wakeUpFd_ < 0) return false;
    itimerspec due{};
    due.it_value.tv_sec = milliseconds / 1000;
    due.it_value.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    return timerfd_settime(wakeUpFd_, 0, &due, nullptr) == 0;
#else
    (void)milliseconds;
    return false;
#endif
}

void SystemClock::WakeUpRang() {
#if defined(__linux__)
    std::uint64_t expirations = 0;
    if (read(wakeUpFd_, &expirations, sizeof expirations) == static_cast<ssize_t>(sizeof expirations)) pausing_ = false;
#endif
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
