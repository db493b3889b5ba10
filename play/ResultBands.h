// The result of a game: its percentage of the deck and the verdict of its band.
#pragma once

#include <string_view>

namespace jadeleaf {

struct ResultBand {
    int lowerBound;          // also the first saying of the band
    std::string_view verdict;
};

// Tiles removed as a whole percentage of the 144-tile deck, fraction dropped.
int ResultPercent(int score);

// The band of a percentage, tested from the top.
const ResultBand& ResultBandOf(int percent);

}  // namespace jadeleaf
