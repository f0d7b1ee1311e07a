// Runs of consecutive sectors, in the order a drive reaches them: sector after
// sector on a track, then the next track, head and cylinder.
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "image/d88_image.h"

namespace {

// Stepping is done wide, so that no starting value can overflow; a value
// outside the 32-bit range matches nothing, and neither does -1.
struct RunPosition {
    std::int64_t trackIndex;
    std::int64_t cylinder;
    std::int64_t head;
    std::int64_t sectorNumber;
};

std::int32_t narrow(std::int64_t value) {
    const bool fits = value >= std::numeric_limits<std::int32_t>::min() &&
                      value <= std::numeric_limits<std::int32_t>::max();
    return fits ? static_cast<std::int32_t>(value) : -1;
}

// 128 << N, or the bytes still to move if they are fewer. A size code whose
// nominal length does not fit a positive signed 32-bit number (or a negative
// one, which no sector carries) takes all the bytes still to move.
std::int32_t transferSize(std::int32_t sizeCode, std::int32_t remaining) {
    if (sizeCode < 0 || sizeCode > d88::kLargestFittingSizeCode) {
        return remaining;
    }
    return std::min(d88::sectorLength(sizeCode), remaining);
}

// Moves to the next track: the other head, then the next cylinder; or the
// next cylinder alone on single-sided media.
void stepToNextTrack(RunPosition& position, bool doubleSided) {
    if (doubleSided) {
        ++position.trackIndex;
        if (position.head == 0) {
            position.head = 1;
        } else {
            position.head = 0;
            ++position.cylinder;
        }
    } else {
        position.trackIndex += 2;
        ++position.cylinder;
    }
}

// Moves to the next sector position; returns whether the run left the track.
bool stepToNextSector(RunPosition& position, std::int32_t firstSector, std::int32_t lastSector, bool doubleSided) {
    if (position.sectorNumber != lastSector) {
        ++position.sectorNumber;
        return false;
    }
    stepToNextTrack(position, doubleSided);
    position.sectorNumber = firstSector;
    return true;
}

bool fitsIdentityByte(std::int64_t value) { return value >= 0 && value <= std::numeric_limits<std::uint8_t>::max(); }

// A sector number above both the last sector and every storable one never
// leaves its track and never matches again.
bool stuckOnTrack(const RunPosition& position, std::int32_t lastSector) {
    return position.sectorNumber > lastSector && position.sectorNumber > std::numeric_limits<std::uint8_t>::max();
}

}  // namespace

// The track indexes a run can reach are known before it starts: those its
// stepping visits from the start track up to the last index (the start track
// itself even above it). Their searches are then answered by one sweep.
void D88Image::planRun(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sizeCode,
                       std::int64_t lastIndex) {
    runPlan.clear();
    runSizeCode = sizeCode;
    runWalkedRecords = 0;
    search.clear();
    // A run that starts outside the table plans nothing; its searches are
    // then answered track by track.
    if (trackIndex < 0) {
        return;
    }
    RunPosition position{trackIndex, cylinder, head, 0};
    for (bool first = true; position.trackIndex <= d88::kLastTrackIndex && (first || position.trackIndex <= lastIndex);
         first = false) {
        const std::int64_t start = trackStart(narrow(position.trackIndex));
        if (start >= 0 && fitsIdentityByte(position.cylinder) && fitsIdentityByte(position.head)) {
            runPlan.push_back({narrow(position.trackIndex), start, static_cast<std::uint8_t>(position.cylinder),
                               static_cast<std::uint8_t>(position.head)});
        }
        stepToNextTrack(position, doubleSided);
    }
}

