// The start of a sector run as imgpoke and imgpeek take it from their command
// lines: the disk, the track or cylinder, and the sector number, checked in
// order, with the track's own numbering and the start sector's size code
// learnt from the identities stored on the start track.
#pragma once

#include <cstdint>
#include <cstdio>

#include "image/d88_image.h"

struct SectorRunRequest {
    bool singleSided = false;  // track names a cylinder, on head 0
    std::int32_t diskNumber = 0;
    std::int32_t track = 0;
    std::int32_t sector = 0;
};

struct SectorRunStart {
    std::int32_t trackIndex = 0;
    std::int32_t cylinder = 0;
    std::int32_t head = 0;
    std::int32_t sizeCode = 0;
};

// Selects the disk and makes the checks in order: disk number, track range,
// formatted start track, sector within the track's lowest to highest number.
// A refusal prints its message to standard error and returns false. In
// single-sided mode the banner goes to `bannerStream` once the track range
// has passed. On success the image's stepping mode, last track and sector
// range are set for the run.
bool prepareSectorRun(D88Image& image, const SectorRunRequest& request, std::FILE* bannerStream,
                      SectorRunStart& start);
