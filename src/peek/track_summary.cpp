#include "peek/track_summary.h"

#include <algorithm>

namespace {

bool nominalLength(const RecordHeader& record) {
    return record.id.sizeCode <= d88::kLargestFittingSizeCode &&
           record.dataLength == d88::sectorLength(record.id.sizeCode);
}

// C, H, R, N, the count and the data length in one number.
std::uint64_t headerKey(const RecordHeader& record) {
    return static_cast<std::uint64_t>(record.id.cylinder) << 56 | static_cast<std::uint64_t>(record.id.head) << 48 |
           static_cast<std::uint64_t>(record.id.sectorNumber) << 40 |
           static_cast<std::uint64_t>(record.id.sizeCode) << 32 | static_cast<std::uint64_t>(record.count) << 16 |
           static_cast<std::uint64_t>(record.dataLength);
}

TrackSummary judgeTrack(const SweptWalk<RecordsSummary>& walk, std::int32_t trackIndex) {
    const int cylinder = trackIndex / 2;
    const int head = trackIndex % 2;
    const RecordsSummary& records = walk.summary;
    TrackSummary summary;
    summary.walked = records;
    const bool any = records.records > 0;
    // In a sound track every record carries the number of records listed.
    summary.countDisagrees = walk.end == WalkEnd::CountZero ||
                             (any && !(records.countsEqual && records.firstCount == records.records));
    summary.outOfOrder = any && !records.rising;
    summary.cylinderDiffers = any && (records.lowestCylinder != cylinder || records.highestCylinder != cylinder);
    summary.headDiffers = any && (records.lowestHead != head || records.highestHead != head);
    summary.lengthDisagrees = records.lengthDisagrees;
    summary.outsideDisk = records.outsideDisk;
    summary.cutByEndOfFile = records.cutByEndOfFile || walk.end == WalkEnd::EndOfFile;
    return summary;
}

}  // namespace

void SmallestValues::add(std::int32_t value) {
    // Most tracks repeat one value; it is then the one kept last.
    if (size > 0 && value == lastAdded) {
        return;
    }
    lastAdded = value;
    auto* end = values.begin() + size;
    auto* at = std::lower_bound(values.begin(), end, value);
    if (at != end && *at == value) {
        return;
    }
    if (size < kKept) {
        ++size;
    } else if (at == end) {
        return;
    }
    std::copy_backward(at, values.begin() + size - 1, values.begin() + size);
    *at = value;
}

void SmallestValues::append(const SmallestValues& later) {
    for (std::size_t i = 0; i < later.size; ++i) {
        add(later.values[i]);
    }
}

// Called for every record of every track walked, so it updates in place.
void RecordsSummary::add(const RecordHeader& record, const Bounds& bounds) {
    // A record that repeats the previous one's identity, count and length
    // changes only what depends on its place: the fast path for long runs
    // of alike records.
    const std::uint64_t key = headerKey(record);
    if (records > 0 && key == lastKey) {
        rising = false;
        if (records < kStoredOrderShown) {
            storedOrder[static_cast<std::size_t>(records)] = record.id.sectorNumber;
        }
        outsideDisk = outsideDisk || record.position < bounds.areaStart || record.end() > bounds.areaEnd;
        cutByEndOfFile = cutByEndOfFile || record.end() > bounds.fileLength;
        ++records;
        return;
    }
    lastKey = key;
    const int sectorNumber = record.id.sectorNumber;
    const int cylinder = record.id.cylinder;
    const int head = record.id.head;
    if (records == 0) {
        lowestSectorNumber = highestSectorNumber = firstSectorNumber = sectorNumber;
        lowestCylinder = highestCylinder = cylinder;
        lowestHead = highestHead = head;
        firstCount = record.count;
    } else {
        rising = rising && lastSectorNumber < sectorNumber;
        lowestSectorNumber = std::min(lowestSectorNumber, sectorNumber);
        highestSectorNumber = std::max(highestSectorNumber, sectorNumber);
        lowestCylinder = std::min(lowestCylinder, cylinder);
        highestCylinder = std::max(highestCylinder, cylinder);
        lowestHead = std::min(lowestHead, head);
        highestHead = std::max(highestHead, head);
        countsEqual = countsEqual && record.count == firstCount;
    }
    if (records < kStoredOrderShown) {
        storedOrder[static_cast<std::size_t>(records)] = record.id.sectorNumber;
    }
    lastSectorNumber = sectorNumber;
    sizeCodes.set(record.id.sizeCode);
    dataLengths.add(record.dataLength);
    lengthDisagrees = lengthDisagrees || !nominalLength(record);
    outsideDisk = outsideDisk || record.position < bounds.areaStart || record.end() > bounds.areaEnd;
    cutByEndOfFile = cutByEndOfFile || record.end() > bounds.fileLength;
    ++records;
}

void RecordsSummary::append(const RecordsSummary& later) {
    if (later.records == 0) {
        return;
    }
    if (records == 0) {
        *this = later;
        return;
    }
    for (std::int64_t i = 0; i < later.records && records + i < kStoredOrderShown; ++i) {
        storedOrder[static_cast<std::size_t>(records + i)] = later.storedOrder[static_cast<std::size_t>(i)];
    }
    rising = rising && later.rising && lastSectorNumber < later.firstSectorNumber;
    lastSectorNumber = later.lastSectorNumber;
    lowestSectorNumber = std::min(lowestSectorNumber, later.lowestSectorNumber);
    highestSectorNumber = std::max(highestSectorNumber, later.highestSectorNumber);
    sizeCodes |= later.sizeCodes;
    dataLengths.append(later.dataLengths);
    countsEqual = countsEqual && later.countsEqual && firstCount == later.firstCount;
    lengthDisagrees = lengthDisagrees || later.lengthDisagrees;
    lowestCylinder = std::min(lowestCylinder, later.lowestCylinder);
    highestCylinder = std::max(highestCylinder, later.highestCylinder);
    lowestHead = std::min(lowestHead, later.lowestHead);
    highestHead = std::max(highestHead, later.highestHead);
    outsideDisk = outsideDisk || later.outsideDisk;
    cutByEndOfFile = cutByEndOfFile || later.cutByEndOfFile;
    records += later.records;
    lastKey = later.lastKey;
}

std::vector<TrackSummary> summarizeTracks(D88Image& image) {
    const std::int64_t diskStart = image.diskFileOffset();
    const RecordsSummary::Bounds bounds{diskStart + static_cast<std::int64_t>(d88::DiskHeader::size),
                                        diskStart + image.diskSizeField(), image.currentFileLength()};
    const SweepResult<RecordsSummary> swept = image.sweepTracks<RecordsSummary>(bounds);
    std::vector<TrackSummary> tracks;
    tracks.reserve(swept.walks.size());
    for (std::size_t index = 0; index < swept.walks.size(); ++index) {
        tracks.push_back(judgeTrack(swept.walks[index], static_cast<std::int32_t>(index)));
    }
    return tracks;
}
