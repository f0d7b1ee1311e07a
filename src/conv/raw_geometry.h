// The geometry of a raw (headerless) sector image, which the file itself
// does not tell: from --media, else from the file name's extension where it
// names a layout (.2d, .hdm, .dd9, ...), else the one preset geometry whose
// data size equals the file's. Presets with the same geometry (2dddos and
// 2dddos6) count as one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conv/refusal.h"
#include "format/image_geometry.h"

struct RawGeometry {
    ImageGeometry geometry;
    std::string label;  // how the user named it: a keyword or the --media text
};

// --media: a keyword of a preset that has sectors, or a generic type with
// its numbers, "TYPE,SECTORS,N[,TRACKS]" (2hd,26,1 or 1d,16,1,40).
bool parseMediaArgument(std::string_view argument, RawGeometry& raw, Refusal& refusal);

// `media` may be null. Checks the size against the chosen geometry too.
bool chooseRawGeometry(const char* media, std::string_view path, std::int64_t size, RawGeometry& raw,
                       Refusal& refusal);

// The preset geometry with the same tracks, sectors, N and sides as `shape`
// (whatever its media code); false when no preset has them.
bool presetWithShape(const ImageGeometry& shape, ImageGeometry& preset);
