// The image formats imgconv converts between: each with its name (for
// --from and --to), the file-name extensions that choose it, and its reader
// into a disk model and writer out of one. A name with no listed extension
// falls to raw.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "conv/byte_sink.h"
#include "conv/disk_model.h"
#include "conv/refusal.h"

// What a reader may need besides the file.
struct ReadRequest {
    const char* path = nullptr;
    std::int32_t diskNumber = 0;  // the disk of a several-disk file
    const char* media = nullptr;  // the --media argument, or null
};

using ImageReader = bool (*)(const ReadRequest& request, DiskModel& disk, Refusal& refusal);
// Refuses, if at all, before its first byte.
using ImageWriter = bool (*)(const DiskModel& disk, ByteSink& sink, Refusal& refusal);

struct ImageFormat {
    const char* name;
    std::span<const char* const> extensions;  // lower case, with the dot
    ImageReader read;
    ImageWriter write;  // null for a format that is only read
    bool holdsSeveralDisks;  // takes --disk
    bool needsGeometry;      // takes --media
};

std::span<const ImageFormat> imageFormats();

// The format of that name (any letter case), or null.
const ImageFormat* findImageFormat(std::string_view name);

// The format a file name's extension chooses (any letter case), raw when
// none does.
const ImageFormat& formatForPath(std::string_view path);

// "d88, raw, fdi, ...", for messages: every format, or those that can be
// written.
std::string imageFormatNames(bool writableOnly = false);
