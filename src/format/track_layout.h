// How a freshly formatted image lays out each of its tracks: where the track
// stands in the track table, the cylinder and head its records carry, and
// the size code, data length and density of its sectors. The image builder
// and anything that must produce the same records (the converter's plain
// sector grids) take these rules from here.
#pragma once

#include <cstdint>

#include "format/image_geometry.h"

// The shape of one track's sectors.
struct TrackLayout {
    std::int32_t dataLength;
    std::uint8_t sizeCode;
    std::uint8_t density;
};

// Where one track goes: its track-table index and the C and H of its records.
struct TrackPosition {
    int index;
    std::uint8_t cylinder;
    std::uint8_t head;
};

// `track` counts the geometry's tracks from 0 in the order they are laid out.
TrackLayout trackLayout(const ImageGeometry& geometry, std::int32_t track);
TrackPosition trackPosition(const ImageGeometry& geometry, std::int32_t track);
