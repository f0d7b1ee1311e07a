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
    {&TrackSummary::recordLimit, Message::MarkRecordLimit},
};

std::string marks(const TrackSummary& summary) {
    std::string words;
    if (summary.outOfOrder) {
        appendWord(words, formatMessage(Message::MarkOrder, storedOrder(summary).c_str()));
    }
    for (const MarkRule& rule : kMarkRules) {
        if (summary.*rule.oddity) {
            appendWord(words, messageText(rule.mark));
        }
    }
    return words;
}

std::string recordNumber(const TrackSummary& summary, int number) {
    return summary.records > 0 ? std::to_string(number) : messageText(Message::NoValue);
}

void printTrackLine(D88Image& image, std::int32_t trackIndex) {
    const TrackSummary summary = summarizeTrack(image, trackIndex);
    writeListingLine(formatMessage(Message::TrackListLine, trackIndex, trackIndex / 2, trackIndex % 2,
                                   std::to_string(summary.records).c_str(),
                                   recordNumber(summary, summary.lowestRecord).c_str(),
                                   recordNumber(summary, summary.highestRecord).c_str(),
                                   valuesFound(summary.sizeCodes).c_str(), valuesFound(summary.dataLengths).c_str(),
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
    for (std::int32_t index = 0; index < d88::kTrackTableEntries; ++index) {
        if (image.hasTrack(index)) {
            printTrackLine(image, index);
        } else if (image.trackEntry(index) != 0) {
            printUnusableEntryLine(index);
        }
    }
}
