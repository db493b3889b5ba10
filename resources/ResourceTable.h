// The data table that the resource library exports and the game reads: numbered bitmaps.
#pragma once

#include <cstdint>

extern "C" {

// One bitmap resource; data holds a complete Windows .bmp file image of size bytes.
struct JlResourceEntry {
    std::int32_t id;
    std::uint32_t size;
    const unsigned char* data;
};

struct JlResourceTable {
    std::uint32_t magic;
    std::uint32_t version;
    std::uint32_t count;
    const JlResourceEntry* entries;
};

}

inline constexpr std::uint32_t kJlResourceMagic = 0x4A4C5231;  // "JLR1"
inline constexpr std::uint32_t kJlResourceVersion = 1;
inline constexpr const char* kJlResourceTableSymbol = "jl_res10_resources";
