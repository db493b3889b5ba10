// Writes the resource file jl_res10.res: the header, the table and the bitmaps.
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "resources/artgen/ArtCatalogue.h"

namespace jadeleaf {

// The file's bytes, without the resources whose numbers are in `omitted`.
std::string ResourceFileBytes(const ArtCatalogue& catalogue, const std::set<int>& omitted = {});

// Writes the file, creating its folder as needed; throws std::runtime_error with the path on failure.
void WriteResourceFile(const ArtCatalogue& catalogue, const std::filesystem::path& path,
                       const std::set<int>& omitted = {});

}  // namespace jadeleaf
