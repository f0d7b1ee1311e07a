// What the image code may change in a file, worked out from the file's bytes
// alone: the disks a directory walk lists, and each one's data area (after
// its header, before its end by the size field). Every other byte is a
// header, a gap or trailing bytes, and must never change. The file may grow,
// by a write into a record that the end of the file cuts short, but only
// inside a data area.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ListedDisk {
    std::int64_t offset = 0;
    std::int32_t sizeField = 0;
    std::int64_t areaBegin = 0;  // first data byte
    std::int64_t areaEnd = 0;    // one past the last, by the size field
};

// The disks in file order: each one begins where the previous one's size
// field puts it, is listed when its whole header is in the file, and the walk
// stops before a disk whose size field is negative or whose next offset would
// pass a signed 32-bit offset, or after 64 disks.
std::vector<ListedDisk> listDisks(const std::vector<std::uint8_t>& image);

// Whether `after` equals `before` at every byte outside the given disks'
// data areas, and is as long, or longer by bytes that lie inside one of
// those areas.
bool changedOnlyInAreas(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                        const std::vector<ListedDisk>& disks);

// Whether every byte of every listed disk's header is as it was.
bool headersUnchanged(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                      const std::vector<ListedDisk>& disks);
