// Reading the settings file's bytes into a document, line by line.
#pragma once

#include <string>
#include <string_view>

#include "settings/RegistryDocument.h"

namespace jadeleaf::registry {

// Throws RegistryParseError naming the file and the first line it cannot read.
Document ParseDocument(std::string_view bytes, const std::string& path);

}  // namespace jadeleaf::registry
