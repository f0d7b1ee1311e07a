// Flattening a disk into a plain sector image (raw or FDI data): its present
// tracks in track-index order (only the even indexes when no odd one is
// present: a single-sided disk), each track's sectors by ascending R, each
// sector's data whole. That is lossless only for a plain grid of sectors,
// so planFlatImage refuses every disk that is not one, naming the first
// offending track; flatten_checks.cpp lists each refusal.
//
// The one exception is the N88-BASIC 2HD layout's first track, 26
// single-density 128-byte sectors before tracks of 26 x 256 bytes: it
// flattens to its 3,328 bytes followed by the rest.
#pragma once

#include <cstdint>
#include <vector>

#include "conv/byte_sink.h"
#include "conv/disk_model.h"
#include "conv/refusal.h"

struct FlatLayout {
    std::vector<int> trackIndexes;  // in the order they are written
    bool doubleSided = true;
    std::int32_t sectorsPerTrack = 0;
    std::int32_t firstSector = 0;  // the lowest R of every track
    std::int64_t sectorLength = 0;
    std::int64_t firstTrackSectorLength = 0;  // 128 for the N88-BASIC first track, else sectorLength
    std::int64_t dataSize = 0;

    bool firstTrackDiffers() const { return firstTrackSectorLength != sectorLength; }
};

bool planFlatImage(const DiskModel& disk, FlatLayout& layout, Refusal& refusal);

// Writes every sector's data in the flattened order, layout.dataSize bytes.
void writeFlatData(const DiskModel& disk, const FlatLayout& layout, ByteSink& sink);
