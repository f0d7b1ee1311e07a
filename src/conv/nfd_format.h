// The NFD container of the T98-Next PC-98 emulator, in its two revisions.
// Both start with a signature, a comment, the header's size (where the
// sector data start), a write-protect byte and a head count.
//
// Revision 0 follows with a fixed table: one row of 26 sector entries for
// each track index 0-162. Revision 1 follows with the file offset of each
// track's block (0 for an absent track); a block is a small header, its
// sector entries and its special-read entries. In both, the data of the
// entries follow the header in track-index order, each track's in entry
// order. In revision 1 a sector read with k retries stores k + 1 copies of
// its data, and a special-read entry stores (retries + 1) x its length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nfd {

inline constexpr std::string_view kSignatureR0{"T98FDDIMAGE.R0\0", 15};
inline constexpr std::string_view kSignatureR1{"T98FDDIMAGE.R1\0", 15};

struct CommonHeader {
    static constexpr std::size_t signatureOffset = 0x000;
    static constexpr std::size_t headerSizeOffset = 0x110;  // LE32: where the data start
    static constexpr std::size_t writeProtectOffset = 0x114;  // not 0: protected
    static constexpr std::size_t fixedEnd = 0x120;
};

struct R0Table {
    static constexpr std::size_t offset = 0x120;
    static constexpr int rows = 163;  // track indexes 0-162
    static constexpr int entriesPerRow = 26;
    static constexpr std::size_t entrySize = 16;
    static constexpr std::size_t headerSize = 0x10A10;  // the table and 16 reserved bytes

    static constexpr std::size_t entryOffset(int row, int slot) {
        return offset + (static_cast<std::size_t>(row) * entriesPerRow + static_cast<std::size_t>(slot)) * entrySize;
    }
};
static_assert(R0Table::entryOffset(R0Table::rows, 0) + 16 == R0Table::headerSize);

// What revision 0 and revision 1 sector entries share.
struct SectorEntry {
    static constexpr std::size_t size = 16;
    static constexpr std::size_t cylinderOffset = 0;  // revision 0: 0xFF marks an unused slot
    static constexpr std::size_t headOffset = 1;
    static constexpr std::size_t sectorNumberOffset = 2;
    static constexpr std::size_t sizeCodeOffset = 3;
    static constexpr std::size_t mfmOffset = 4;      // 0: single density (FM)
    static constexpr std::size_t deletedOffset = 5;  // not 0: deleted data address mark
    static constexpr std::size_t statusOffset = 6;   // the PC-98 BIOS result of reading it
};

struct R0Entry {
    static constexpr std::size_t driveModeOffset = 10;
};

struct R1Table {
    static constexpr std::size_t offset = 0x120;  // LE32 per track index, 0 = absent
    static constexpr int entries = 164;
    static constexpr std::size_t entrySize = 4;
    static constexpr std::size_t firstBlock = 0x3C0;  // blocks follow the fixed header
};
static_assert(R1Table::offset + R1Table::entries * R1Table::entrySize + 16 == R1Table::firstBlock);

struct R1Block {
    static constexpr std::size_t headerSize = 16;
    static constexpr std::size_t sectorCountOffset = 0;   // LE16
    static constexpr std::size_t specialCountOffset = 2;  // LE16
    static constexpr std::size_t entrySize = 16;          // sector and special-read entries alike
};

struct R1Entry {
    static constexpr std::size_t retriesOffset = 10;  // copies stored: retries + 1
    static constexpr std::size_t driveModeOffset = 11;
};

// A revision-1 special-read entry: data the D88 cannot hold, skipped.
struct R1Special {
    static constexpr std::size_t retriesOffset = 9;
    static constexpr std::size_t lengthOffset = 10;  // LE32, per copy
};

static_assert(R0Table::entrySize == SectorEntry::size && R1Block::entrySize == SectorEntry::size);
static_assert(R0Entry::driveModeOffset < SectorEntry::size && R1Entry::driveModeOffset < SectorEntry::size &&
              R1Special::lengthOffset + 4 <= SectorEntry::size);

inline constexpr std::uint8_t kUnusedSlot = 0xFF;

// The drive mode (PDA) of a sector; revision 1 clears its low four bits and
// writes 0 for "as the sector size says".
inline constexpr std::uint8_t kDriveModeMask = 0xF0;
inline constexpr std::uint8_t kDriveMode2HD = 0x90;   // 1.2 MB, 360 rpm
inline constexpr std::uint8_t kDriveMode144 = 0x30;   // 1.44 MB, 300 rpm
inline constexpr std::uint8_t kDriveMode2DD = 0x10;   // 640 KB

}  // namespace nfd
