// Every picture the generator makes, with the number or name it is reached by and its file depth.
#pragma once

#include <string>
#include <vector>

#include "resources/artgen/BmpEncoder.h"
#include "resources/artgen/Canvas.h"

namespace jadeleaf {

struct ArtItem {
    int id;             // resource number in the library; 0 for the program's own pictures
    std::string name;   // the accessor function of a program picture; a description otherwise
    Canvas picture;
    BmpDepth depth;
};

struct ArtCatalogue {
    std::vector<ArtItem> resources;  // ids 1 to 45 in order
    std::vector<ArtItem> program;
};

ArtCatalogue BuildArtCatalogue();

}  // namespace jadeleaf
