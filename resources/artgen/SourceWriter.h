// Writes the generated C++ sources that carry the pictures as byte arrays.
#pragma once

#include <filesystem>

#include "resources/artgen/ArtCatalogue.h"

namespace jadeleaf {

inline constexpr const char* kResourceSourceName = "ResourceData.cpp";
inline constexpr const char* kProgramArtSourceName = "ProgramArtData.cpp";

// Writes both sources into folder, creating it as needed. Each file is written beside its final
// name and then renamed over it, so an interrupted run never leaves half a source behind.
// Throws std::runtime_error with the path when a file cannot be written.
void WriteArtSources(const ArtCatalogue& catalogue, const std::filesystem::path& folder);

}  // namespace jadeleaf
