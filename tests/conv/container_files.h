// Builds PC-98 emulator container files (NFD r0 and r1, FDD, DCP/DCU, DIP,
// DIM) in memory for the tests, from the layouts in the format notes, with
// their own offsets: nothing here comes from the readers under test.
//
// A disk is described sector by sector; every sector's data is a pattern
// made from its C, H, R and N (or its fill byte), so misplaced bytes show.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "support/temp_dir.h"

struct ContainerSector {
    std::uint8_t cylinder = 0;
    std::uint8_t head = 0;
    std::uint8_t record = 1;
    std::uint8_t sizeCode = 3;
    bool singleDensity = false;
    bool deleted = false;
    std::uint8_t status = 0;         // NFD only: the BIOS status
    std::uint8_t driveMode = 0x90;   // NFD only: 0x90 2HD, 0x30 1.44 MB, 0x10 2DD
    std::uint8_t retries = 0;        // NFD r1 only: copies stored beyond the first
    bool fillOnly = false;           // FDD only: stored as its fill byte
    std::uint8_t fill = 0xE5;        // FDD only
    bool highDensity = true;         // FDD only: the 2HD flag
};

// Sectors by track index, in stored order.
using ContainerTracks = std::map<int, std::vector<ContainerSector>>;

// A special-read entry of NFD r1: `(retries + 1) x length` bytes of data.
struct NfdSpecial {
    std::uint32_t length = 0;
    std::uint8_t retries = 0;
};

// The data a sector holds: its pattern, or its fill for a fill-only one.
Bytes sectorData(const ContainerSector& sector);

// The sector data of the tracks in track-index order, each track's sectors
// in stored order: what a flattened image of a plain grid holds.
Bytes flatData(const ContainerTracks& tracks);

// The 2HD layout: 77 cylinders x 2 heads x sectors 1-8 of 1,024 bytes.
ContainerTracks layout2HD();
// The N88-BASIC 2HD layout: 77 x 2 x 26 sectors, track 0 single density
// with 128-byte sectors, the others 256-byte.
ContainerTracks layoutN88();
// Any uniform layout: `tracks` track indexes, sectors 1 to `sectors` of
// size code `sizeCode`.
ContainerTracks uniformLayout(int tracks, int sectors, std::uint8_t sizeCode, std::uint8_t driveMode = 0x90);

Bytes nfdR0File(const ContainerTracks& tracks, bool writeProtected = false);
Bytes nfdR1File(const ContainerTracks& tracks, const std::map<int, std::vector<NfdSpecial>>& specials = {});
Bytes fddFile(const ContainerTracks& tracks, bool writeProtected = false);
// The stored flags set for exactly the tracks given, whose data follow.
Bytes dcpFile(std::uint8_t media, const ContainerTracks& tracks, bool allTracksFlag = false);
Bytes dipFile(const ContainerTracks& tracks);
// The tracks at their fixed places; the file ends after the last present one.
Bytes dimFile(std::uint8_t media, const ContainerTracks& tracks);

// Offsets the tests patch by hand.
inline constexpr std::size_t kNfdHeaderSizeField = 0x110;
inline constexpr std::size_t kNfdR0HeaderSize = 0x10A10;
inline constexpr std::size_t kNfdR1TrackTable = 0x120;
inline constexpr std::size_t kFddHeaderSize = 0xC3FC;
inline constexpr std::size_t kDcpHeaderSize = 0xA2;
inline constexpr std::size_t kDimHeaderSize = 0x100;

// The file offset of an NFD r0 entry and an FDD entry.
constexpr std::size_t nfdR0Entry(int track, int slot) {
    return 0x120 + (static_cast<std::size_t>(track) * 26 + static_cast<std::size_t>(slot)) * 16;
}
constexpr std::size_t fddEntry(int track, int slot) {
    return 0xDC + (static_cast<std::size_t>(track) * 26 + static_cast<std::size_t>(slot)) * 12;
}
