// Playing-time arithmetic and text.
#include "model/PlayingTime.h"

#include <cmath>

namespace jadeleaf {

namespace {
constexpr long long kMillisecondsPerDay = 24LL * 60 * 60 * 1000;
}

DayFraction ElapsedSpan(DayFraction start, DayFraction now) {
    DayFraction span = now - start;
    if (span < 0) span += 1.0;
    return span;
}

TextLine PlayingTimeText(DayFraction span) {
    const long long milliseconds = std::llround(std::fabs(span) * kMillisecondsPerDay) % kMillisecondsPerDay;
    const long long seconds = milliseconds / 1000;
    return FormatText(" Playing Time: mins %02lld : %02lld secs", (seconds / 60) % 60, seconds % 60);
}

}  // namespace jadeleaf
