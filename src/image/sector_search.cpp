#include "image/sector_search.h"

#include <algorithm>
#include <bitset>
#include <cstdint>

#include "d88/d88_format.h"
#include "image/track_sweep.h"

namespace {

constexpr std::uint32_t kSectorNumbers = 256;
constexpr std::size_t kFamilySlots = 256 * 256;
// A run reaches at most the 164 track indexes, so families fit a byte.
constexpr std::uint8_t kNoFamily = 0xFF;
static_assert(d88::kTrackTableEntries < kNoFamily, "a family number must fit a byte");

std::size_t familySlot(std::uint8_t cylinder, std::uint8_t head) {
    return static_cast<std::size_t>(cylinder) << 8 | head;
}

struct SearchContext {
    const std::uint8_t* familyOf;
    std::uint8_t sizeCode;
};

// The first record of each (family, R) a walk passes. A walk meets few
// families (usually one: its own track's C and H), so each family it meets
// gets its own 256-bit set of the sector numbers seen, found through the
// family last used.
struct FirstRecords {
    using Entry = SectorSearch::Found;
    struct FamilySeen {
        std::uint32_t family;
        std::bitset<kSectorNumbers> sectorNumbers;
    };
    std::vector<Entry> entries;
    std::vector<FamilySeen> seen;
    std::size_t lastFamily = 0;  // index into seen
    std::uint32_t lastIdentity = 0;  // C, H, R, N of the last record added

    std::bitset<kSectorNumbers>& seenOf(std::uint32_t family) {
        if (lastFamily < seen.size() && seen[lastFamily].family == family) {
            return seen[lastFamily].sectorNumbers;
        }
        for (lastFamily = 0; lastFamily < seen.size(); ++lastFamily) {
            if (seen[lastFamily].family == family) {
                return seen[lastFamily].sectorNumbers;
            }
        }
        seen.push_back({family, {}});
        return seen.back().sectorNumbers;
    }

    void keep(std::uint32_t key, std::int64_t position, std::int32_t length) {
        std::bitset<kSectorNumbers>& numbers = seenOf(key / kSectorNumbers);
        const std::size_t sectorNumber = key % kSectorNumbers;
        if (!numbers.test(sectorNumber)) {
            numbers.set(sectorNumber);
            entries.push_back({position, length, key});
        }
    }

    void add(const RecordHeader& record, const SearchContext& context) {
        // A record with the previous one's identity cannot be a first.
        const std::uint32_t identity = static_cast<std::uint32_t>(record.id.cylinder) << 24 |
                                       static_cast<std::uint32_t>(record.id.head) << 16 |
                                       static_cast<std::uint32_t>(record.id.sectorNumber) << 8 | record.id.sizeCode;
        if (identity == lastIdentity && !entries.empty()) {
            return;
        }
        lastIdentity = identity;
        if (record.id.sizeCode != context.sizeCode) {
            return;
        }
        const std::uint8_t family = context.familyOf[familySlot(record.id.cylinder, record.id.head)];
        if (family == kNoFamily) {
            return;
        }
        keep(static_cast<std::uint32_t>(family) * kSectorNumbers + record.id.sectorNumber, record.dataPosition(),
             record.dataLength);
    }

    void append(const FirstRecords& later) {
        for (const Entry& entry : later.entries) {
            keep(entry.key, entry.position, entry.length);
        }
    }
};

}  // namespace

void SectorSearch::clear() {
    prepared_ = false;
    stale_ = false;
    lastTrack_ = -1;
    tracks_.clear();
    walks_.clear();
    exposedHeaders_.clear();
    recordsWalked_ = 0;
}

const SectorSearch::TrackAnswers* SectorSearch::answersFor(std::int32_t trackIndex) const {
    const auto at = std::lower_bound(tracks_.begin(), tracks_.end(), trackIndex,
                                     [](const TrackAnswers& track, std::int32_t index) { return track.trackIndex < index; });
    return at != tracks_.end() && at->trackIndex == trackIndex ? &*at : nullptr;
}

bool SectorSearch::answers(std::int32_t trackIndex, std::uint8_t cylinder, std::uint8_t head,
                           std::uint8_t sizeCode) const {
    if (!prepared_ || sizeCode != sizeCode_ || (stale_ && trackIndex != lastTrack_)) {
        return false;
    }
    const TrackAnswers* track = answersFor(trackIndex);
    return track != nullptr && track->cylinder == cylinder && track->head == head;
}

bool SectorSearch::prepare(ImageWindow& window, const std::vector<PlannedTrack>& plan, std::uint8_t sizeCode,
                           std::int64_t budget) {
    clear();
    sizeCode_ = sizeCode;
    familyOf_.assign(kFamilySlots, kNoFamily);
    std::uint8_t families = 0;
    std::vector<std::int64_t> starts;
    for (const PlannedTrack& planned : plan) {
        std::uint8_t& family = familyOf_[familySlot(planned.cylinder, planned.head)];
        if (family == kNoFamily) {
            family = families++;
        }
        // Tracks that share a first record share a walk.
        const auto known = std::find(starts.begin(), starts.end(), planned.start);
        const auto walk = static_cast<std::size_t>(known - starts.begin());
        if (known == starts.end()) {
            starts.push_back(planned.start);
        }
        tracks_.push_back({planned.trackIndex, static_cast<std::uint32_t>(family), planned.cylinder, planned.head, walk});
    }
    std::sort(tracks_.begin(), tracks_.end(),
              [](const TrackAnswers& a, const TrackAnswers& b) { return a.trackIndex < b.trackIndex; });

    const SearchContext context{familyOf_.data(), sizeCode};
    SweepResult<FirstRecords> swept = TrackSweep<FirstRecords, SearchContext>::run(window, starts, context, budget);
    if (swept.exhausted) {
        clear();
        return false;
    }
    walks_.resize(swept.walks.size());
    for (std::size_t walk = 0; walk < swept.walks.size(); ++walk) {
        recordsWalked_ += swept.walks[walk].records;
        std::vector<Found>& found = walks_[walk];
        found = std::move(swept.walks[walk].summary.entries);
        std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.key < b.key; });
    }
    exposedHeaders_ = std::move(swept.exposedHeaders);
    std::sort(exposedHeaders_.begin(), exposedHeaders_.end());
    prepared_ = true;
    return true;
}

const RecordData* SectorSearch::find(std::int32_t trackIndex, std::uint8_t sectorNumber) {
    const TrackAnswers* track = answersFor(trackIndex);
    if (track == nullptr) {
        return nullptr;
    }
    lastTrack_ = trackIndex;
    const std::vector<Found>& found = walks_[track->walk];
    const std::uint32_t key = track->family * kSectorNumbers + sectorNumber;
    const auto at = std::lower_bound(found.begin(), found.end(), key,
                                     [](const Found& entry, std::uint32_t wanted) { return entry.key < wanted; });
    if (at == found.end() || at->key != key) {
        return nullptr;
    }
    result_ = {at->position, at->length};
    return &result_;
}

void SectorSearch::noteWrite(std::int64_t position, std::int64_t length, bool grewFile) {
    // A header is touched when it starts before the write's end and ends
    // after its start.
    const std::int64_t headerSize = static_cast<std::int64_t>(d88::SectorRecord::headerSize);
    const auto first = std::lower_bound(exposedHeaders_.begin(), exposedHeaders_.end(), position - headerSize + 1);
    const bool touchesHeader = first != exposedHeaders_.end() && *first < position + length;
    stale_ = stale_ || grewFile || touchesHeader;
}
