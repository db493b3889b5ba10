// The program's own pictures as images, decoded from the blobs drawn at build time.
#pragma once

#include <QImage>

#include "resources/ProgramArt.h"

namespace jadeleaf {

inline QImage ArtImage(ArtBlob blob) {
    QImage image;
    image.loadFromData(blob.data, static_cast<int>(blob.size), "BMP");
    return image;
}

}  // namespace jadeleaf
