// The side-window picture load.
#include "render/SidePicture.h"

#include <climits>
#include <cstdint>

#include "files/FileRead.h"

namespace jadeleaf {

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Every chunk (length, type, data, checksum) must lie inside the file.
bool PngChunksFit(std::string_view bytes) {
    std::size_t at = kPngSignature.size();
    while (at + 12 <= bytes.size()) {
        const std::uint64_t length = BigEndian32(bytes, at);
        if (length > bytes.size() - at - 12) return false;
        const std::string_view type = bytes.substr(at + 4, 4);
        at += 12 + static_cast<std::size_t>(length);
        if (type == "IEND") return true;
    }
    return at == bytes.size();
}

}  // namespace

bool DecodeSidePicture(std::string_view bytes, QImage& picture) {
    if (bytes.size() > static_cast<std::size_t>(kSidePictureFileLimit)) return false;
    if (bytes.substr(0, kPngSignature.size()) == kPngSignature && !PngChunksFit(bytes)) return false;
    QImage decoded;
    if (!decoded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) ||
        decoded.isNull()) {
        return false;
    }
    picture = decoded;
    return true;
}

bool LoadSidePicture(const std::string& path, QImage& picture, std::string& failure) {
    std::string bytes;
    if (const int error = ReadRegularFile(path, kSidePictureFileLimit, bytes)) {
        failure = FileFailureText("cannot load", path, error, kSidePictureFileLimit);
        return false;
    }
    if (!DecodeSidePicture(bytes, picture)) {
        failure = FileFailureText("cannot load", path, "not a picture");
        return false;
    }
    failure.clear();
    return true;
}

bool LoadSidePicture(const std::string& path, QImage& picture) {
    std::string failure;
    return LoadSidePicture(path, picture, failure);
}

}  // namespace jadeleaf
