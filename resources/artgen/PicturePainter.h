// The pictures besides the tiles: the start-up picture and the program's own pictures.
#pragma once

#include <string_view>

#include "resources/artgen/Canvas.h"

namespace jadeleaf {

// Each at density 1, 2 or 3: the sizes below times the density.
Canvas PaintStartupPicture(int density = 1);  // 360 x 220: a stack of tiles, a jade leaf, bamboo and the name
// 32 x 32: a character-suit tile. Resolve::KeyedWhite keeps its edges hard against the white
// round it, for pictures where that white becomes transparent.
Canvas PaintWindowIcon(int density = 1, Resolve edges = Resolve::Average);
Canvas PaintInfoButton(int density = 1);      // 16 x 16: a letter i in a blue disc
Canvas PaintEmblem(int density = 1);          // 116 x 110: a red arched bridge with a gate over water in a garden
Canvas PaintQuickInfoTitle(int density = 1);  // 322 x 27: the program's name in green italic letters

// The width of text set in the title letters at scale 1, one blank column between letters.
int TitleTextWidth(std::string_view text);
// Sets text in the title letters with its top-left corner at (x, y).
void DrawTitleText(Canvas& canvas, std::string_view text, int x, int y, Rgb colour, int scale, double slant);

}  // namespace jadeleaf
