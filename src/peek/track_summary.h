// What the listing tells about one track, gathered in one walk over its
// record headers.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "d88/d88_format.h"
#include "image/d88_image.h"
#include "image/track_walk.h"

struct TrackSummary {
    // The stored order of sector numbers is shown for this many records.
    static constexpr int kStoredOrderShown = 64;
    static constexpr int kIdentityValues = 256;
    static constexpr int kDataLengthValues = 0x10000;

    std::int32_t records = 0;
    int lowestSectorNumber = 0;
    int highestSectorNumber = 0;
    std::bitset<kIdentityValues> sizeCodes;
    std::bitset<kDataLengthValues> dataLengths;
    std::array<std::uint8_t, kStoredOrderShown> storedOrder{};

    bool outOfOrder = false;        // sector numbers not strictly rising in stored order
    bool countDisagrees = false;    // a count field other than the records listed
    bool lengthDisagrees = false;   // a data length other than 128 << N
    bool cylinderDiffers = false;   // a C other than the track's cylinder
    bool headDiffers = false;       // an H other than the track's head
    bool outsideDisk = false;       // a record not wholly inside its disk's data area
    bool cutByEndOfFile = false;    // the file ends inside the track
    bool recordLimit = false;       // 65,535 records and no count stopped the walk
};

// Walks the track at this index of the selected disk.
TrackSummary summarizeTrack(D88Image& image, std::int32_t trackIndex);
