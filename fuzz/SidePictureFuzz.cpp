// Fuzzes the side-window picture load: any bytes, decoded as the side window decodes its file.
#include <QGuiApplication>
#include <QImage>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "render/SidePicture.h"

namespace {

// Qt's decoders are not built for coverage, so the fuzzer would see one path only and drop the
// seeds of every format but one. A counter per format (told by its first bytes) and per kind of
// result lets it keep inputs of each format and each outcome.
int FormatClass(std::string_view bytes) {
    static const std::string_view kMagic[] = {"BM",    "\x89PNG", "\xFF\xD8", "GIF8", std::string_view("\0\0\1\0", 4),
                                              std::string_view("\0\0\2\0", 4), "P1", "P2", "P3", "P4", "P5", "P6",
                                              "#define", "/* XPM", "<svg", "<?xml", "RIFF", "II*", "MM"};
    int index = 1;
    for (const std::string_view magic : kMagic) {
        if (bytes.substr(0, magic.size()) == magic) return index;
        ++index;
    }
    return 0;
}

int SizeClass(int length) {
    int bucket = 0;
    while (length > 0 && bucket < 16) {
        length >>= 1;
        ++bucket;
    }
    return bucket;
}

// libFuzzer counts the bytes of this section as coverage of its own.
__attribute__((used, section("__libfuzzer_extra_counters"))) unsigned char outcomes[32];

void Note(int value) {
    const auto index = static_cast<std::size_t>(value < 0 ? 0 : value > 31 ? 31 : value);
    outcomes[index] = static_cast<unsigned char>(outcomes[index] + 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The image format plugins are found through the application.
    static QGuiApplication application(*argc, *argv);
    // A refused picture is not news; the decoders' warnings would only slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) return 0;
    const int format = FormatClass(std::string_view(reinterpret_cast<const char*>(data), size));
    Note(format);

    QImage picture;
    const bool loaded = jadeleaf::DecodeSidePicture(std::string_view(reinterpret_cast<const char*>(data), size), picture);
    if (loaded && picture.isNull()) std::abort();
    if (!loaded) {
        Note(31);
        return 0;
    }
    Note(19 + SizeClass(picture.width()) / 2);
    Note(27 + (picture.depth() > 8 ? 1 : 0) + (picture.depth() > 24 ? 1 : 0));
    return 0;
}
