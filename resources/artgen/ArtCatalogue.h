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
    int density = 1;    // pixels to the unit of the picture's design
};

struct ArtCatalogue {
    std::vector<ArtItem> resources;  // ids 1 to 45 in order
    // The same pictures drawn at densities 2 and 3, ids 101 to 145 and then 201 to 245.
    std::vector<ArtItem> denseResources;
    // The program's pictures, then each of them at densities 2 and 3 under the same name.
    std::vector<ArtItem> program;
};

ArtCatalogue BuildArtCatalogue();

}  // namespace jadeleaf
