// The answers to the sector searches of a run, found in one sweep over the
// tracks the run can reach instead of one walk per search.
//
// A search for C, H, R, N on a track walks the track's records under the
// stop rules of track_sweep.h and finds the first record holding that
// identity. Those stop rules do not depend on the identity sought, so one
// walk per track answers every search on it; and a run knows beforehand the
// track indexes it can reach, the C and H it searches on each and its size
// code, so one sweep answers the whole run.
//
// The answers stay exact while the file changes under them: a write into a
// record found on a track lies between two of that track's own headers, so
// it never changes what that track's walk reads. It can change what another
// walk reads only where a header lies inside another record's data (the
// sweep lists those), or where the write lengthens the file; either marks
// the answers stale, and they are found afresh when the run moves to another
// track.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "image/image_window.h"

// Where one record's data lies in the file.
struct RecordData {
    std::int64_t position = 0;
    std::int32_t length = 0;
};

// A track a run can reach: its index, the file position of its first
// record, and the cylinder and head its searches ask for.
struct PlannedTrack {
    std::int32_t trackIndex = 0;
    std::int64_t start = 0;
    std::uint8_t cylinder = 0;
    std::uint8_t head = 0;
};

class SectorSearch {
public:
    // Whether the answers at hand hold searches on this track for this C,
    // H and N, and are not stale for it.
    bool answers(std::int32_t trackIndex, std::uint8_t cylinder, std::uint8_t head, std::uint8_t sizeCode) const;

    // Sweeps the planned tracks and keeps, for each, the first record of
    // every sector number with the planned C, H and this N. False, with no
    // answers, when the walks would read more than `budget` records.
    bool prepare(ImageWindow& window, const std::vector<PlannedTrack>& plan, std::uint8_t sizeCode,
                 std::int64_t budget = std::numeric_limits<std::int64_t>::max());

    // The record a search on a track it answers finds for R, or nullptr;
    // valid until the next call.
    const RecordData* find(std::int32_t trackIndex, std::uint8_t sectorNumber);

    // Takes note of a write of `length` bytes at `position`; `grewFile` when
    // it lengthened the file.
    void noteWrite(std::int64_t position, std::int64_t length, bool grewFile);

    void clear();

    // The records the last preparation walked, over all its walks.
    std::int64_t recordsWalked() const { return recordsWalked_; }

    // One first record of a walk, as the sweep finds it: 16 bytes, as a
    // track of 255 sectors keeps 255 of them per walk.
    struct Found {
        std::int64_t position;
        std::int32_t length;
        std::uint32_t key;  // family * 256 + R
    };

private:
    struct TrackAnswers {
        std::int32_t trackIndex = 0;
        std::uint32_t family = 0;
        std::uint8_t cylinder = 0;
        std::uint8_t head = 0;
        std::size_t walk = 0;
    };

    const TrackAnswers* answersFor(std::int32_t trackIndex) const;

    bool prepared_ = false;
    bool stale_ = false;
    std::int32_t lastTrack_ = -1;
    std::uint8_t sizeCode_ = 0;
    std::vector<TrackAnswers> tracks_;          // sorted by track index
    std::vector<std::vector<Found>> walks_;     // sorted by key, one per distinct start
    RecordData result_;                         // what find last found
    std::int64_t recordsWalked_ = 0;
    std::vector<std::int64_t> exposedHeaders_;  // ascending
    std::vector<std::uint8_t> familyOf_;        // (C << 8 | H) -> family, 0xFF for none
};
