#include "peek/track_list.h"

#include <algorithm>
#include <bitset>
#include <string>

#include "common/messages.h"
#include "d88/d88_format.h"
#include "peek/disk_list.h"
#include "peek/listing_text.h"
#include "peek/track_summary.h"

namespace {

// The size codes and data lengths found are shown up to this many each.
constexpr int kValuesShown = 8;

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
    return list.empty() ? messageText(Message::NoValue) : list;
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
    Message mark;
};

// In the order the marks are printed; the stored order comes first.
constexpr MarkRule kMarkRules[] = {
    {&TrackSummary::countDisagrees, Message::MarkCount},
    {&TrackSummary::lengthDisagrees, Message::MarkLength},
    {&TrackSummary::cylinderDiffers, Message::MarkCylinder},
    {&TrackSummary::headDiffers, Message::MarkHead},
    {&TrackSummary::outsideDisk, Message::MarkOutsideDisk},
    {&TrackSummary::cutByEndOfFile, Message::MarkEndOfFile},
};

std::string marks(const TrackSummary& summary) {
    std::string words;
    if (summary.outOfOrder) {
        appendWord(words, formatMessage(Message::MarkOrder, storedOrder(summary.walked).c_str()));
    }
    for (const MarkRule& rule : kMarkRules) {
        if (summary.*rule.oddity) {
            appendWord(words, messageText(rule.mark));
        }
    }
    return words;
}

std::string sectorNumber(const RecordsSummary& walked, int number) {
    return walked.records > 0 ? std::to_string(number) : messageText(Message::NoValue);
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
    return list.empty() ? messageText(Message::NoValue) : list;
}

void printTrackLine(const TrackSummary& summary, std::int32_t trackIndex) {
    const RecordsSummary& walked = summary.walked;
    writeListingLine(formatMessage(Message::TrackListLine, trackIndex, trackIndex / 2, trackIndex % 2,
                                   std::to_string(walked.records).c_str(),
                                   sectorNumber(walked, walked.lowestSector).c_str(),
                                   sectorNumber(walked, walked.highestSector).c_str(),
                                   valuesFound(walked.sizeCodes).c_str(), dataLengthsFound(walked.dataLengths).c_str(),
                                   marks(summary).c_str()));
}

// An entry that is not 0 but names no readable track: nothing is read.
void printUnusableEntryLine(std::int32_t trackIndex) {
    const char* none = messageText(Message::NoValue);
    writeListingLine(formatMessage(Message::TrackListLine, trackIndex, trackIndex / 2, trackIndex % 2, none, none,
                                   none, none, none, messageText(Message::MarkRange)));
}

}  // namespace

void printTrackList(D88Image& image, std::int32_t diskNumber) {
    printDiskHeading();
    printDiskLine(image, diskNumber);
    writeListingLine(formatMessage(Message::TrackListHeading));
    const std::vector<TrackSummary> tracks = summarizeTracks(image);
    for (std::int32_t index = 0; index < d88::kTrackTableEntries; ++index) {
        if (image.hasTrack(index)) {
            printTrackLine(tracks[static_cast<std::size_t>(index)], index);
        } else if (image.trackEntry(index) != 0) {
            printUnusableEntryLine(index);
        }
    }
}
