// The layout of the resource file jl_res10.res, shared by the generator that writes it and the game that reads it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace jadeleaf {

// All numbers are little-endian.
//   header  8 bytes tag, uint32 version, uint32 count of table entries
//   table   count x (int32 identifier, uint32 offset from the file's start, uint32 length, uint32 checksum)
//   data    each resource a complete .bmp file image; no two resources share a byte
// The checksum is the CRC-32 of zlib and PNG over the identifier's four bytes and then the resource's bytes.
// The identifier is part of it so that two pictures swapped between entries are caught as surely as a
// changed pixel: the bounds of an entry say nothing about whose picture it holds.
inline constexpr std::array<unsigned char, 8> kResourceFileTag = {'J', 'L', 'R', 'E', 'S', '1', '0', 0x1A};
inline constexpr std::uint32_t kResourceFileVersion = 2;
inline constexpr std::size_t kResourceHeaderSize = 16;
inline constexpr std::size_t kResourceEntrySize = 16;
inline constexpr int kFirstResourceId = 1;
inline constexpr int kLastResourceId = 45;
// The real file is about 400 KiB with its denser pictures; anything much larger is not ours.
inline constexpr std::size_t kResourceFileLimit = 4u << 20;

// The denser pictures follow the last byte of the last picture above, so a reader that knows only
// the table above reads the file as before, and a file without them is simply an older one:
//   header  8 bytes tag kDenseSetTag, uint32 count of table entries
//   table   count x (int32 identifier, uint32 offset from the file's start, uint32 length, uint32 checksum)
//   data    each picture the big-endian uint32 length of a .bmp file image, then that image deflated
//           in zlib's format (the layout of Qt's qCompress); no two pictures share a byte
// Picture `id` drawn at density 2 or 3 has the identifier DenseResourceId(id, density); its
// checksum is made as above. Deflating keeps the file small: smooth pictures have many colours.
// They keep the small pictures' rule for white, which the game makes transparent or the tile's
// grey: a pixel is white only where the picture is white all over it. Faces blend their edges
// against that grey, so they sit smoothly on a tile; the frame and the sure-bet pattern have hard
// edges against white, so nothing pale shows round them.
inline constexpr std::array<unsigned char, 8> kDenseSetTag = {'J', 'L', 'D', 'E', 'N', 'S', '2', 0x1A};
inline constexpr int kLargestDensity = 3;
inline constexpr int kDenseIdStep = 100;
inline constexpr int kLastDenseResourceId = kLastResourceId + kDenseIdStep * (kLargestDensity - 1);
// Larger than the largest picture unpacked, the start-up picture at density 3 in 24 bits.
inline constexpr std::size_t kPackedBmpLimit = 4u << 20;

constexpr int DenseResourceId(int id, int density) { return id + kDenseIdStep * (density - 1); }

// Whether `id` names a picture drawn at density 2 or 3.
constexpr bool IsDenseResourceId(int id) {
    for (int density = 2; density <= kLargestDensity; ++density) {
        if (id >= DenseResourceId(kFirstResourceId, density) && id <= DenseResourceId(kLastResourceId, density))
            return true;
    }
    return false;
}

inline constexpr const char* kResourceFileName = "jl_res10.res";

namespace resource_checksum {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

inline constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace resource_checksum

// The checksum written in the table entry of resource `id` holding `bytes`.
inline std::uint32_t ResourceChecksum(std::int32_t id, std::span<const unsigned char> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto add = [&crc](unsigned char byte) { crc = resource_checksum::kTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8); };
    const auto identifier = static_cast<std::uint32_t>(id);
    for (int shift = 0; shift < 32; shift += 8) add(static_cast<unsigned char>(identifier >> shift));
    for (const unsigned char byte : bytes) add(byte);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace jadeleaf
