// The disk a plain grid of sectors describes: a geometry laid out exactly as a
// freshly formatted image of it is (the formatter's track layout), with the
// given bytes as the sector data in track, then sector order. A plain sector
// image is a whole grid; the containers that store plain tracks (DCP/DCU,
// DIP, DIM) place the tracks they hold one at a time.
#pragma once

#include <cstdint>

#include "conv/disk_model.h"
#include "format/image_geometry.h"

// The bytes of sector data the geometry's track holds (`track` counts the
// geometry's tracks from 0, as the formatter lays them out).
std::int64_t gridTrackLength(const ImageGeometry& geometry, std::int32_t track);

// The bytes of sector data the geometry holds.
std::int64_t gridDataSize(const ImageGeometry& geometry);

// Puts that track into the disk, its sectors pointing into `data`
// (gridTrackLength bytes the caller has the model keep).
void placeGridTrack(const ImageGeometry& geometry, std::int32_t track, const std::uint8_t* data, DiskModel& disk);

// The disk of that geometry; its sectors point into `data` (gridDataSize
// bytes), which the caller has the model keep.
DiskModel gridDisk(const ImageGeometry& geometry, const std::uint8_t* data);
