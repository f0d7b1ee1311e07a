#include "format/track_layout.h"

#include "d88/d88_format.h"

TrackLayout trackLayout(const ImageGeometry& geometry, std::int32_t track) {
    if (!geometry.singleDensityFirstTrack) {
        return {d88::sectorLength(geometry.sizeCode), static_cast<std::uint8_t>(geometry.sizeCode & 0xFF),
                d88::kDensityDouble};
    }
    // The special first track: 128-byte single-density sectors on track 0,
    // 256-byte sectors with size code 1 on the others, whatever the data length.
    if (track == 0) {
        return {d88::kSingleDensityLength, 0, d88::kDensitySingle};
    }
    return {d88::sectorLength(geometry.sizeCode), 1, d88::kDensityDouble};
}

TrackPosition trackPosition(const ImageGeometry& geometry, std::int32_t track) {
    if (geometry.doubleSided) {
        return {track, static_cast<std::uint8_t>((track / 2) & 0xFF), static_cast<std::uint8_t>(track % 2)};
    }
    return {track * 2, static_cast<std::uint8_t>(track & 0xFF), 0};
}