template <class Move>
std::int32_t D88Image::runInPasteOrder(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                       std::int32_t sectorNumber, std::int32_t sizeCode, std::int32_t length,
                                       Move move) {
    RunPosition position{trackIndex, cylinder, head, sectorNumber};
    // Beyond the track table nothing can be written, so a run stops there too.
    const std::int64_t lastWritableTrack = std::min(lastTrackIndex, d88::kLastTrackIndex);
    planRun(trackIndex, cylinder, head, sizeCode, lastWritableTrack);
    std::int32_t total = 0;
    while (total < length) {
        const std::int32_t limit = transferSize(sizeCode, length - total);
        const std::int32_t moved = move(narrow(position.trackIndex), narrow(position.cylinder),
                                        narrow(position.head), narrow(position.sectorNumber), total, limit);
        if (moved < 0) {
            break;
        }
        total += moved;
        if (total >= length) {
            break;
        }
        const bool leftTrack = stepToNextSector(position, firstSector, lastSector, doubleSided);
        if (leftTrack ? position.trackIndex > lastWritableTrack : stuckOnTrack(position, lastSector)) {
            break;
        }
    }
    return total;
}

std::int32_t D88Image::writeSectors(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                    std::int32_t sectorNumber, std::int32_t sizeCode, const std::uint8_t* source,
                                    std::int32_t length) {
    return runInPasteOrder(trackIndex, cylinder, head, sectorNumber, sizeCode, length,
                           [&](std::int32_t index, std::int32_t c, std::int32_t h, std::int32_t r, std::int32_t offset,
                               std::int32_t limit) { return writeSector(index, c, h, r, sizeCode, source + offset, limit); });
}

// Each share is the one writeSector would write (pasteShare).
std::int32_t D88Image::readSectorsAsPasted(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                           std::int32_t sectorNumber, std::int32_t sizeCode, const SectorSink& sink,
                                           std::int32_t length) {
    std::array<std::uint8_t, std::numeric_limits<std::uint16_t>::max()> sector;
    return runInPasteOrder(
        trackIndex, cylinder, head, sectorNumber, sizeCode, length,
        [&](std::int32_t index, std::int32_t c, std::int32_t h, std::int32_t r, std::int32_t, std::int32_t limit) {
            const RecordData share = pasteShare(index, c, h, r, sizeCode, limit);
            if (share.length == 0) {
                return 0;
            }
            const auto size = static_cast<std::size_t>(share.length);
            if (window.read(share.position, sector.data(), size) != size || !sink(sector.data(), share.length)) {
                return -1;
            }
            return share.length;
        });
}

std::int32_t D88Image::readSectors(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                   std::int32_t sectorNumber, std::int32_t sizeCode, std::uint8_t* destination,
                                   std::int32_t length) {
    std::int32_t total = 0;
    const SectorSink copy = [destination, &total](const std::uint8_t* bytes, std::int32_t count) {
        std::memcpy(destination + total, bytes, static_cast<std::size_t>(count));
        total += count;
        return true;
    };
    return readSectors(trackIndex, cylinder, head, sectorNumber, sizeCode, copy, length);
}

std::int32_t D88Image::readSectors(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                   std::int32_t sectorNumber, std::int32_t sizeCode, const SectorSink& sink,
                                   std::int32_t length) {
    // No record holds more data than its 16-bit length field names, so a
    // larger share is never read whole.
    std::array<std::uint8_t, std::numeric_limits<std::uint16_t>::max()> sector;
    RunPosition position{trackIndex, cylinder, head, sectorNumber};
    planRun(trackIndex, cylinder, head, sizeCode, d88::kLastTrackIndex);
    std::int32_t total = 0;
    while (total < length) {
        const std::int32_t size = transferSize(sizeCode, length - total);
        if (size > static_cast<std::int32_t>(sector.size())) {
            break;
        }
        const std::int32_t got = readSector(narrow(position.trackIndex), narrow(position.cylinder),
                                            narrow(position.head), narrow(position.sectorNumber), sizeCode,
                                            sector.data(), size);
        if (got < size || !sink(sector.data(), size)) {
            break;
        }
        total += size;
        stepToNextSector(position, firstSector, lastSector, doubleSided);
    }
    return total;
}
