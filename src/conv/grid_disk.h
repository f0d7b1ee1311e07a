// The disk a plain sector image describes: a geometry laid out exactly as a
// freshly formatted image of it is (the formatter's track layout), with the
// image's bytes as the sector data in track, then sector order.
#pragma once

#include <cstdint>

#include "conv/disk_model.h"
#include "format/image_geometry.h"

// The bytes of sector data the geometry holds.
std::int64_t gridDataSize(const ImageGeometry& geometry);

// The disk of that geometry; its sectors point into `data` (gridDataSize
// bytes), which the caller has the model keep.
DiskModel gridDisk(const ImageGeometry& geometry, const std::uint8_t* data);
