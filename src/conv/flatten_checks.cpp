// The checks that a disk is a plain grid of sectors, made track by track in
// track-index order; the first that fails names its track.
#include <algorithm>
#include <bitset>
#include <vector>

#include "conv/flat_layout.h"

namespace {

// The N88-BASIC 2HD layout: a first track of 26 single-density 128-byte
// sectors (N=0), the others 26 double-density 256-byte ones (N=1).
constexpr std::size_t kN88Sectors = 26;
constexpr std::uint8_t kN88FirstTrackSizeCode = 0;
constexpr std::uint8_t kN88SizeCode = 1;
constexpr std::size_t kN88FirstTrackLength = d88::kSingleDensityLength;
constexpr std::size_t kN88Length = 256;

constexpr int kSectorNumbers = 256;

// What every track is held against: the first track, or for the N88-BASIC
// layout the second.
struct Reference {
    std::size_t sectors = 0;
    std::int32_t firstSector = 0;
    std::int64_t length = 0;
};

struct TrackUnderCheck {
    int index;
    const ModelTrack& sectors;
    const Reference& reference;
    std::int64_t expectedLength;
    std::uint8_t expectedDensity;
    std::int32_t lowestSector = 0;  // set by the first check
};

std::int64_t nominalLength(std::uint8_t sizeCode) {
    return sizeCode <= d88::kLargestFittingSizeCode ? d88::sectorLength(sizeCode) : -1;
}

std::int32_t lowestSector(const ModelTrack& track) {
    std::int32_t lowest = kSectorNumbers;
    for (const ModelSector& sector : track) {
        lowest = std::min<std::int32_t>(lowest, sector.id.sectorNumber);
    }
    return lowest;
}

bool sectorNumbersFormOneRun(TrackUnderCheck& track, Refusal& refusal) {
    std::bitset<kSectorNumbers> seen;
    std::int32_t highest = 0;
    for (const ModelSector& sector : track.sectors) {
        if (seen.test(sector.id.sectorNumber)) {
            return refuseTrack(refusal, Problem::SectorNumberTwice, track.index, sector.id.sectorNumber);
        }
        seen.set(sector.id.sectorNumber);
        highest = std::max<std::int32_t>(highest, sector.id.sectorNumber);
    }
    track.lowestSector = lowestSector(track.sectors);
    const auto count = static_cast<std::int64_t>(track.sectors.size());
    if (highest - track.lowestSector + 1 != count) {
        return refuseTrack(refusal, Problem::SectorNumbersNotRun, track.index, track.lowestSector, highest, count);
    }
    return true;
}

bool sectorCountMatches(TrackUnderCheck& track, Refusal& refusal) {
    if (track.sectors.size() != track.reference.sectors) {
        return refuseTrack(refusal, Problem::SectorCountDiffers, track.index,
                           static_cast<std::int64_t>(track.sectors.size()),
                           static_cast<std::int64_t>(track.reference.sectors));
    }
    return true;
}

bool firstSectorMatches(TrackUnderCheck& track, Refusal& refusal) {
    if (track.lowestSector != track.reference.firstSector) {
        return refuseTrack(refusal, Problem::FirstSectorDiffers, track.index, track.lowestSector,
                           track.reference.firstSector);
    }
    return true;
}

bool dataLengthMatchesSizeCode(TrackUnderCheck& track, Refusal& refusal) {
    for (const ModelSector& sector : track.sectors) {
        if (static_cast<std::int64_t>(sector.dataLength) != nominalLength(sector.id.sizeCode)) {
            return refuseTrack(refusal, Problem::DataLengthNotSizeCode, track.index, sector.id.sectorNumber,
                               static_cast<std::int64_t>(sector.dataLength), sector.id.sizeCode);
        }
    }
    return true;
}

bool sectorLengthMatches(TrackUnderCheck& track, Refusal& refusal) {
    for (const ModelSector& sector : track.sectors) {
        if (static_cast<std::int64_t>(sector.dataLength) != track.expectedLength) {
            return refuseTrack(refusal, Problem::SectorLengthDiffers, track.index, sector.id.sectorNumber,
                               static_cast<std::int64_t>(sector.dataLength), track.expectedLength);
        }
    }
    return true;
}

bool densityIsPlain(TrackUnderCheck& track, Refusal& refusal) {
    for (const ModelSector& sector : track.sectors) {
        if (sector.density != track.expectedDensity) {
            return refuseTrack(refusal, Problem::DensityNotDouble, track.index, sector.id.sectorNumber, sector.density);
        }
    }
    return true;
}

bool noDeletedMark(TrackUnderCheck& track, Refusal& refusal) {
    for (const ModelSector& sector : track.sectors) {
        if (sector.deletedMark != 0) {
            return refuseTrack(refusal, Problem::DeletedMark, track.index, sector.id.sectorNumber);
        }
    }
    return true;
}

bool noErrorStatus(TrackUnderCheck& track, Refusal& refusal) {
    for (const ModelSector& sector : track.sectors) {
        if (sector.status != 0) {
            return refuseTrack(refusal, Problem::ErrorStatus, track.index, sector.id.sectorNumber, sector.status);
        }
    }
    return true;
}

bool identityMatchesTrack(TrackUnderCheck& track, Refusal& refusal) {
    for (const ModelSector& sector : track.sectors) {
        if (sector.id.cylinder != track.index / 2 || sector.id.head != track.index % 2) {
            return refuseTrack(refusal, Problem::IdentityNotTrack, track.index, sector.id.sectorNumber, sector.id.cylinder,
                               sector.id.head);
        }
    }
    return true;
}

using TrackCheck = bool (*)(TrackUnderCheck&, Refusal&);

// In the order they are made; sectorNumbersFormOneRun first, since the
// others use the lowest R it finds.
constexpr TrackCheck kTrackChecks[] = {
    sectorNumbersFormOneRun,  // a gap-free run of distinct R
    sectorCountMatches,       // as many sectors as the reference track
    firstSectorMatches,       // the same lowest R
    dataLengthMatchesSizeCode,// data length 128 << N
    sectorLengthMatches,      // the reference's sector length
    densityIsPlain,           // double density (single on the N88-BASIC first track)
    noDeletedMark,
    noErrorStatus,
    identityMatchesTrack,     // C and H of the track
};

bool isN88FirstTrack(const ModelTrack& track) {
    return track.size() == kN88Sectors && std::all_of(track.begin(), track.end(), [](const ModelSector& sector) {
               return sector.id.sizeCode == kN88FirstTrackSizeCode && sector.dataLength == kN88FirstTrackLength &&
                      sector.density == d88::kDensitySingle;
           });
}

bool isN88Track(const ModelTrack& track) {
    return track.size() == kN88Sectors && track.front().id.sizeCode == kN88SizeCode &&
           track.front().dataLength == kN88Length && track.front().density == d88::kDensityDouble;
}

// Present tracks in order; false, naming the first, when an absent track
// comes before a present one.
bool orderTracks(const DiskModel& disk, FlatLayout& layout, Refusal& refusal) {
    int lastPresent = -1;
    bool oddPresent = false;
    for (int index = 0; index < d88::kTrackTableEntries; ++index) {
        if (disk.hasTrack(index)) {
            lastPresent = index;
            oddPresent = oddPresent || index % 2 == 1;
        }
    }
    if (lastPresent < 0) {
        return refuse(refusal, Problem::NoTracks);
    }
    layout.doubleSided = oddPresent;
    const int step = oddPresent ? 1 : 2;
    for (int index = 0; index <= lastPresent; index += step) {
        if (!disk.hasTrack(index)) {
            return refuseTrack(refusal, Problem::TrackMissing, index);
        }
        layout.trackIndexes.push_back(index);
    }
    return true;
}

const ModelTrack& trackAt(const DiskModel& disk, int index) { return disk.tracks[static_cast<std::size_t>(index)]; }

}  // namespace

