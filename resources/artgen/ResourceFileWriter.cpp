// The resource file's layout, written byte by byte in little-endian order.
#include "resources/artgen/ResourceFileWriter.h"

#include <cstdint>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "resources/ResourceFileFormat.h"
#include "resources/artgen/SourceWriter.h"

namespace jadeleaf {

namespace {

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// Appends a table and then the pictures it lists; offsets count from the start of `out`.
void AppendTable(std::string& out, const std::vector<const ArtItem*>& items,
                 const std::vector<std::vector<unsigned char>>& images) {
    std::size_t offset = out.size() + items.size() * kResourceEntrySize;
    for (std::size_t i = 0; i < items.size(); ++i) {
        Put32(out, static_cast<std::uint32_t>(items[i]->id));
        Put32(out, static_cast<std::uint32_t>(offset));
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, ResourceChecksum(items[i]->id, images[i]));
        offset += images[i].size();
    }
    for (const std::vector<unsigned char>& image : images) out.append(image.begin(), image.end());
}

}  // namespace

std::string ResourceFileBytes(const ArtCatalogue& catalogue, const std::set<int>& omitted) {
    std::vector<const ArtItem*> items;
    std::vector<std::vector<unsigned char>> images;
    for (const ArtItem& item : catalogue.resources) {
        if (omitted.count(item.id) != 0) continue;
        items.push_back(&item);
        images.push_back(EncodeBmp(item.picture, item.depth));
    }
    std::string out(kResourceFileTag.begin(), kResourceFileTag.end());
    Put32(out, kResourceFileVersion);
    Put32(out, static_cast<std::uint32_t>(items.size()));
    AppendTable(out, items, images);

    // An omitted picture goes at every density, as it would from a file made before them.
    items.clear();
    images.clear();
    for (const ArtItem& item : catalogue.denseResources) {
        if (omitted.count(item.id % kDenseIdStep) != 0) continue;
        items.push_back(&item);
        images.push_back(EncodePackedBmp(item.picture, item.depth));
    }
    if (!items.empty()) {
        out.append(kDenseSetTag.begin(), kDenseSetTag.end());
        Put32(out, static_cast<std::uint32_t>(items.size()));
        AppendTable(out, items, images);
    }
    if (out.size() > kResourceFileLimit) throw std::runtime_error("the resource file would exceed its size limit");
    return out;
}

void WriteResourceFile(const ArtCatalogue& catalogue, const std::filesystem::path& path, const std::set<int>& omitted) {
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    if (error) throw std::runtime_error("cannot create " + path.parent_path().string() + ": " + error.message());
    ReplaceFile(path, ResourceFileBytes(catalogue, omitted));
}

}  // namespace jadeleaf
