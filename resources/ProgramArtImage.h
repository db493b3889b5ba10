// The program's own pictures as images, decoded from the blobs drawn at build time.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "resources/ProgramArt.h"

namespace jadeleaf {

inline QImage ArtImage(ArtBlob blob) {
    QImage image;
    image.loadFromData(blob.data, static_cast<int>(blob.size), "BMP");
    return image;
}

// The picture drawn for a screen of device pixel ratio `ratio`: above 1 the drawing at density 2
// or 3, marked with its density so that Qt shows it at the picture's usual size, sharp. At 1 it is
// the picture itself, pixel for pixel.
inline QImage ArtImage(ArtBlob blob, qreal ratio) {
    const int density = ratio > 2.0 ? 3 : (ratio > 1.0 ? 2 : 1);
    const PackedArt packed = density == 3 ? blob.atDensity3 : blob.atDensity2;
    if (density == 1 || packed.data == nullptr) return ArtImage(blob);
    QImage image;
    image.loadFromData(qUncompress(packed.data, static_cast<qsizetype>(packed.size)), "BMP");
    if (image.isNull()) return ArtImage(blob);
    image.setDevicePixelRatio(density);
    return image;
}

inline QPixmap ArtPixmap(ArtBlob blob, qreal ratio) { return QPixmap::fromImage(ArtImage(blob, ratio)); }

// An icon holding the picture at every density, so Qt picks the sharp one for each screen.
inline QIcon ArtIcon(ArtBlob blob) {
    QIcon icon(QPixmap::fromImage(ArtImage(blob)));
    for (const qreal ratio : {2.0, 3.0}) {
        const QImage image = ArtImage(blob, ratio);
        if (image.devicePixelRatio() == ratio) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace jadeleaf
