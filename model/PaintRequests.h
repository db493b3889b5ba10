// The repaint requests that the game sets and the window's paint handler serves.
#pragma once

#include "model/GameTable.h"

namespace jadeleaf {

struct PaintRequests {
    Flag layerRepaint[kLayerCount + 1];  // index 1-5; 0 unused
    Flag redrawAllTiles;
    Flag eraseWindow;
    Flag eraseTableArea;
    Flag copyTablePicture;
    Flag sidePictureDrawn;
    Flag sidePictureDeferred;
};

// Asks for layers `layer` to 5 to be drawn again; a layer outside 1-5 marks nothing.
inline void MarkLayersForRepaint(PaintRequests& requests, int layer) {
    if (layer < 1 || layer > kLayerCount) return;
    for (int l = layer; l <= kLayerCount; ++l) requests.layerRepaint[l] = 1;
}

}  // namespace jadeleaf
