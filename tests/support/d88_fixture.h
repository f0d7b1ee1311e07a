// Builds small D88 images in memory for tests, including odd ones a formatter
// would never write: several disks, chosen record orders, stray count fields,
// short data lengths, raw track-table entries and size fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

inline constexpr std::size_t kFixtureDiskHeaderSize = 0x2B0;
inline constexpr std::size_t kFixtureRecordHeaderSize = 16;

// One sector record as it is stored: the identity, the count and data-length
// fields exactly as given, then dataLength bytes of fill.
struct FixtureRecord {
    std::uint8_t cylinder = 0;
    std::uint8_t head = 0;
    std::uint8_t sectorNumber = 1;  // R
    std::uint8_t sizeCode = 1;
    std::uint16_t count = 1;
    std::uint16_t dataLength = 256;
    std::uint8_t fill = 0;
};

using FixtureTrack = std::vector<FixtureRecord>;

// A well-formed track: records numbered in the given stored order, each with
// 128 << N data bytes and the true count. Each record's fill is `fill` plus
// its position, so misplaced bytes show.
FixtureTrack fixtureTrack(std::uint8_t cylinder, std::uint8_t head, const std::vector<int>& order,
                          std::uint8_t sizeCode, std::uint8_t fill = 0);

// The sector numbers first to last, in order.
std::vector<int> sectorRange(int first, int last);

struct FixtureDisk {
    std::string name;
    std::uint8_t mediaCode = 0;
    // Tracks by track index, stored in index order after the header.
    std::map<int, FixtureTrack> tracks;
    // Raw track-table entries written instead of the computed ones.
    std::map<int, std::int32_t> entryOverrides;
    // A raw size field instead of the disk's true length.
    std::optional<std::int32_t> sizeOverride;
};

// Where the pieces of one disk landed in the file.
struct FixtureDiskLayout {
    std::size_t offset = 0;  // file offset of the disk header
    std::size_t length = 0;  // bytes the disk occupies in the file
    // File offset of every record header, per track index, in stored order.
    std::map<int, std::vector<std::size_t>> records;

    std::size_t recordOffset(int trackIndex, std::size_t position) const {
        return records.at(trackIndex).at(position);
    }
    std::size_t dataOffset(int trackIndex, std::size_t position) const {
        return recordOffset(trackIndex, position) + kFixtureRecordHeaderSize;
    }
};

struct FixtureImage {
    Bytes bytes;
    std::vector<FixtureDiskLayout> disks;
};

// The disks back to back, each with its header, track table and records.
FixtureImage buildFixtureImage(const std::vector<FixtureDisk>& disks);

// A disk laid out as the formatter lays out a uniform one: `tracks` tracks
// of sectors 1 to `sectors`, at indexes 0, 1, 2, ... (double-sided) or 0, 2,
// 4, ... (single-sided), every sector filled with `fill`.
FixtureDisk uniformDisk(int tracks, int sectors, std::uint8_t sizeCode, bool doubleSided, std::uint8_t fill = 0);

// Little-endian stores for patching fixture bytes by hand.
void storeLE16(Bytes& bytes, std::size_t offset, std::uint32_t value);
void storeLE32(Bytes& bytes, std::size_t offset, std::uint32_t value);

// Copies `source` over `bytes` at `offset`.
void patchBytes(Bytes& bytes, std::size_t offset, const Bytes& source, std::size_t from = 0,
                std::size_t length = SIZE_MAX);

// `length` bytes that do not repeat with any short period, different per seed.
Bytes patternBytes(std::size_t length, std::uint8_t seed = 0);
