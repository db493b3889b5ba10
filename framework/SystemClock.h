// The real clock: the local time, real pauses, the Qt event loop and Qt timers.
#pragma once

#include <QObject>
#include <ctime>
#include <string>
#include <unordered_map>

#include "framework/Clock.h"

namespace jadeleaf {

class SystemClock final : public QObject, public Clock {
public:
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

    std::string zoneVariable_;
    bool zoneVariableSet_ = false;
    std::time_t zoneMinute_ = -1;
    std::unordered_map<int, PlatformTimer*> timers_;
    std::unordered_map<PlatformTimer*, int> ids_;
};

}  // namespace jadeleaf
