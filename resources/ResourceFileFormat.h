// The layout of the resource file jl_res10.res, shared by the generator that writes it and the game that reads it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace jadeleaf {

// All numbers are little-endian.
//   header  8 bytes tag, uint32 version, uint32 count of table entries
//   table   count x (int32 identifier, uint32 offset from the file's start, uint32 length)
//   data    each resource a complete .bmp file image
inline constexpr std::array<unsigned char, 8> kResourceFileTag = {'J', 'L', 'R', 'E', 'S', '1', '0', 0x1A};
inline constexpr std::uint32_t kResourceFileVersion = 1;
inline constexpr std::size_t kResourceHeaderSize = 16;
inline constexpr std::size_t kResourceEntrySize = 12;
inline constexpr int kFirstResourceId = 1;
inline constexpr int kLastResourceId = 45;
// The real file is about 100 KiB; anything much larger is not ours.
inline constexpr std::size_t kResourceFileLimit = 4u << 20;

inline constexpr const char* kResourceFileName = "jl_res10.res";

}  // namespace jadeleaf
