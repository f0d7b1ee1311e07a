#include "conv/image_formats.h"

#include "common/to_lower_ascii.h"
#include "conv/d88_reader.h"
#include "conv/d88_writer.h"
#include "conv/file_name.h"
#include "conv/flat_image_readers.h"
#include "conv/flat_image_writers.h"

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

constexpr const char* kD88Extensions[] = {".d88", ".d77", ".88d"};
constexpr const char* kFdiExtensions[] = {".fdi"};

constexpr bool kSeveralDisks = true;
constexpr bool kOneDisk = false;
constexpr bool kNeedsGeometry = true;
constexpr bool kDescribesItself = false;

// Raw first: the fallback for every other extension.
const ImageFormat kFormats[] = {
    {"d88", kD88Extensions, readD88, writeD88Image, kSeveralDisks, kDescribesItself},
    {"raw", {}, readRaw, writeRawImage, kOneDisk, kNeedsGeometry},
    {"fdi", kFdiExtensions, readFdi, writeFdiImage, kOneDisk, kDescribesItself},
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

std::string imageFormatNames() {
    std::string names;
    for (const ImageFormat& format : kFormats) {
        names += names.empty() ? "" : ", ";
        names += format.name;
    }
    return names;
}
