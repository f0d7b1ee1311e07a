#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "format/image_geometry.h"

// Why a geometry cannot be laid out, in the order the checks are made;
// checked before anything is allocated.
enum class GeometryProblem {
    None,
    TooManyTracks,            // more than the 164-entry track table
    NegativeSectors,
    NegativeTracks,
    SizeCodeOutOfRange,       // N outside 0 to 8
    TooManySectors,           // beyond the 16-bit count field
    TooManySingleSidedTracks, // single-sided indexes would pass entry 163
    ImageTooLarge,            // the length would not fit a signed 32-bit size field
};

// One contiguous image, owned by whoever built it.
struct ImageBuffer {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t length = 0;
};

GeometryProblem checkGeometry(const ImageGeometry& geometry);

// The exact byte length of the image, computed wide enough not to overflow
// for any geometry that passes the sign and range checks.
std::int64_t imageLength(const ImageGeometry& geometry);

// Lays out the complete formatted image. The geometry must pass
// checkGeometry; returns false only when the memory cannot be had.
bool buildImage(const ImageGeometry& geometry, ImageBuffer& image);
