// Formatting into fixed-size texts.
#include "model/TextLine.h"

#include <cstdarg>
#include <cstdio>

namespace jadeleaf {

TextLine FormatText(const char* pattern, ...) {
    TextLine line;
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(line.text, sizeof line.text, pattern, arguments);
    va_end(arguments);
    return line;
}

}  // namespace jadeleaf
