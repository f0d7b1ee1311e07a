#pragma once

#include <cstdint>

// What the image builder needs to lay out one freshly formatted disk.
struct ImageGeometry {
    std::uint8_t mediaCode = 0;
    std::int32_t tracks = 0;
    std::int32_t sectors = 0;
    std::int32_t sizeCode = 0;  // N: data length 128 << N
    bool doubleSided = true;
    bool singleDensityFirstTrack = false;  // track 0 holds 128-byte single-density sectors
    std::uint8_t fill = 0;
};
