// The byte layout of a D88 image file: every offset, size, limit and code the
// tools use stands here once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88 {

// A file holds disks back to back; only this many are recognised.
inline constexpr int kMaxDisks = 64;

// Track index = cylinder * 2 + head; the table has entries 0 to 163.
inline constexpr int kTrackTableEntries = 164;
inline constexpr int kLastTrackIndex = kTrackTableEntries - 1;
// Single-sided media use only the even indexes, so cylinders 0 to 81.
inline constexpr int kMaxSingleSidedTracks = kTrackTableEntries / 2;

// Offsets and sizes are signed 32-bit numbers in the file.
inline constexpr std::int64_t kMaxFileOffset = 0x7FFFFFFF;

struct DiskHeader {
    static constexpr std::size_t size = 0x2B0;  // 688 bytes
    static constexpr std::size_t nameOffset = 0x00;
    static constexpr std::size_t nameLength = 16;
    // The name field: up to 16 name bytes and the NUL that ends them.
    static constexpr std::size_t nameFieldSize = nameLength + 1;
    // Any value but 0 marks the disk write-protected; emulators honour it.
    static constexpr std::size_t writeProtectOffset = 0x1A;
    static constexpr std::uint8_t writeProtectOn = 0x10;
    static constexpr std::uint8_t writeProtectOff = 0x00;
    static constexpr std::size_t mediaCodeOffset = 0x1B;
    static constexpr std::size_t diskSizeOffset = 0x1C;
    static constexpr std::size_t trackTableOffset = 0x20;
    static constexpr std::size_t trackEntrySize = 4;

    static constexpr std::size_t trackEntryOffset(int trackIndex) {
        return trackTableOffset + static_cast<std::size_t>(trackIndex) * trackEntrySize;
    }
};

struct SectorRecord {
    static constexpr std::size_t headerSize = 16;
    static constexpr std::size_t cylinderOffset = 0;
    static constexpr std::size_t headOffset = 1;
    static constexpr std::size_t sectorNumberOffset = 2;
    static constexpr std::size_t sizeCodeOffset = 3;
    static constexpr std::size_t sectorCountOffset = 4;  // LE16, same in every record of a track
    static constexpr std::size_t densityOffset = 6;
    static constexpr std::size_t deletedMarkOffset = 7;  // 0x10: deleted data address mark
    static constexpr std::size_t statusOffset = 8;       // the controller's status when the sector was read
    static constexpr std::size_t dataLengthOffset = 14;  // LE16, bytes of data after the header
};

// The identity bytes C, H, R, N stored first in every record header.
struct SectorId {
    static constexpr std::size_t size = 4;
    std::uint8_t cylinder = 0;
    std::uint8_t head = 0;
    std::uint8_t sectorNumber = 0;  // R
    std::uint8_t sizeCode = 0;
};

// Record byte 7 for a deleted data address mark; header byte 0x1A for a
// write-protected disk.
inline constexpr std::uint8_t kDeletedDataMark = 0x10;
inline constexpr std::uint8_t kWriteProtected = 0x10;

inline constexpr std::uint8_t kDensityDouble = 0x00;
inline constexpr std::uint8_t kDensitySingle = 0x40;

// Media codes of header byte 0x1B (1D shares 2D's, 1DD shares 2DD's).
inline constexpr std::uint8_t kMedia2D = 0x00;
inline constexpr std::uint8_t kMedia2DD = 0x10;
inline constexpr std::uint8_t kMedia2HD = 0x20;
// Codes other writers give single-sided 2D and 2DD media.
inline constexpr std::uint8_t kMedia1D = 0x30;
inline constexpr std::uint8_t kMedia1DD = 0x40;

// Nominal data length is 128 << N; N above 8 no longer fits the 16-bit
// data-length field.
inline constexpr int kMaxSizeCode = 8;
inline constexpr std::int32_t kMaxSectorsPerTrack = 0xFFFF;  // 16-bit count field
inline constexpr std::int32_t kSingleDensityLength = 128;

constexpr std::int32_t sectorLength(int sizeCode) { return 128 << sizeCode; }

// The largest size code whose nominal length 128 << N still fits a positive
// signed 32-bit number; size codes read from a file can be anything up to 255.
inline constexpr int kLargestFittingSizeCode = 23;

}  // namespace d88
