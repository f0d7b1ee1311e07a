#include "disk_areas.h"

#include <algorithm>

namespace {

// Deliberately not taken from the image code: these checks must not share
// its mistakes.
constexpr std::int64_t kHeaderBytes = 688;
constexpr std::size_t kSizeFieldOffset = 0x1C;
constexpr std::size_t kMostDisks = 64;
constexpr std::int64_t kLargestOffset = 0x7FFFFFFF;

std::int32_t signed32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                                static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                                static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::vector<ListedDisk> listDisks(const std::vector<std::uint8_t>& image) {
    std::vector<ListedDisk> disks;
    const auto fileLength = static_cast<std::int64_t>(image.size());
    std::int64_t offset = 0;
    while (disks.size() < kMostDisks && offset + kHeaderBytes <= fileLength) {
        ListedDisk disk;
        disk.offset = offset;
        disk.sizeField = signed32At(image, static_cast<std::size_t>(offset) + kSizeFieldOffset);
        disk.areaBegin = offset + kHeaderBytes;
        disk.areaEnd = offset + disk.sizeField;
        const std::int64_t next = offset + disk.sizeField;
        if (disk.sizeField < 0 || next > kLargestOffset) {
            break;
        }
        disks.push_back(disk);
        offset = next;
    }
    return disks;
}

bool changedOnlyInAreas(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                        const std::vector<ListedDisk>& disks) {
    if (after.size() < before.size()) {
        return false;
    }
    std::vector<bool> writable(after.size(), false);
    for (const ListedDisk& disk : disks) {
        const std::int64_t end = std::min(disk.areaEnd, static_cast<std::int64_t>(after.size()));
        for (std::int64_t i = disk.areaBegin; i < end; ++i) {
            writable[static_cast<std::size_t>(i)] = true;
        }
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool changed = i >= before.size() || before[i] != after[i];
        if (!writable[i] && changed) {
            return false;
        }
    }
    return true;
}

bool headersUnchanged(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                      const std::vector<ListedDisk>& disks) {
    for (const ListedDisk& disk : disks) {
        for (std::int64_t i = disk.offset; i < disk.offset + kHeaderBytes; ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (at >= after.size() || before[at] != after[at]) {
                return false;
            }
        }
    }
    return true;
}
