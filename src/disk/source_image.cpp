#include "disk/source_image.h"

#include <sys/stat.h>

#include <array>
#include <utility>

#include "d88/byte_order.h"
#include "image/disk_directory.h"
#include "image/file_seek.h"

namespace {

using HeaderBytes = std::array<std::uint8_t, d88::DiskHeader::size>;

std::int64_t measureLength(std::FILE* file) {
    struct stat status {};
    return ::fstat(::fileno(file), &status) == 0 && status.st_size > 0 ? status.st_size : 0;
}

bool readHeader(std::FILE* file, std::int64_t offset, HeaderBytes& header) {
    return seekTo(file, offset) && std::fread(header.data(), 1, header.size(), file) == header.size();
}

}  // namespace

SourceImage::~SourceImage() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

SourceImage::SourceImage(SourceImage&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      fileLength_(other.fileLength_),
      disks_(std::move(other.disks_)) {}

bool SourceImage::open(const char* path) {
    file_ = std::fopen(path, "rb");
    if (file_ == nullptr) {
        return false;
    }
    fileLength_ = measureLength(file_);
    const DiskDirectory directory = readDiskDirectory(file_);
    for (std::int32_t number = 0; number < directory.count; ++number) {
        const std::int64_t offset = directory.offsets[static_cast<std::size_t>(number)];
        HeaderBytes header{};
        Disk disk;
        disk.bytes.offset = offset;
        if (readHeader(file_, offset, header)) {
            disk.bytes.length = d88::readLE32(header.data() + d88::DiskHeader::diskSizeOffset);
            disk.problem = findDiskProblem(header, offset, fileLength_);
        } else {
            // The walk saw this header whole; a file cut since then is
            // treated as ending inside the disk.
            disk.problem = DiskProblem::PastEndOfFile;
        }
        disks_.push_back(disk);
    }
    return true;
}

std::int32_t SourceImage::firstUnsoundDisk() const {
    for (std::int32_t number = 0; number < diskCount(); ++number) {
        if (problem(number) != DiskProblem::None) {
            return number;
        }
    }
    return -1;
}

ByteSlice SourceImage::trailingBytes() const {
    if (disks_.empty()) {
        return {0, fileLength_};
    }
    const Disk& last = disks_.back();
    if (last.problem != DiskProblem::None) {
        return {fileLength_, 0};
    }
    const std::int64_t end = last.bytes.offset + last.bytes.length;
    return {end, fileLength_ - end};
}

int SourceImage::descriptor() const { return file_ == nullptr ? -1 : ::fileno(file_); }
