// A walk over the record headers of one track, one record at a time, for a
// listing of what the track holds. It ends where an identity listing ends:
// after the record whose count field equals its position on the track, at
// the end of the file, or after as many records as a count field can name,
// so that no image can keep it going.
#pragma once

#include <cstdint>

#include "d88/d88_format.h"
#include "image/image_window.h"

// One record as the walk meets it.
struct WalkedRecord {
    d88::SectorId id;
    std::int32_t count = 0;       // the record's own count field
    std::int32_t dataLength = 0;  // the record's data-length field
    bool cutByEndOfFile = false;  // the file ends inside the record's data
    bool outsideDisk = false;     // the record does not lie wholly in its disk's data area
};

enum class TrackWalkEnd {
    Walking,      // not ended yet
    NoTrack,      // the track-table entry is not usable: nothing to walk
    Counted,      // a record's count field equalled its position
    EndOfFile,    // the file ended before the next complete record header
    RecordLimit,  // as many records as a count field can name, and no stop
};

// Where the walk starts and what it measures the records against, all as
// file positions.
struct TrackBounds {
    std::int64_t trackStart = -1;  // the first record, or -1 for an absent track
    std::int64_t areaStart = 0;    // the first byte after the disk header
    std::int64_t areaEnd = 0;      // the disk's end by its size field
    std::int64_t fileLength = 0;
};

class TrackWalk {
public:
    TrackWalk(ImageWindow& window, const TrackBounds& bounds);

    // The next record, or false once the walk has ended. It reads through
    // the image's window, so it sees every write made before.
    bool next(WalkedRecord& record);

    TrackWalkEnd end() const { return end_; }

private:
    ImageWindow& window_;
    TrackBounds bounds_;
    std::int64_t position_;
    std::int32_t listed_ = 0;
    TrackWalkEnd end_;
};
