// The real clock: the local time, real pauses, the Qt event loop and Qt timers.
#pragma once

#include <QObject>
#include <ctime>
#include <memory>
#include <string>
#include <unordered_map>

#include "framework/Clock.h"

class QSocketNotifier;

namespace jadeleaf {

class SystemClock final : public QObject, public Clock {
public:
    SystemClock();
    ~SystemClock() override;
    DayFraction TimeOfDay() override;
    std::uint32_t CalendarSeconds() override;
    void Pause(int milliseconds) override;
    void HandlePendingEvents() override;
    void WaitForEvents() override;
    void StartCountdown(PlatformTimer& timer, int milliseconds) override;
    void StopCountdown(PlatformTimer& timer) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void FollowTimeZone(std::time_t now);
    bool StartWakeUp(int milliseconds);
    void WakeUpRang();

    std::string zoneVariable_;
    bool zoneVariableSet_ = false;
    std::time_t zoneMinute_ = -1;
    std::unordered_map<int, PlatformTimer*> timers_;
    std::unordered_map<PlatformTimer*, int> ids_;
    // The end of a pause rings through a file descriptor, not a Qt timer, so
    // that the pause can keep every timer of the program waiting.
    int wakeUpFd_ = -1;
    std::unique_ptr<QSocketNotifier> wakeUp_;
    bool pausing_ = false;
};

}  // namespace jadeleaf
