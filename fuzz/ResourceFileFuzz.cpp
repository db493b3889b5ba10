// Fuzzes the resource file reader and the BMP decoder with whatever a damaged file may hold.
#include <cstdlib>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "render/BmpDecoder.h"
#include "render/ResourceFile.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t Get32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// A mutated picture almost never keeps a right checksum, so the reader would
// refuse nearly every input before its table checks and the decoder. The
// input is therefore also read with the checksum of every entry that lies
// inside it made right, as a generator with a fault of its own would write it.
Bytes WithChecksumsMadeRight(Bytes bytes) {
    if (bytes.size() < jadeleaf::kResourceHeaderSize) return bytes;
    const std::uint64_t count = Get32(bytes, 12);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = jadeleaf::kResourceHeaderSize + i * jadeleaf::kResourceEntrySize;
        if (at + jadeleaf::kResourceEntrySize > bytes.size()) break;
        const std::size_t entry = static_cast<std::size_t>(at);
        const std::uint64_t offset = Get32(bytes, entry + 4);
        const std::uint64_t length = Get32(bytes, entry + 8);
        if (offset + length > bytes.size()) continue;
        const std::uint32_t checksum = jadeleaf::ResourceChecksum(
            static_cast<std::int32_t>(Get32(bytes, entry)),
            std::span<const unsigned char>(bytes.data() + offset, static_cast<std::size_t>(length)));
        for (std::size_t k = 0; k < 4; ++k) bytes[entry + 12 + k] = static_cast<unsigned char>(checksum >> (8 * k));
    }
    return bytes;
}

void ReadAsTheGame(Bytes bytes) {
    jadeleaf::ResourceFile file;
    const int result = file.Parse(std::move(bytes));
    if ((result == 0) != file.Valid()) std::abort();
    for (int id = 0; id <= jadeleaf::kLastResourceId + 1; ++id) {
        const std::span<const unsigned char> resource = file.Resource(id);
        if (!file.Valid() && !resource.empty()) std::abort();
        const QImage image = jadeleaf::DecodeBmp(resource);
        if (!image.isNull() && image.format() != QImage::Format_RGB32) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    // A lone picture goes straight to the decoder; anything else is read as a whole file.
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        const QImage image = jadeleaf::DecodeBmp(bytes);
        if (!image.isNull() && (image.width() > jadeleaf::kBmpMaxWidth || image.height() > jadeleaf::kBmpMaxHeight))
            std::abort();
        return 0;
    }
    const Bytes file(bytes.begin(), bytes.end());
    ReadAsTheGame(file);
    ReadAsTheGame(WithChecksumsMadeRight(file));
    return 0;
}
