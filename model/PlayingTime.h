// The playing time of a game: the span between two times of day and its text.
#pragma once

#include "model/GameTable.h"
#include "model/TextLine.h"

namespace jadeleaf {

// The time from `start` to `now`, both times of day; a game that passes
// midnight still gets its true length.
DayFraction ElapsedSpan(DayFraction start, DayFraction now);

// " Playing Time: mins nn : ss secs" with the minutes and seconds of the span
// (hours are not shown).
TextLine PlayingTimeText(DayFraction span);

}  // namespace jadeleaf
