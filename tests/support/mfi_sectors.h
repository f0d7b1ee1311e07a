// Reads back the sectors of an MFI file, the flux image MAME's floptool
// writes: each track's flux transitions become bit cells, in which the FM
// and MFM address marks, ID fields and data fields are found and their CRCs
// checked. Enough to compare, sector by sector, what floptool read from two
// different images.
#pragma once

#include <cstdint>
#include <vector>

#include "support/temp_dir.h"

struct MfiSector {
    std::uint8_t cylinder = 0;  // the ID field's C, H, R, N
    std::uint8_t head = 0;
    std::uint8_t record = 0;
    std::uint8_t sizeCode = 0;
    bool singleDensity = false;  // found by FM address marks
    bool deleted = false;        // a deleted data address mark
    bool idCrcGood = false;
    bool dataCrcGood = false;
    Bytes data;

    bool operator==(const MfiSector&) const = default;
};

struct MfiTrack {
    int cylinder = 0;
    int head = 0;
    std::vector<MfiSector> sectors;  // in the order they pass the head
};

enum class MfiRead {
    Ok,
    NoZlib,  // built without zlib, which MFI tracks are compressed with
    NotMfi,
};

// `cellsPerTurn`: the bit cells floptool put into one turn of a track
// (166,666 for the 1 us cells of a 2HD disk at 360 rpm, as it builds the
// PC-98 formats). MFI gives positions as 200,000,000ths of a turn, so the
// count must be exact for the cells to stay in step over the turn.
MfiRead readMfiTracks(const Bytes& file, std::int64_t cellsPerTurn, std::vector<MfiTrack>& tracks);
