#include "peek/track_summary.h"

#include <algorithm>

namespace {

bool nominalLength(const WalkedRecord& record) {
    return record.id.sizeCode <= d88::kLargestFittingSizeCode &&
           record.dataLength == d88::sectorLength(record.id.sizeCode);
}

}  // namespace

TrackSummary summarizeTrack(D88Image& image, std::int32_t trackIndex) {
    const int cylinder = trackIndex / 2;
    const int head = trackIndex % 2;
    TrackSummary summary;
    TrackWalk walk = image.walkTrack(trackIndex);
    WalkedRecord record;
    int previousSectorNumber = -1;
    std::int32_t firstCount = 0;
    bool countsEqual = true;
    while (walk.next(record)) {
        const int number = record.id.sectorNumber;
        if (summary.records == 0) {
            summary.lowestSectorNumber = number;
            summary.highestSectorNumber = number;
            firstCount = record.count;
        }
        summary.lowestSectorNumber = std::min(summary.lowestSectorNumber, number);
        summary.highestSectorNumber = std::max(summary.highestSectorNumber, number);
        summary.outOfOrder = summary.outOfOrder || number <= previousSectorNumber;
        previousSectorNumber = number;
        countsEqual = countsEqual && record.count == firstCount;
        summary.sizeCodes.set(record.id.sizeCode);
        summary.dataLengths.set(static_cast<std::size_t>(record.dataLength));
        summary.lengthDisagrees = summary.lengthDisagrees || !nominalLength(record);
        summary.cylinderDiffers = summary.cylinderDiffers || record.id.cylinder != cylinder;
        summary.headDiffers = summary.headDiffers || record.id.head != head;
        summary.outsideDisk = summary.outsideDisk || record.outsideDisk;
        summary.cutByEndOfFile = summary.cutByEndOfFile || record.cutByEndOfFile;
        if (summary.records < TrackSummary::kStoredOrderShown) {
            summary.storedOrder[static_cast<std::size_t>(summary.records)] = record.id.sectorNumber;
        }
        ++summary.records;
    }
    // In a sound track every record carries the number of records listed.
    summary.countDisagrees = summary.records > 0 && !(countsEqual && firstCount == summary.records);
    summary.cutByEndOfFile = summary.cutByEndOfFile || walk.end() == TrackWalkEnd::EndOfFile;
    summary.recordLimit = walk.end() == TrackWalkEnd::RecordLimit;
    return summary;
}
