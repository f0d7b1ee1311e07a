#pragma once

#include <cstdint>
#include <span>

#include "format/image_geometry.h"

// One row of the media table.
struct MediaPreset {
    const char* keyword;  // lower case
    const char* description;
    std::uint8_t mediaCode;
    std::int32_t tracks;
    std::int32_t sectors;  // 0 for the generic rows, which take it from the command line
    std::int32_t sizeCode;
    bool doubleSided;
    bool generic;                  // Sectors and N come from the command line
    bool singleDensityFirstTrack;  // track 0 in single density
};

// All 25 rows, in table order.
std::span<const MediaPreset> mediaPresets();

// The first row, in table order, whose keyword equals the argument exactly;
// nullptr when none does.
const MediaPreset* findMediaPreset(const char* keyword);

// The geometry a fixed row lays out, filled with `fill`.
ImageGeometry fixedGeometry(const MediaPreset& preset, std::uint8_t fill = 0);

// The geometry of a generic row with the given sector count, N and track
// count, filled with `fill`.
ImageGeometry genericGeometry(const MediaPreset& preset, std::int32_t sectors, std::int32_t sizeCode,
                              std::int32_t tracks, std::uint8_t fill = 0);
