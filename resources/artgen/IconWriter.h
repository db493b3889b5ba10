// The game's icon for desktops: the window icon's tile as PNGs of the theme sizes and as SVG.
#pragma once

#include <filesystem>

namespace jadeleaf {

inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Writes jadeleaf-SIZE.png for every size and jadeleaf.svg into folder, creating it as needed.
// Throws std::runtime_error with the path when a file cannot be written.
void WriteIcons(const std::filesystem::path& folder);

}  // namespace jadeleaf
