#include "disk/header_edit.h"

#include <unistd.h>

#include <cstdio>

#include "image/disk_directory.h"
#include "image/file_seek.h"

namespace {

bool writeAndFlush(std::FILE* file, std::int64_t position, std::span<const std::uint8_t> bytes) {
    return seekTo(file, position) && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
           std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

}  // namespace

HeaderEditOutcome editDiskHeader(const char* imagePath, std::int32_t number, std::size_t fieldOffset,
                                 std::span<const std::uint8_t> bytes) {
    std::FILE* file = std::fopen(imagePath, "r+b");
    if (file == nullptr) {
        return HeaderEditOutcome::CannotOpen;
    }
    const DiskDirectory directory = readDiskDirectory(file);
    if (number < 0 || number >= directory.count) {
        std::fclose(file);
        return HeaderEditOutcome::NoSuchDisk;
    }
    // The directory lists only disks whose header the file holds whole.
    const std::int64_t diskOffset = directory.offsets[static_cast<std::size_t>(number)];
    const std::int64_t position = diskOffset + static_cast<std::int64_t>(fieldOffset);
    const bool written = writeAndFlush(file, position, bytes);
    const bool closed = std::fclose(file) == 0;
    return written && closed ? HeaderEditOutcome::Written : HeaderEditOutcome::WriteFailed;
}
