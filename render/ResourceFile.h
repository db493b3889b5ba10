// The reader of the resource file: checks the header and every table entry before anything is used.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "resources/ResourceFileFormat.h"

namespace jadeleaf {

// The number the original platform gives for a file that is not a loadable
// module; here: a file that opens but is not a valid resource file.
inline constexpr int kBadResourceFile = 193;

class ResourceFile {
public:
    // Reads and checks the file. Returns 0, or the errno of the failed open
    // (2 missing, 13 no permission, 21 a directory), or kBadResourceFile for
    // anything that is not a regular file, is larger than the limit, or whose
    // header or table does not hold: an entry outside the file, two entries
    // sharing bytes, or a picture whose checksum is not its entry's. The same
    // holds for the denser pictures' table after the pictures, when the file
    // has one. Never blocks on a FIFO or a device.
    int Read(const std::string& path);

    // Checks bytes already in memory; returns 0 or kBadResourceFile.
    int Parse(std::vector<unsigned char> bytes);

    bool Valid() const { return valid_; }
    void Clear();

    // The bytes of resource `id`, or of a denser picture's deflated image
    // (DenseResourceId); empty when the file does not hold it.
    std::span<const unsigned char> Resource(int id) const;

private:
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    using Slots = std::array<Slot, kLastDenseResourceId + 1>;

    static bool ParseDenseSet(const std::vector<unsigned char>& bytes, Slots& slots);
    static bool Overlapping(const Slots& slots);

    std::vector<unsigned char> bytes_;
    Slots slots_{};
    bool valid_ = false;
};

}  // namespace jadeleaf
