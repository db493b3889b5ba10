// The player's options and the window placement, as the whole program reads them.
#pragma once

#include <cstdint>
#include <string>

namespace jadeleaf {

// The table's scale in percent: the window draws the table's own geometry
// that many times larger, and 100 is the table as it was designed. A stored
// scale of 0 fits the table to the window.
inline constexpr std::int32_t kActualScale = 100;
inline constexpr std::int32_t kSmallestScale = 50;
inline constexpr std::int32_t kLargestScale = 400;
inline constexpr std::int32_t kFitScale = 0;

struct Settings {
    std::int32_t timeDisplay = 1;
    std::int32_t infoDisplay = 1;
    std::int32_t showMessages = 1;
    std::int32_t assistance = 1;
    std::int32_t showPicture = 0;
    std::int32_t sideWindowWidth = 0;
    std::int32_t sideWindowHeight = 0;
    std::string bitmapPath;
    std::int32_t delay1Slider = 5;
    std::int32_t delay2Slider = 5;
    std::int32_t formTop = 1;
    std::int32_t formLeft = 1;
    std::int32_t formWidth = 0;
    std::int32_t formHeight = 0;
    std::int32_t formState = 1;
    std::int32_t tableScale = kActualScale;
    // New game deals only deals found winnable (a flag, 0 or 1).
    std::int32_t winnableDeals = 0;
};

}  // namespace jadeleaf
