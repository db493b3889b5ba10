// The pixel glyphs of the artwork: numerals, letters and characters, defined as data.
#pragma once

#include "resources/artgen/PixelGlyph.h"

namespace jadeleaf {

PixelGlyph ChineseNumeral(int number);  // 1 to 9, 11 x 7
PixelGlyph WanCharacter();              // the character suit's sign, 11 x 11
PixelGlyph SmallWanCharacter();         // the same sign for the window icon, 13 x 11
PixelGlyph MiddleCharacter();           // the red dragon's sign, 11 x 15
PixelGlyph SmallDigit(int digit);       // 0 to 9, 3 x 5
PixelGlyph WindLetter(char letter);     // 'E', 'S', 'W' or 'N', 7 x 9
// Proportional letters 10 rows high for the program's name; an unknown character gives a blank.
PixelGlyph TitleLetter(char letter);

}  // namespace jadeleaf
