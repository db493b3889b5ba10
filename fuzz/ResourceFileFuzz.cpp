// Fuzzes the resource file reader and the BMP decoder with whatever a damaged file may hold.
#include <cstdlib>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "render/BmpDecoder.h"
#include "render/ResourceFile.h"

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
    jadeleaf::ResourceFile file;
    const int result = file.Parse(std::vector<unsigned char>(bytes.begin(), bytes.end()));
    if ((result == 0) != file.Valid()) std::abort();
    for (int id = 0; id <= jadeleaf::kLastResourceId + 1; ++id) {
        const std::span<const unsigned char> resource = file.Resource(id);
        if (!file.Valid() && !resource.empty()) std::abort();
        const QImage image = jadeleaf::DecodeBmp(resource);
        if (!image.isNull() && image.format() != QImage::Format_RGB32) std::abort();
    }
    return 0;
}
