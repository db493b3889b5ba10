// Fixed-size formatted texts, so that the game's messages need no allocation.
#pragma once

#include <string_view>

namespace jadeleaf {

struct TextLine {
    char text[256];
    std::string_view View() const { return text; }
    operator std::string_view() const { return text; }
};

TextLine FormatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace jadeleaf
