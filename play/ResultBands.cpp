// The percentage bands of the results dialog.
#include "play/ResultBands.h"

#include <iterator>

#include "model/GameTable.h"

namespace jadeleaf {

namespace {

constexpr ResultBand kBands[] = {
    {100, "Excellent, you made it!"},
    {90, "Oh dear, so close to the top!"},
    {80, "Very promising, indeed!"},
    {70, "Keep advancing, delight is in sight!"},
    {60, "Reach out for more, now that it works!"},
    {50, "Better than 50 percent is also a win!"},
    {40, "You can do better than that!"},
    {30, "It's dawning already! Outside, at least."},
    {20, "Keep trying, seeker of perfection!"},
    {10, "At this stage, people usually wake up."},
    {0, "From zero to success. A long way to go!"},
};

}  // namespace

int ResultPercent(int score) { return score * 100 / kPositionCount; }

const ResultBand& ResultBandOf(int percent) {
    for (const ResultBand& band : kBands) {
        if (percent >= band.lowerBound) return band;
    }
    return kBands[std::size(kBands) - 1];
}

}  // namespace jadeleaf
