// Fuzzes the resource file reader and the BMP decoder with whatever a damaged file may hold.
#include <algorithm>
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
// Makes right the checksums of the `count` entries from `table` on; returns
// where the last picture they hold ends.
std::uint64_t MakeChecksumsRight(Bytes& bytes, std::uint64_t table, std::uint64_t count) {
    std::uint64_t end = table + count * jadeleaf::kResourceEntrySize;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = table + i * jadeleaf::kResourceEntrySize;
        if (at + jadeleaf::kResourceEntrySize > bytes.size()) break;
        const std::size_t entry = static_cast<std::size_t>(at);
        const std::uint64_t offset = Get32(bytes, entry + 4);
        const std::uint64_t length = Get32(bytes, entry + 8);
        if (offset + length > bytes.size()) continue;
        end = std::max(end, offset + length);
        const std::uint32_t checksum = jadeleaf::ResourceChecksum(
            static_cast<std::int32_t>(Get32(bytes, entry)),
            std::span<const unsigned char>(bytes.data() + offset, static_cast<std::size_t>(length)));
        for (std::size_t k = 0; k < 4; ++k) bytes[entry + 12 + k] = static_cast<unsigned char>(checksum >> (8 * k));
    }
    return end;
}

Bytes WithChecksumsMadeRight(Bytes bytes) {
    if (bytes.size() < jadeleaf::kResourceHeaderSize) return bytes;
    const std::uint64_t end = MakeChecksumsRight(bytes, jadeleaf::kResourceHeaderSize, Get32(bytes, 12));
    // The denser pictures' table, where the small pictures end.
    const std::uint64_t table = end + jadeleaf::kDenseSetTag.size() + 4;
    if (table <= bytes.size()) MakeChecksumsRight(bytes, table, Get32(bytes, static_cast<std::size_t>(table - 4)));
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
    for (int density = 2; density <= jadeleaf::kLargestDensity; ++density) {
        for (int id = jadeleaf::kFirstResourceId; id <= jadeleaf::kLastResourceId; ++id) {
            const QImage image = jadeleaf::DecodePackedBmp(file.Resource(jadeleaf::DenseResourceId(id, density)));
            if (!image.isNull() && (image.width() > jadeleaf::kBmpMaxWidth || image.height() > jadeleaf::kBmpMaxHeight))
                std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    // A lone picture goes straight to its decoder; anything else is read as a whole file.
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        const QImage image = jadeleaf::DecodeBmp(bytes);
        if (!image.isNull() && (image.width() > jadeleaf::kBmpMaxWidth || image.height() > jadeleaf::kBmpMaxHeight))
            std::abort();
        return 0;
    }
    // A denser picture's big-endian length begins with a zero byte; no file does.
    if (size >= 1 && data[0] == 0) {
        const QImage image = jadeleaf::DecodePackedBmp(bytes);
        if (!image.isNull() && (image.width() > jadeleaf::kBmpMaxWidth || image.height() > jadeleaf::kBmpMaxHeight))
            std::abort();
        return 0;
    }
    const Bytes file(bytes.begin(), bytes.end());
    ReadAsTheGame(file);
    ReadAsTheGame(WithChecksumsMadeRight(file));
    return 0;
}
