// The directory of disks in a D88 file: where each disk's header starts.
//
// Disks follow each other by their size fields. The walk stops before a disk
// whose size field is negative, or whose successor's offset would pass what a
// signed 32-bit offset can hold, and that disk is not listed; it also stops
// at a header that the file does not hold whole, and after the 64th disk.
// Since sizes never step back, no disk's data area can overlap the header of
// another listed disk.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "d88/d88_format.h"

struct DiskDirectory {
    std::int32_t count = 0;
    std::array<std::int32_t, d88::kMaxDisks> offsets{};
    bool readFailed = false;  // a header read failed with an error, not the end of the file
};

// Reads the directory through the stream; the stream's position is left
// anywhere.
DiskDirectory readDiskDirectory(std::FILE* file);
