// Writes the generated C++ source that carries the program's own pictures as byte arrays.
#pragma once

#include <filesystem>
#include <string>

#include "resources/artgen/ArtCatalogue.h"

namespace jadeleaf {

inline constexpr const char* kProgramArtSourceName = "ProgramArtData.cpp";

// Writes the source into folder, creating it as needed.
// Throws std::runtime_error with the path when a file cannot be written.
void WriteArtSources(const ArtCatalogue& catalogue, const std::filesystem::path& folder);

// Writes `path` beside its final name and renames it over it, so an interrupted run never
// leaves half a file behind. Throws std::runtime_error with the path on failure.
void ReplaceFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace jadeleaf
