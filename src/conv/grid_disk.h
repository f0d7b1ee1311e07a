// The disk a plain sector image describes: a geometry laid out exactly as a
// freshly formatted image of it is (the formatter's track layout), with the
// image's bytes as the sector data in track, then sector order.
#pragma once

#include <cstdint>
#include <vector>

#include "conv/disk_model.h"
#include "format/image_geometry.h"

// The bytes of sector data the geometry holds.
std::int64_t gridDataSize(const ImageGeometry& geometry);

// The disk of that geometry; `bytes` (gridDataSize long) becomes its data.
DiskModel gridDisk(const ImageGeometry& geometry, std::vector<std::uint8_t>&& bytes);
