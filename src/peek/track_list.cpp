#include "peek/track_list.h"

#include <algorithm>
#include <bitset>
#include <string>

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

std::string storedOrder(const TrackSummary& summary) {
    std::string list;
    const int shown = std::min(summary.records, static_cast<std::int32_t>(TrackSummary::kStoredOrderShown));
    for (int i = 0; i < shown; ++i) {
        appendToList(list, summary.storedOrder[static_cast<std::size_t>(i)]);
    }
    if (summary.records > shown) {
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
    {&TrackSummary::recordLimit, "limit"},
};

std::string marks(const TrackSummary& summary) {
    std::string words;
    if (summary.outOfOrder) {
        appendWord(words, "order:" + storedOrder(summary));
    }
    for (const MarkRule& rule : kMarkRules) {
        if (summary.*rule.oddity) {
            appendWord(words, rule.mark);
        }
    }
    return words;
}

std::string sectorNumberColumn(const TrackSummary& summary, int number) {
    return summary.records > 0 ? std::to_string(number) : kNoValue;
}

void printTrackLine(D88Image& image, std::int32_t trackIndex) {
    const TrackSummary summary = summarizeTrack(image, trackIndex);
    writeListingLine(trackLine(trackIndex, std::to_string(summary.records).c_str(),
                               sectorNumberColumn(summary, summary.lowestSectorNumber).c_str(),
                               sectorNumberColumn(summary, summary.highestSectorNumber).c_str(),
                               valuesFound(summary.sizeCodes).c_str(), valuesFound(summary.dataLengths).c_str(),
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
    for (std::int32_t index = 0; index < d88::kTrackTableEntries; ++index) {
        if (image.hasTrack(index)) {
            printTrackLine(image, index);
        } else if (image.trackEntry(index) != 0) {
            printUnusableEntryLine(index);
        }
    }
}
