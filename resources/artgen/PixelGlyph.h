// A small picture defined as text rows in the source: '#' marks a drawn pixel.
#pragma once

#include <span>
#include <string_view>

namespace jadeleaf {

struct PixelGlyph {
    std::span<const std::string_view> rows;

    int Width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int Height() const { return static_cast<int>(rows.size()); }
    bool IsSet(int x, int y) const { return rows[y][x] == '#'; }
};

}  // namespace jadeleaf
