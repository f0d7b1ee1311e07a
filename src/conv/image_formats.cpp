#include "conv/image_formats.h"

#include "common/to_lower_ascii.h"
#include "conv/d88_reader.h"
#include "conv/d88_writer.h"
#include "conv/dcp_reader.h"
#include "conv/dim_reader.h"
#include "conv/dip_reader.h"
#include "conv/fdd_reader.h"
#include "conv/file_name.h"
#include "conv/flat_image_readers.h"
#include "conv/flat_image_writers.h"
#include "conv/nfd_reader.h"

namespace {

bool readD88(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readD88Disk(request.path, request.diskNumber, disk, refusal);
}

bool readRaw(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readRawImage(request.path, request.media, disk, refusal);
}

bool readFdi(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readFdiImage(request.path, disk, refusal);
}

bool readNfd(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readNfdImage(request.path, disk, refusal);
}

bool readFdd(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readFddImage(request.path, disk, refusal);
}

bool readDcp(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readDcpImage(request.path, disk, refusal);
}

bool readDip(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readDipImage(request.path, disk, refusal);
}

bool readDim(const ReadRequest& request, DiskModel& disk, Refusal& refusal) {
    return readDimImage(request.path, disk, refusal);
}

constexpr const char* kD88Extensions[] = {".d88", ".d77", ".88d"};
constexpr const char* kFdiExtensions[] = {".fdi"};
constexpr const char* kNfdExtensions[] = {".nfd"};
constexpr const char* kFddExtensions[] = {".fdd"};
constexpr const char* kDcpExtensions[] = {".dcp", ".dcu"};
constexpr const char* kDipExtensions[] = {".dip"};
constexpr const char* kDimExtensions[] = {".dim"};

// The emulator containers are read only.
constexpr ImageWriter kReadOnly = nullptr;

constexpr bool kSeveralDisks = true;
constexpr bool kOneDisk = false;
constexpr bool kNeedsGeometry = true;
constexpr bool kDescribesItself = false;

// Raw first: the fallback for every other extension.
const ImageFormat kFormats[] = {
    {"d88", kD88Extensions, readD88, writeD88Image, kSeveralDisks, kDescribesItself},
    {"raw", {}, readRaw, writeRawImage, kOneDisk, kNeedsGeometry},
    {"fdi", kFdiExtensions, readFdi, writeFdiImage, kOneDisk, kDescribesItself},
    {"nfd", kNfdExtensions, readNfd, kReadOnly, kOneDisk, kDescribesItself},
    {"fdd", kFddExtensions, readFdd, kReadOnly, kOneDisk, kDescribesItself},
    {"dcp", kDcpExtensions, readDcp, kReadOnly, kOneDisk, kDescribesItself},
    {"dip", kDipExtensions, readDip, kReadOnly, kOneDisk, kDescribesItself},
    {"dim", kDimExtensions, readDim, kReadOnly, kOneDisk, kDescribesItself},
};

constexpr std::size_t kRawFormat = 1;

}  // namespace

std::span<const ImageFormat> imageFormats() { return kFormats; }

const ImageFormat* findImageFormat(std::string_view name) {
    std::string lower(name);
    toLowerAscii(lower.data());
    for (const ImageFormat& format : kFormats) {
        if (lower == format.name) {
            return &format;
        }
    }
    return nullptr;
}

const ImageFormat& formatForPath(std::string_view path) {
    const std::string extension = lowerExtension(path);
    for (const ImageFormat& format : kFormats) {
        for (const char* known : format.extensions) {
            if (extension == known) {
                return format;
            }
        }
    }
    return kFormats[kRawFormat];
}

std::string imageFormatNames(bool writableOnly) {
    std::string names;
    for (const ImageFormat& format : kFormats) {
        if (writableOnly && format.write == nullptr) {
            continue;
        }
        names += names.empty() ? "" : ", ";
        names += format.name;
    }
    return names;
}
