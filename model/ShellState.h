// The main window's state that the game commands read and write.
#pragma once

#include <cstdint>

#include "model/GameTable.h"

namespace jadeleaf {

enum ViewMode : std::int32_t {
    kViewTable = 0,
    kViewSetOfTiles = 1,
    kViewDimensions = 2,
};

struct ShellState {
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
    std::int32_t screenClass = 0;
    std::int32_t tileLoadFactor = 0;
    std::int32_t autoPlayFactor = 0;
    std::int32_t tileLoadDelay = 0;  // milliseconds
    std::int32_t autoPlayDelay = 0;  // milliseconds
    Flag startupPending = 1;
    std::int32_t viewMode = kViewTable;
    Flag tilesViewEnabled = 0;
    Flag dimensionsEnabled = 0;
    Flag finishEnabled = 0;
    Flag autoPlayEnabled = 1;
    Flag resizePending = 0;
    Flag optionsChanged = 0;
    Flag clickSeen = 0;
    Flag bitmapPathValid = 0;
};

}  // namespace jadeleaf
