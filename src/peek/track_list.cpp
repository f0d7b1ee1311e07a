#include "peek/track_list.h"

#include <algorithm>
#include <bitset>
#include <string>
#include <vector>

#include "d88/d88_format.h"
#include "peek/disk_list.h"
#include "peek/listing_text.h"
#include "peek/track_summary.h"

namespace {

// The size codes and data lengths found are shown up to this many each.
constexpr int kValuesShown = 8;

constexpr const char* kHeading = "track  cyl  head  records  lowR  highR  N      length       marks\n";
constexpr const char* kNoValue = "-";
constexpr const char* kRangeMark = "range";

// One track's line: index, cylinder, head, then the texts of the other columns.
std::string trackLine(std::int32_t trackIndex, const char* records, const char* lowest, const char* highest,
                      const char* sizeCodes, const char* lengths, const char* marks) {
    return formatListing("%5d  %3d  %4d  %7s  %4s  %5s  %-5s  %-11s  %s\n", trackIndex, trackIndex / 2,
                         trackIndex % 2, records, lowest, highest, sizeCodes, lengths, marks);
}

template <std::size_t Bits>
std::string valuesFound(const std::bitset<Bits>& found) {
    std::string list;
    int shown = 0;
    for (std::size_t value = 0; value < Bits; ++value) {
        if (!found.test(value)) {
            continue;
        }
        if (shown == kValuesShown) {
            endCutList(list);
            break;
        }
        appendToList(list, static_cast<int>(value));
        ++shown;
    }
    return list.empty() ? kNoValue : list;
}

std::string dataLengthsFound(const SmallestValues& found) {
    std::string list;
    for (std::size_t i = 0; i < found.size; ++i) {
        if (static_cast<int>(i) == kValuesShown) {
            endCutList(list);
            break;
        }
        appendToList(list, found.values[i]);
    }
    return list.empty() ? kNoValue : list;
}

std::string storedOrder(const RecordsSummary& walked) {
    std::string list;
    const std::int64_t shown = std::min<std::int64_t>(walked.records, RecordsSummary::kStoredOrderShown);
    for (std::int64_t i = 0; i < shown; ++i) {
        appendToList(list, walked.storedOrder[static_cast<std::size_t>(i)]);
    }
    if (walked.records > shown) {
        endCutList(list);
    }
    return list;
}

struct MarkRule {
    bool TrackSummary::*oddity;
    const char* mark;
};

// In the order the marks are printed; the stored order comes first.
constexpr MarkRule kMarkRules[] = {
    {&TrackSummary::countDisagrees, "count"},
    {&TrackSummary::lengthDisagrees, "length"},
    {&TrackSummary::cylinderDiffers, "cyl"},
    {&TrackSummary::headDiffers, "head"},
    {&TrackSummary::outsideDisk, "outside"},
    {&TrackSummary::cutByEndOfFile, "eof"},
};

std::string marks(const TrackSummary& summary) {
    std::string words;
    if (summary.outOfOrder) {
        appendWord(words, "order:" + storedOrder(summary.walked));
    }
    for (const MarkRule& rule : kMarkRules) {
        if (summary.*rule.oddity) {
            appendWord(words, rule.mark);
        }
    }
    return words;
}

std::string sectorNumberColumn(const RecordsSummary& walked, int number) {
    return walked.records > 0 ? std::to_string(number) : kNoValue;
}

void printTrackLine(const TrackSummary& summary, std::int32_t trackIndex) {
    const RecordsSummary& walked = summary.walked;
    writeListingLine(trackLine(trackIndex, std::to_string(walked.records).c_str(),
                               sectorNumberColumn(walked, walked.lowestSectorNumber).c_str(),
                               sectorNumberColumn(walked, walked.highestSectorNumber).c_str(),
                               valuesFound(walked.sizeCodes).c_str(), dataLengthsFound(walked.dataLengths).c_str(),
                               marks(summary).c_str()));
}

// An entry that is not 0 but names no readable track: nothing is read.
void printUnusableEntryLine(std::int32_t trackIndex) {
    writeListingLine(trackLine(trackIndex, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue, kRangeMark));
}

}  // namespace

void printTrackList(D88Image& image, std::int32_t diskNumber) {
    image.selectDisk(diskNumber);
    printDiskHeading();
    printDiskLine(image, diskNumber);
    writeListingLine(kHeading);
    const std::vector<TrackSummary> tracks = summarizeTracks(image);
    for (std::int32_t index = 0; index < d88::kTrackTableEntries; ++index) {
        if (image.hasTrack(index)) {
            printTrackLine(tracks[static_cast<std::size_t>(index)], index);
        } else if (image.trackEntry(index) != 0) {
            printUnusableEntryLine(index);
        }
    }
}
