// Whether the bytes at a disk's place in a file can be a D88 disk at all.
//
// A D88 file has no signature, so any file lists as some disks; these checks
// tell a disk header from arbitrary bytes by what every real header obeys.
// The listing marks the disks that fail them, and the commands that copy or
// move disks refuse those disks, for the same reasons.
#pragma once

#include <cstdint>
#include <span>

#include "d88/d88_format.h"

enum class DiskProblem {
    None,
    SizeBelowHeader,    // the size field is smaller than the header itself
    PastEndOfFile,      // the size field runs the disk past the end of the file
    TrackInsideHeader,  // a track-table entry points into the header
};

// The first problem, in the order above, of the disk whose header bytes these
// are, standing at `diskOffset` in a file of `fileLength` bytes.
DiskProblem findDiskProblem(std::span<const std::uint8_t, d88::DiskHeader::size> header, std::int64_t diskOffset,
                            std::int64_t fileLength);
