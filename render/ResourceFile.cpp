// Reading the resource file without trusting a byte of it.
#include "render/ResourceFile.h"

#include <algorithm>
#include <utility>

#include "files/FileRead.h"

namespace jadeleaf {

namespace {

std::uint32_t Get32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

int ResourceFile::Read(const std::string& path) {
    Clear();
    std::vector<unsigned char> bytes;
    switch (const int error = ReadRegularFile(path, kResourceFileLimit, bytes)) {
    case 0:
        return Parse(std::move(bytes));
    // A pipe or a device, a file beyond the limit, or one that ends early or
    // grows while it is read: nothing the library could be.
    case kNotRegularFile:
    case kFileTooLarge:
    case kFileChanged:
        return kBadResourceFile;
    default:
        return error;
    }
}

int ResourceFile::Parse(std::vector<unsigned char> bytes) {
    Clear();
    if (bytes.size() < kResourceHeaderSize || bytes.size() > kResourceFileLimit) return kBadResourceFile;
    if (!std::equal(kResourceFileTag.begin(), kResourceFileTag.end(), bytes.begin())) return kBadResourceFile;
    if (Get32(bytes, 8) != kResourceFileVersion) return kBadResourceFile;
    const std::uint64_t count = Get32(bytes, 12);
    if (count > static_cast<std::uint64_t>(kLastResourceId)) return kBadResourceFile;
    const std::uint64_t tableEnd = kResourceHeaderSize + count * kResourceEntrySize;
    if (tableEnd > bytes.size()) return kBadResourceFile;

    Slots slots{};
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kResourceHeaderSize + i * kResourceEntrySize;
        const auto id = static_cast<std::int32_t>(Get32(bytes, at));
        const std::uint64_t offset = Get32(bytes, at + 4);
        const std::uint64_t length = Get32(bytes, at + 8);
        if (id < kFirstResourceId || id > kLastResourceId || slots[static_cast<std::size_t>(id)].length != 0)
            return kBadResourceFile;
        if (length == 0 || offset < tableEnd || offset + length > bytes.size()) return kBadResourceFile;
        const std::span<const unsigned char> resource(bytes.data() + offset, static_cast<std::size_t>(length));
        if (ResourceChecksum(id, resource) != Get32(bytes, at + 12)) return kBadResourceFile;
        slots[static_cast<std::size_t>(id)] = {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
    }
    if (!ParseDenseSet(bytes, slots) || Overlapping(slots)) return kBadResourceFile;
    bytes_ = std::move(bytes);
    slots_ = slots;
    valid_ = true;
    return 0;
}

// The denser pictures' table starts where the last picture of the first
// table ends. Bytes there that do not begin with its tag are no part of the
// file, as always; bytes that begin like the tag but stop short of it are a
// cut file. Returns false for a table or a picture that does not hold.
bool ResourceFile::ParseDenseSet(const std::vector<unsigned char>& bytes, Slots& slots) {
    std::uint64_t start = kResourceHeaderSize + Get32(bytes, 12) * std::uint64_t{kResourceEntrySize};
    for (int id = kFirstResourceId; id <= kLastResourceId; ++id) {
        const Slot& slot = slots[static_cast<std::size_t>(id)];
        if (slot.length != 0) start = std::max<std::uint64_t>(start, std::uint64_t{slot.offset} + slot.length);
    }
    const std::size_t tagBytes = std::min<std::uint64_t>(kDenseSetTag.size(), bytes.size() - start);
    if (tagBytes == 0 || !std::equal(kDenseSetTag.begin(), kDenseSetTag.begin() + static_cast<std::ptrdiff_t>(tagBytes),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(start)))
        return true;
    if (start + kDenseSetTag.size() + 4 > bytes.size()) return false;
    const std::uint64_t count = Get32(bytes, static_cast<std::size_t>(start + kDenseSetTag.size()));
    const std::uint64_t table = start + kDenseSetTag.size() + 4;
    const std::uint64_t tableEnd = table + count * kResourceEntrySize;
    if (count > static_cast<std::uint64_t>(kLastResourceId * (kLargestDensity - 1)) || tableEnd > bytes.size()) return false;
    // Every entry's bounds first, so a cut file is refused before any checksum is worked out.
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(table) + i * kResourceEntrySize;
        const auto id = static_cast<std::int32_t>(Get32(bytes, at));
        const std::uint64_t offset = Get32(bytes, at + 4);
        const std::uint64_t length = Get32(bytes, at + 8);
        if (!IsDenseResourceId(id) || slots[static_cast<std::size_t>(id)].length != 0) return false;
        if (length == 0 || offset < tableEnd || offset + length > bytes.size()) return false;
        slots[static_cast<std::size_t>(id)] = {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(table) + i * kResourceEntrySize;
        const auto id = static_cast<std::int32_t>(Get32(bytes, at));
        const Slot& slot = slots[static_cast<std::size_t>(id)];
        if (ResourceChecksum(id, std::span(bytes).subspan(slot.offset, slot.length)) != Get32(bytes, at + 12)) return false;
    }
    return true;
}

// Each picture has bytes of its own: entries that share bytes come from a
// broken writer or a hand-made file, and such a file is not trusted.
bool ResourceFile::Overlapping(const Slots& slots) {
    Slots used{};
    std::size_t count = 0;
    for (const Slot& slot : slots) {
        if (slot.length != 0) used[count++] = slot;
    }
    std::sort(used.begin(), used.begin() + static_cast<std::ptrdiff_t>(count),
              [](const Slot& a, const Slot& b) { return a.offset < b.offset; });
    for (std::size_t i = 1; i < count; ++i) {
        if (static_cast<std::uint64_t>(used[i - 1].offset) + used[i - 1].length > used[i].offset) return true;
    }
    return false;
}

void ResourceFile::Clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    slots_ = {};
    valid_ = false;
}

std::span<const unsigned char> ResourceFile::Resource(int id) const {
    if (!valid_ || id < kFirstResourceId || id > kLastDenseResourceId) return {};
    const Slot& slot = slots_[static_cast<std::size_t>(id)];
    return std::span<const unsigned char>(bytes_).subspan(slot.offset, slot.length);
}

}  // namespace jadeleaf
