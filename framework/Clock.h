// The seam through which time, pauses and the waiting for events reach the
// program, so that tests can fix the time and skip real waiting.
#pragma once

#include <cstdint>

#include "model/GameTable.h"

namespace jadeleaf {

class PlatformTimer;

class Clock {
public:
    virtual ~Clock() = default;

    // The local time of day, and the calendar time in whole seconds.
    virtual DayFraction TimeOfDay() = 0;
    virtual std::uint32_t CalendarSeconds() = 0;

    // A pause of the program. The window keeps painting and answering the
    // window manager and the accessibility bus meanwhile; the player's input,
    // the timers and the commands wait for the pause's end.
    virtual void Pause(int milliseconds) = 0;

    // Handles every pending event from inside a handler.
    virtual void HandlePendingEvents() = 0;
    // Waits until at least one event arrives, then handles the pending ones.
    virtual void WaitForEvents() = 0;

    // The countdowns behind the platform timers. A countdown repeats until it
    // is stopped; each run-out calls the timer's Tick.
    virtual void StartCountdown(PlatformTimer& timer, int milliseconds) = 0;
    virtual void StopCountdown(PlatformTimer& timer) = 0;
};

}  // namespace jadeleaf
