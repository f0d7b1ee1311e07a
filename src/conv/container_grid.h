// The tracks of the containers that store plain grids of sectors (DCP/DCU,
// DIP, DIM): each stored track becomes the track a freshly formatted image
// of the container's geometry has at that place, with the container's bytes
// as its sector data.
#pragma once

#include <cstdint>

#include "conv/disk_model.h"
#include "format/image_geometry.h"

// The bytes of sector data the geometry's track holds (`track` counts the
// geometry's tracks from 0, as the formatter lays them out).
std::int64_t gridTrackLength(const ImageGeometry& geometry, std::int32_t track);

// Puts that track into the disk, its sectors pointing into `data`
// (gridTrackLength bytes the caller has the model keep).
void placeGridTrack(const ImageGeometry& geometry, std::int32_t track, const std::uint8_t* data, DiskModel& disk);
