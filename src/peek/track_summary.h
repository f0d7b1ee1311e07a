// What the listing tells about one track, gathered in one sweep over the
// record headers of every track of the disk.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "d88/d88_format.h"
#include "image/d88_image.h"

// The smallest distinct values seen, up to a bound, and whether there were
// more.
struct SmallestValues {
    static constexpr std::size_t kKept = 9;
    std::array<std::int32_t, kKept> values{};
    std::size_t size = 0;
    std::int32_t lastAdded = 0;

    void add(std::int32_t value);
    void append(const SmallestValues& later);
};

// The records of a stretch of a track, summarised so that two stretches can
// be joined (see track_sweep.h).
struct RecordsSummary {
    static constexpr int kStoredOrderShown = 64;

    std::int64_t records = 0;
    int lowestSectorNumber = 0;
    int highestSectorNumber = 0;
    int firstSectorNumber = 0;
    int lastSectorNumber = 0;
    bool rising = true;  // sector numbers strictly rising in stored order
    std::array<std::uint8_t, kStoredOrderShown> storedOrder{};
    std::bitset<256> sizeCodes;
    SmallestValues dataLengths;
    std::int32_t firstCount = 0;
    bool countsEqual = true;
    bool lengthDisagrees = false;  // a data length other than 128 << N
    int lowestCylinder = 0;
    int highestCylinder = 0;
    int lowestHead = 0;
    int highestHead = 0;
    bool outsideDisk = false;     // a record not wholly inside its disk's data area
    bool cutByEndOfFile = false;  // the file ends inside a record
    std::uint64_t lastKey = 0;    // the last record's identity, count and length

    struct Bounds {
        std::int64_t areaStart;  // the first byte after the disk header
        std::int64_t areaEnd;    // the disk's end by its size field
        std::int64_t fileLength;
    };
    void add(const RecordHeader& record, const Bounds& bounds);
    void append(const RecordsSummary& later);
};

struct TrackSummary {
    RecordsSummary walked;
    bool outOfOrder = false;       // sector numbers not strictly rising in stored order
    bool countDisagrees = false;   // a count field other than the records walked, or a count of 0
    bool lengthDisagrees = false;  // a data length other than 128 << N
    bool cylinderDiffers = false;  // a C other than the track's cylinder
    bool headDiffers = false;      // an H other than the track's head
    bool outsideDisk = false;      // a record not wholly inside its disk's data area
    bool cutByEndOfFile = false;   // the file ends inside the track
};

// Walks every track of the selected disk, as the sector searches walk them;
// one summary per track index.
std::vector<TrackSummary> summarizeTracks(D88Image& image);
