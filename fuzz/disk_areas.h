// What the image code may change in a file, worked out from the file's bytes
// alone: the disks a directory walk lists, and each one's data area (after
// its header, before its end by the size field, inside the file). Every other
// byte is a header, a gap or trailing bytes, and must never change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ListedDisk {
    std::int64_t offset = 0;
    std::int32_t sizeField = 0;
    std::int64_t areaBegin = 0;  // first data byte
    std::int64_t areaEnd = 0;    // one past the last; not above the file's length
};

// The disks in file order: each one begins where the previous one's size
// field puts it, is listed when its whole header is in the file, and the walk
// stops when the next offset would be negative or beyond a signed 32-bit
// offset, or after 64 disks.
std::vector<ListedDisk> listDisks(const std::vector<std::uint8_t>& image);

// Whether `after` has the length of `before` and equals it at every byte
// outside the given disks' data areas.
bool changedOnlyInAreas(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                        const std::vector<ListedDisk>& disks);
