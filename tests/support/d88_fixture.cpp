#include "support/d88_fixture.h"

#include <algorithm>

namespace {

constexpr std::size_t kNameOffset = 0x00;
constexpr std::size_t kNameLength = 16;
constexpr std::size_t kMediaCodeOffset = 0x1B;
constexpr std::size_t kSizeOffset = 0x1C;
constexpr std::size_t kTrackTableOffset = 0x20;

void appendRecord(Bytes& bytes, const FixtureRecord& record) {
    const std::size_t at = bytes.size();
    bytes.resize(at + kFixtureRecordHeaderSize + record.dataLength, record.fill);
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kFixtureRecordHeaderSize, 0);
    bytes[at + 0] = record.cylinder;
    bytes[at + 1] = record.head;
    bytes[at + 2] = record.sectorNumber;
    bytes[at + 3] = record.sizeCode;
    storeLE16(bytes, at + 4, record.count);
    storeLE16(bytes, at + 14, record.dataLength);
}

}  // namespace

void storeLE16(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    bytes.at(offset) = static_cast<std::uint8_t>(value);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void storeLE32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    storeLE16(bytes, offset, value & 0xFFFF);
    storeLE16(bytes, offset + 2, value >> 16);
}

void patchBytes(Bytes& bytes, std::size_t offset, const Bytes& source, std::size_t from, std::size_t length) {
    const std::size_t count = std::min(length, source.size() - from);
    for (std::size_t i = 0; i < count; ++i) {
        bytes.at(offset + i) = source.at(from + i);
    }
}

std::vector<int> sectorRange(int first, int last) {
    std::vector<int> numbers;
    for (int r = first; r <= last; ++r) {
        numbers.push_back(r);
    }
    return numbers;
}

FixtureTrack fixtureTrack(std::uint8_t cylinder, std::uint8_t head, const std::vector<int>& order,
                          std::uint8_t sizeCode, std::uint8_t fill) {
    FixtureTrack track;
    for (std::size_t i = 0; i < order.size(); ++i) {
        FixtureRecord record;
        record.cylinder = cylinder;
        record.head = head;
        record.sectorNumber = static_cast<std::uint8_t>(order[i]);
        record.sizeCode = sizeCode;
        record.count = static_cast<std::uint16_t>(order.size());
        record.dataLength = static_cast<std::uint16_t>(128u << sizeCode);
        record.fill = static_cast<std::uint8_t>(fill + i);
        track.push_back(record);
    }
    return track;
}

FixtureDisk uniformDisk(int tracks, int sectors, std::uint8_t sizeCode, bool doubleSided, std::uint8_t fill) {
    FixtureDisk disk;
    for (int t = 0; t < tracks; ++t) {
        const int index = doubleSided ? t : t * 2;
        const auto cylinder = static_cast<std::uint8_t>(doubleSided ? t / 2 : t);
        const auto head = static_cast<std::uint8_t>(doubleSided ? t % 2 : 0);
        FixtureTrack track = fixtureTrack(cylinder, head, sectorRange(1, sectors), sizeCode, fill);
        for (FixtureRecord& record : track) {
            record.fill = fill;
        }
        disk.tracks[index] = track;
    }
    return disk;
}

FixtureImage buildFixtureImage(const std::vector<FixtureDisk>& disks) {
    FixtureImage image;
    for (const FixtureDisk& disk : disks) {
        FixtureDiskLayout layout;
        layout.offset = image.bytes.size();
        Bytes bytes(kFixtureDiskHeaderSize, 0);
        std::copy_n(disk.name.begin(), std::min(disk.name.size(), kNameLength), bytes.begin() + kNameOffset);
        bytes[kMediaCodeOffset] = disk.mediaCode;
        for (const auto& [index, track] : disk.tracks) {
            storeLE32(bytes, kTrackTableOffset + 4 * static_cast<std::size_t>(index),
                      static_cast<std::uint32_t>(bytes.size()));
            for (const FixtureRecord& record : track) {
                layout.records[index].push_back(layout.offset + bytes.size());
                appendRecord(bytes, record);
            }
        }
        for (const auto& [index, entry] : disk.entryOverrides) {
            storeLE32(bytes, kTrackTableOffset + 4 * static_cast<std::size_t>(index), static_cast<std::uint32_t>(entry));
        }
        storeLE32(bytes, kSizeOffset, static_cast<std::uint32_t>(disk.sizeOverride.value_or(
                                          static_cast<std::int32_t>(bytes.size()))));
        layout.length = bytes.size();
        image.bytes.insert(image.bytes.end(), bytes.begin(), bytes.end());
        image.disks.push_back(layout);
    }
    return image;
}

Bytes patternBytes(std::size_t length, std::uint8_t seed) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 131 + i / 256 + i / 65536);
    }
    return bytes;
}