bool planFlatImage(const DiskModel& disk, FlatLayout& layout, Refusal& refusal) {
    layout = FlatLayout{};
    if (!orderTracks(disk, layout, refusal)) {
        return false;
    }
    const std::vector<int>& order = layout.trackIndexes;
    const bool n88FirstTrack = order.size() > 1 && order[0] == 0 && isN88FirstTrack(trackAt(disk, 0)) &&
                               isN88Track(trackAt(disk, order[1]));
    const ModelTrack& referenceTrack = trackAt(disk, order[n88FirstTrack ? 1 : 0]);
    const Reference reference{referenceTrack.size(), lowestSector(referenceTrack),
                              static_cast<std::int64_t>(referenceTrack.front().dataLength)};

    for (std::size_t position = 0; position < order.size(); ++position) {
        const bool special = n88FirstTrack && position == 0;
        TrackUnderCheck track{order[position], trackAt(disk, order[position]), reference,
                              special ? static_cast<std::int64_t>(kN88FirstTrackLength) : reference.length,
                              special ? d88::kDensitySingle : d88::kDensityDouble};
        for (const TrackCheck check : kTrackChecks) {
            if (!check(track, refusal)) {
                return false;
            }
        }
    }
    layout.sectorsPerTrack = static_cast<std::int32_t>(reference.sectors);
    layout.firstSector = reference.firstSector;
    layout.sectorLength = reference.length;
    layout.firstTrackSectorLength = n88FirstTrack ? static_cast<std::int64_t>(kN88FirstTrackLength) : reference.length;
    const auto sectors = static_cast<std::int64_t>(reference.sectors);
    layout.dataSize = sectors * layout.firstTrackSectorLength +
                      sectors * layout.sectorLength * static_cast<std::int64_t>(order.size() - 1);
    return true;
}

void writeFlatData(const DiskModel& disk, const FlatLayout& layout, ByteSink& sink) {
    std::vector<const ModelSector*> byRecord(static_cast<std::size_t>(layout.sectorsPerTrack));
    for (const int index : layout.trackIndexes) {
        for (const ModelSector& sector : trackAt(disk, index)) {
            byRecord[static_cast<std::size_t>(sector.id.sectorNumber - layout.firstSector)] = &sector;
        }
        for (const ModelSector* sector : byRecord) {
            sink.write(sector->data, sector->dataLength);
        }
    }
}
