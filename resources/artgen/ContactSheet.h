// A PNG of every picture, at real size and enlarged, for people to look at the artwork.
#pragma once

#include <filesystem>

#include "resources/artgen/ArtCatalogue.h"

namespace jadeleaf {

Canvas BuildContactSheet(const ArtCatalogue& catalogue);
// Throws std::runtime_error when the file cannot be written.
void WriteContactSheet(const ArtCatalogue& catalogue, const std::filesystem::path& file);

}  // namespace jadeleaf
