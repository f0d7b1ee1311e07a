// The FDI container (Anex86 and other PC-98 emulators): a header whose
// first eight little-endian 32-bit fields give the drive type, the header's
// own size and the data's, and the geometry; zero padding to the header
// size; then the sectors in cylinder, head, sector order.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fdi {

struct Header {
    static constexpr std::size_t usualSize = 4096;  // what writers emit
    static constexpr std::size_t fieldsSize = 32;   // the eight fields
    static constexpr std::size_t reservedOffset = 0x00;  // 0
    static constexpr std::size_t driveTypeOffset = 0x04;
    static constexpr std::size_t headerSizeOffset = 0x08;
    static constexpr std::size_t dataSizeOffset = 0x0C;
    static constexpr std::size_t sectorLengthOffset = 0x10;
    static constexpr std::size_t sectorsOffset = 0x14;
    static constexpr std::size_t headsOffset = 0x18;
    static constexpr std::size_t cylindersOffset = 0x1C;
};

// Drive types; readers look at the high four bits only.
inline constexpr std::uint32_t kDriveTypeMask = 0xF0;
inline constexpr std::uint32_t kType2HD = 0x90;        // 1.2 MB, 360 rpm
inline constexpr std::uint32_t kType144 = 0x30;        // 1.44 MB, 300 rpm
inline constexpr std::uint32_t kType144Other = 0xB0;
inline constexpr std::uint32_t kType2DD = 0x10;
inline constexpr std::uint32_t kType2DDOther = 0x70;
inline constexpr std::uint32_t kType2DDThird = 0xF0;
inline constexpr std::uint32_t kType2D = 0x50;
inline constexpr std::uint32_t kType2DOther = 0xD0;

// The 1.44 MB layout: 18 sectors of 512 bytes per track.
inline constexpr std::int32_t k144Sectors = 18;
inline constexpr std::int64_t k144SectorLength = 512;

inline constexpr std::int64_t kMaxHeads = 2;

}  // namespace fdi
