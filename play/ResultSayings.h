// The sayings the results dialog shows beneath the verdict, ten for each result band.
#pragma once

#include <string_view>

namespace jadeleaf {

inline constexpr int kResultSayingCount = 110;

// Saying 0-109: block b (0, 10, ..., 100) belongs to the band whose lower bound is b.
// A number outside 0-109 gives the empty text, so a bad index shows nothing
// rather than reading past the table.
std::string_view ResultSaying(int number);

}  // namespace jadeleaf
