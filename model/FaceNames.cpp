// The faces and the tiles' places in words.
#include "model/FaceNames.h"

namespace jadeleaf {

std::string FaceName(int face) {
    static const char* const kNumbers[9] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"};
    static const char* const kSuits[3] = {" of Circles", " of Bamboo", " of Characters"};
    // The names of the pictures the tiles show, in the order of the faces.
    static const char* const kHonours[15] = {"East Wind", "South Wind", "West Wind", "North Wind", "Red Dragon",
                                             "Green Dragon", "White Dragon", "Spring", "Summer", "Autumn",
                                             "Winter", "Plum", "Orchid", "Chrysanthemum", "Tulip"};
    if (face < 1 || face > kFaceCount) return {};
    if (face <= 27) return std::string(kNumbers[(face - 1) % 9]) + kSuits[(face - 1) / 9];
    return kHonours[face - 28];
}

std::string TileDescription(const TileRecord& tile) {
    const bool bothSides = tile.leftBlocked != 0 && tile.rightBlocked != 0;
    std::string text;
    if (tile.covered != 0) text = bothSides ? "covered, blocked on both sides" : "covered";
    else text = bothSides ? "blocked on both sides" : "free";
    text += ", layer " + std::to_string(tile.layer);
    if (tile.state == kStateSelected) text += ", selected";
    if (tile.state == kStateSureBet) text += ", sure bet";
    return text;
}

}  // namespace jadeleaf
