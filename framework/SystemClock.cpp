// The real clock.
#include "framework/SystemClock.h"

#include <QCoreApplication>
#include <QThread>
#include <QTime>
#include <QTimerEvent>
#include <ctime>

#include "framework/PlatformTimer.h"

namespace jadeleaf {

DayFraction SystemClock::TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
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
