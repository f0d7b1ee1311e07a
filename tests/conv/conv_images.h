// Small input files for the imgconv tests, built in memory: D88 disks from
// the fixture builder with single header bytes changed, and FDI files with
// chosen header fields.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/d88_fixture.h"

// Record header bytes the fixture builder leaves 0.
inline constexpr std::size_t kDensityByte = 6;
inline constexpr std::size_t kDeletedMarkByte = 7;
inline constexpr std::size_t kStatusByte = 8;
inline constexpr std::size_t kWriteProtectByte = 0x1A;

// Four tracks (two cylinders, both heads) of sectors 1-4 of 256 bytes.
inline FixtureDisk smallGrid() { return uniformDisk(4, 4, 1, true, 0x11); }

inline Bytes d88Image(const FixtureDisk& disk) { return buildFixtureImage({disk}).bytes; }

// The image with one byte of one record header set.
inline Bytes withRecordByte(const FixtureDisk& disk, int track, std::size_t position, std::size_t field,
                            std::uint8_t value) {
    FixtureImage image = buildFixtureImage({disk});
    image.bytes.at(image.disks[0].recordOffset(track, position) + field) = value;
    return image.bytes;
}

// The N88-BASIC 2HD layout cut to `tracks` tracks: track 0 of 26
// single-density 128-byte sectors, the others 26 x 256; each track's fill
// starts at its index times 0x20, each sector one more.
inline Bytes n88Image(int tracks) {
    FixtureDisk disk;
    disk.mediaCode = 0x20;
    for (int t = 0; t < tracks; ++t) {
        disk.tracks[t] = fixtureTrack(static_cast<std::uint8_t>(t / 2), static_cast<std::uint8_t>(t % 2),
                                      sectorRange(1, 26), t == 0 ? 0 : 1, static_cast<std::uint8_t>(t * 0x20));
    }
    FixtureImage image = buildFixtureImage({disk});
    for (std::size_t position = 0; position < 26; ++position) {
        image.bytes.at(image.disks[0].recordOffset(0, position) + kDensityByte) = 0x40;
    }
    return image.bytes;
}

// An FDI file: the eight header fields, zeros to `headerSize` (at least 32),
// then `dataBytes` bytes of pattern.
inline Bytes fdiFile(std::uint32_t driveType, std::uint32_t headerSize, std::uint32_t dataSize,
                     std::uint32_t sectorLength, std::uint32_t sectors, std::uint32_t heads, std::uint32_t cylinders,
                     std::size_t dataBytes) {
    Bytes bytes(headerSize, 0);
    const std::uint32_t fields[] = {0, driveType, headerSize, dataSize, sectorLength, sectors, heads, cylinders};
    for (std::size_t i = 0; i < 8; ++i) {
        storeLE32(bytes, 4 * i, fields[i]);
    }
    const Bytes data = patternBytes(dataBytes, 0x77);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

inline std::uint32_t loadLE32(const Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8 | bytes.at(offset + i);
    }
    return value;
}
