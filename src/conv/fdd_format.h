// The FDD container of the Virtual98 PC-98 emulator ("VFD1.00"): a fixed
// header holding a signature, a comment, a write-protect field, special-read
// settings and a table of 26 sector entries for each track index 0-159.
// Each entry gives the sector's identity, marks and where its data lie in
// the file; a sector whose bytes are all one value may store only that
// value (its "fill" byte).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fdd {

// "VFD1.00" and "VFD1.01" are both written; the first six bytes say it is one.
inline constexpr std::string_view kSignature{"VFD1.0"};

struct Header {
    static constexpr std::size_t size = 0xC3FC;
    static constexpr std::size_t signatureOffset = 0x00;
    static constexpr std::size_t writeProtectOffset = 0x88;  // LE16, not 0: protected
    static constexpr std::size_t tableOffset = 0xDC;
    static constexpr int rows = 160;  // track indexes 0-159
    static constexpr int entriesPerRow = 26;
    static constexpr std::size_t entrySize = 12;

    static constexpr std::size_t entryOffset(int row, int slot) {
        return tableOffset + (static_cast<std::size_t>(row) * entriesPerRow + static_cast<std::size_t>(slot)) * entrySize;
    }
};
// The table is followed by a 32-byte special-read block, which ends the header.
static_assert(Header::entryOffset(Header::rows, 0) + 32 == Header::size);

struct Entry {
    static constexpr std::size_t cylinderOffset = 0;  // 0xFF: the slot is unused
    static constexpr std::size_t headOffset = 1;
    static constexpr std::size_t sectorNumberOffset = 2;
    static constexpr std::size_t sizeCodeOffset = 3;
    static constexpr std::size_t fillOffset = 4;     // every byte of a sector stored as its fill
    static constexpr std::size_t deletedOffset = 5;  // not 0: deleted data address mark
    static constexpr std::size_t mfmOffset = 6;      // 0: single density (FM)
    static constexpr std::size_t highDensityOffset = 7;  // not 0: a 2HD disk
    static constexpr std::size_t dataOffset = 8;     // LE32: the data's file offset
};
static_assert(Entry::dataOffset + 4 == Header::entrySize);

inline constexpr std::uint8_t kUnusedSlot = 0xFF;

// Data offsets of a sector stored as its fill byte: all ones, and (as other
// readers take it) 0, which would otherwise point at the signature.
inline constexpr std::uint32_t kFillOnly = 0xFFFFFFFF;
inline constexpr std::uint32_t kFillOnlyZero = 0;

}  // namespace fdd
