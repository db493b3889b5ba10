// Fuzzes the side-window picture load: any bytes, read as an image the way the side window reads its file.
#include <QGuiApplication>
#include <QImage>
#include <climits>
#include <cstdlib>

#include "fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The image format plugins are found through the application.
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) return 0;
    QImage picture;
    if (picture.loadFromData(data, static_cast<int>(size)) && picture.isNull()) std::abort();
    return 0;
}
