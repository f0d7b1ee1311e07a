// The checks every command that copies or moves disks makes before it
// writes anything, each printing its one line when it refuses.
#pragma once

#include <cstdint>

#include "disk/source_image.h"

// Starts a line on standard error with an input's path, as typed.
void printInputPathPrefix(const char* path);

// Refuses a disk number outside the file's disks.
bool refuseMissingDisk(const SourceImage& source, std::int32_t number);

// Refuses the disk when its header cannot be a D88 disk header. With a path,
// the line starts with it (join names which input holds the disk).
bool refuseUnsoundDisk(const SourceImage& source, std::int32_t number, const char* path = nullptr);

// Refuses the file when any of its disks is unsound, naming the first.
bool refuseAnyUnsoundDisk(const SourceImage& source, const char* path = nullptr);

// Refuses a file without disks.
bool refuseNoDisks(const SourceImage& source, const char* path = nullptr);

// Refuses a result of more disks or bytes than a D88 file can hold.
bool refuseOversizedResult(std::int64_t disks, std::int64_t bytes);
