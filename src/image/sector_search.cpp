#include "image/sector_search.h"

#include <algorithm>
#include <cstdint>

#include "d88/d88_format.h"
#include "image/track_sweep.h"

namespace {

constexpr std::uint32_t kSectorNumbers = 256;
constexpr std::size_t kFamilySlots = 256 * 256;

std::size_t familySlot(std::uint8_t cylinder, std::uint8_t head) {
    return static_cast<std::size_t>(cylinder) << 8 | head;
}

struct SearchContext {
    const std::int16_t* familyOf;
    std::uint8_t sizeCode;
    std::size_t keys;
};

// The first record of each (family, R) a walk passes. Most walks meet few
// distinct identities, so they are looked up in the list itself until it
// grows long enough for a table of every key to pay.
struct FirstRecords {
    static constexpr std::size_t kListedBeforeTable = 32;

    struct Entry {
        std::uint32_t key;
        std::int64_t position;
        std::int32_t length;
    };
    std::vector<Entry> entries;
    std::vector<std::uint8_t> seen;  // one byte per key, once the list is long
    std::size_t keys = 0;
    std::uint32_t lastKey = UINT32_MAX;

    bool known(std::uint32_t key) const {
        if (!seen.empty()) {
            return seen[key] != 0;
        }
        return std::any_of(entries.begin(), entries.end(), [key](const Entry& entry) { return entry.key == key; });
    }

    void keep(std::uint32_t key, std::int64_t position, std::int32_t length) {
        if (key == lastKey || known(key)) {
            lastKey = key;
            return;
        }
        lastKey = key;
        entries.push_back({key, position, length});
        if (!seen.empty()) {
            seen[key] = 1;
        } else if (entries.size() > kListedBeforeTable) {
            seen.assign(keys, 0);
            for (const Entry& entry : entries) {
                seen[entry.key] = 1;
            }
        }
    }

    void add(const RecordHeader& record, const SearchContext& context) {
        if (record.id.sizeCode != context.sizeCode) {
            return;
        }
        const std::int16_t family = context.familyOf[familySlot(record.id.cylinder, record.id.head)];
        if (family < 0) {
            return;
        }
        keys = context.keys;
        keep(static_cast<std::uint32_t>(family) * kSectorNumbers + record.id.sectorNumber, record.dataPosition(),
             record.dataLength);
    }

    void append(const FirstRecords& later) {
        if (later.entries.empty()) {
            return;
        }
        keys = later.keys;
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

void SectorSearch::prepare(ImageWindow& window, const std::vector<PlannedTrack>& plan, std::uint8_t sizeCode) {
    clear();
    sizeCode_ = sizeCode;
    familyOf_.assign(kFamilySlots, -1);
    std::int16_t families = 0;
    std::vector<std::int64_t> starts;
    for (const PlannedTrack& planned : plan) {
        std::int16_t& family = familyOf_[familySlot(planned.cylinder, planned.head)];
        if (family < 0) {
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

    const SearchContext context{familyOf_.data(), sizeCode,
                                static_cast<std::size_t>(families) * kSectorNumbers};
    SweepResult<FirstRecords> swept = TrackSweep<FirstRecords, SearchContext>::run(window, starts, context);
    walks_.resize(swept.walks.size());
    for (std::size_t walk = 0; walk < swept.walks.size(); ++walk) {
        std::vector<Found>& found = walks_[walk];
        for (const FirstRecords::Entry& entry : swept.walks[walk].summary.entries) {
            found.push_back({entry.key, {entry.position, entry.length}});
        }
        std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.key < b.key; });
    }
    exposedHeaders_ = std::move(swept.exposedHeaders);
    std::sort(exposedHeaders_.begin(), exposedHeaders_.end());
    prepared_ = true;
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
    return at != found.end() && at->key == key ? &at->data : nullptr;
}

void SectorSearch::noteWrite(std::int64_t position, std::int64_t length, bool grewFile) {
    // A header is touched when it starts before the write's end and ends
    // after its start.
    const std::int64_t headerSize = static_cast<std::int64_t>(d88::SectorRecord::headerSize);
    const auto first = std::lower_bound(exposedHeaders_.begin(), exposedHeaders_.end(), position - headerSize + 1);
    const bool touchesHeader = first != exposedHeaders_.end() && *first < position + length;
    stale_ = stale_ || grewFile || touchesHeader;
}
