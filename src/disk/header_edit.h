// Changing a few bytes of one disk's header in place: the file keeps its
// length and every other byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

enum class HeaderEditOutcome {
    Written,
    CannotOpen,   // the file cannot be opened for update
    NoSuchDisk,   // the number is not one of the file's disks
    WriteFailed,  // the bytes could not be written and flushed to the disk
};

// Overwrites the bytes at `fieldOffset` of disk `number`'s header and
// flushes them to the disk.
HeaderEditOutcome editDiskHeader(const char* imagePath, std::int32_t number, std::size_t fieldOffset,
                                 std::span<const std::uint8_t> bytes);
