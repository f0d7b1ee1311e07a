#include "command/sector_run_start.h"

#include <array>
#include <utility>

#include "command/image_access.h"
#include "common/messages.h"
#include "d88/d88_format.h"

namespace {

// Room for the first 64 identities of the start track.
constexpr int kListedIdentities = 64;
constexpr std::int32_t kIdentityListBytes = kListedIdentities * static_cast<std::int32_t>(d88::SectorId::size);
// Single-sided runs stop after cylinder 35.
constexpr std::int32_t kSingleSidedLastTrackIndex = 70;

struct SectorIdList {
    std::array<d88::SectorId, kListedIdentities> ids;
    int count = 0;
};

SectorRunStart startPosition(std::int32_t track, bool singleSided) {
    if (singleSided) {
        return {track * 2, track, 0, 0};
    }
    return {track, track / 2, track % 2, 0};
}

SectorIdList listSectorIds(D88Image& image, std::int32_t trackIndex) {
    std::array<std::uint8_t, kIdentityListBytes> bytes{};
    const std::int32_t stored = image.readSectorIds(trackIndex, bytes.data(), kIdentityListBytes);
    SectorIdList list;
    list.count = stored / static_cast<std::int32_t>(d88::SectorId::size);
    for (int i = 0; i < list.count; ++i) {
        const std::uint8_t* id = bytes.data() + static_cast<std::size_t>(i) * d88::SectorId::size;
        list.ids[static_cast<std::size_t>(i)] = {id[0], id[1], id[2], id[3]};
    }
    return list;
}

// Exchange sort by sector number: k - 1 passes over adjacent pairs, swapping
// only when the first is greater, so equal numbers keep their stored order.
void sortBySectorNumber(SectorIdList& list) {
    for (int pass = 0; pass + 1 < list.count; ++pass) {
        for (int i = 0; i + 1 < list.count; ++i) {
            d88::SectorId& first = list.ids[static_cast<std::size_t>(i)];
            d88::SectorId& second = list.ids[static_cast<std::size_t>(i) + 1];
            if (first.sectorNumber > second.sectorNumber) {
                std::swap(first, second);
            }
        }
    }
}

// The identity at position sectorNumber - lowest of the sorted list; when
// gaps in the numbering put that position past the list, the first identity
// whose sector number is at least the requested one.
std::int32_t startSizeCode(const SectorIdList& list, std::int32_t sectorNumber, std::int32_t lowest) {
    const std::int32_t position = sectorNumber - lowest;
    if (position < list.count) {
        return list.ids[static_cast<std::size_t>(position)].sizeCode;
    }
    // The highest number is at least `sectorNumber`, so the walk stops at a match.
    std::size_t i = 0;
    while (i + 1 < static_cast<std::size_t>(list.count) && list.ids[i].sectorNumber < sectorNumber) {
        ++i;
    }
    return list.ids[i].sizeCode;
}

// A switch without a default, so that the compiler reports a refusal that
// has no message.
Message messageFor(SectorRunRefusal refusal) {
    switch (refusal) {
        case SectorRunRefusal::NoSuchDisk:
            return Message::NoSuchDisk;
        case SectorRunRefusal::TrackOutOfRange:
            return Message::TrackOutOfRange;
        case SectorRunRefusal::TrackNotFormatted:
            return Message::TrackNotFormatted;
        case SectorRunRefusal::SectorNotFound:
            return Message::SectorNotFound;
        case SectorRunRefusal::None:
            break;  // not a refusal; never asked for
    }
    return Message::SectorNotFound;
}

// The banner follows the disk and track checks, before the start track is
// read.
bool passedTrackChecks(SectorRunRefusal refusal) {
    return refusal != SectorRunRefusal::NoSuchDisk && refusal != SectorRunRefusal::TrackOutOfRange;
}

}  // namespace

SectorRunRefusal checkSectorRun(D88Image& image, const SectorRunRequest& request, SectorRunStart& start) {
    if (request.diskNumber < 0 || request.diskNumber >= image.diskCount()) {
        return SectorRunRefusal::NoSuchDisk;
    }
    image.selectDisk(request.diskNumber);
    image.setDoubleSided(!request.singleSided);
    if (request.track < 0 || request.track > d88::kLastTrackIndex) {
        return SectorRunRefusal::TrackOutOfRange;
    }
    start = startPosition(request.track, request.singleSided);
    if (request.singleSided) {
        image.setLastTrack(kSingleSidedLastTrackIndex);
    }
    SectorIdList list = listSectorIds(image, start.trackIndex);
    if (list.count == 0) {
        return SectorRunRefusal::TrackNotFormatted;
    }
    sortBySectorNumber(list);
    const std::int32_t lowest = list.ids[0].sectorNumber;
    const std::int32_t highest = list.ids[static_cast<std::size_t>(list.count) - 1].sectorNumber;
    if (request.sectorNumber < lowest || request.sectorNumber > highest) {
        return SectorRunRefusal::SectorNotFound;
    }
    start.sizeCode = startSizeCode(list, request.sectorNumber, lowest);
    image.setSectorRange(lowest, highest);
    return SectorRunRefusal::None;
}

bool startSectorRun(D88Image& image, const SectorRunRequest& request, std::FILE* bannerStream,
                    SectorRunStart& start) {
    const SectorRunRefusal refusal = checkSectorRun(image, request, start);
    if (request.singleSided && passedTrackChecks(refusal)) {
        printMessage<Message::SingleSidedBanner>(bannerStream);
    }
    if (refusal != SectorRunRefusal::None) {
        // What a failed read left unread is no refusal of the user's request.
        if (imageReadOrReport(image)) {
            printMessage(stderr, messageFor(refusal));
        }
        return false;
    }
    return true;
}
