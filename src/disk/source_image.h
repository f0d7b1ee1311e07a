// A D88 file opened for reading as a row of disks: each disk the bytes from
// its header's offset for its size field's length, as the directory walk
// finds them, with the soundness of each header.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "image/disk_soundness.h"

// A stretch of bytes of the file.
struct ByteSlice {
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

class SourceImage {
public:
    SourceImage() = default;
    ~SourceImage();
    SourceImage(const SourceImage&) = delete;
    SourceImage& operator=(const SourceImage&) = delete;
    SourceImage(SourceImage&& other) noexcept;
    SourceImage& operator=(SourceImage&&) = delete;

    // Opens the file for reading and lists its disks; false when it cannot
    // be opened.
    bool open(const char* path);

    std::int32_t diskCount() const { return static_cast<std::int32_t>(disks_.size()); }
    // The disk's bytes by its size field (only meaningful for a sound disk).
    ByteSlice disk(std::int32_t number) const { return disks_[static_cast<std::size_t>(number)].bytes; }
    DiskProblem problem(std::int32_t number) const { return disks_[static_cast<std::size_t>(number)].problem; }
    // The first disk with a problem, or -1 when every disk is sound.
    std::int32_t firstUnsoundDisk() const;
    // What follows the last disk up to the end of the file (empty when the
    // last disk is unsound).
    ByteSlice trailingBytes() const;
    std::int64_t fileLength() const { return fileLength_; }
    // The stream's descriptor, for positioned reads.
    int descriptor() const;

private:
    struct Disk {
        ByteSlice bytes;
        DiskProblem problem = DiskProblem::None;
    };

    std::FILE* file_ = nullptr;
    std::int64_t fileLength_ = 0;
    std::vector<Disk> disks_;
};
