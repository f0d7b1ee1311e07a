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
    std::int32_t sectorNumber = 0;
};

struct SectorRunStart {
    std::int32_t trackIndex = 0;
    std::int32_t cylinder = 0;
    std::int32_t head = 0;
    std::int32_t sizeCode = 0;
};

// Why a run cannot start, in the order the checks are made.
enum class SectorRunRefusal {
    None,
    NoSuchDisk,
    TrackOutOfRange,
    TrackNotFormatted,  // the start track lists no identity
    SectorNotFound,     // outside the start track's lowest to highest number
};

// Selects the disk and makes the checks in order. On success the image's
// stepping mode, last track and sector range are set for the run.
SectorRunRefusal checkSectorRun(D88Image& image, const SectorRunRequest& request, SectorRunStart& start);

// checkSectorRun, printing what the user is told: in single-sided mode the
// banner to `bannerStream` once the disk and track checks have passed, and a
// refusal's message to standard error (a failed read of the image is told
// as one instead). False on a refusal.
bool startSectorRun(D88Image& image, const SectorRunRequest& request, std::FILE* bannerStream,
                    SectorRunStart& start);
