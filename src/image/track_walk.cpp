#include "image/track_walk.h"

#include <array>

#include "d88/byte_order.h"

using d88::SectorRecord;

TrackWalk::TrackWalk(ImageWindow& window, const TrackBounds& bounds)
    : window_(window),
      bounds_(bounds),
      position_(bounds.trackStart),
      end_(bounds.trackStart < 0 ? TrackWalkEnd::NoTrack : TrackWalkEnd::Walking) {}

bool TrackWalk::next(WalkedRecord& record) {
    if (end_ != TrackWalkEnd::Walking) {
        return false;
    }
    std::array<std::uint8_t, SectorRecord::headerSize> header;
    if (window_.read(position_, header.data(), header.size()) != header.size()) {
        end_ = TrackWalkEnd::EndOfFile;
        return false;
    }
    record.id = {header[SectorRecord::cylinderOffset], header[SectorRecord::headOffset],
                 header[SectorRecord::recordOffset], header[SectorRecord::sizeCodeOffset]};
    record.count = d88::readLE16(header.data() + SectorRecord::sectorCountOffset);
    record.dataLength = d88::readLE16(header.data() + SectorRecord::dataLengthOffset);
    const std::int64_t recordEnd =
        position_ + static_cast<std::int64_t>(SectorRecord::headerSize) + record.dataLength;
    record.cutByEndOfFile = recordEnd > bounds_.fileLength;
    record.outsideDisk = position_ < bounds_.areaStart || recordEnd > bounds_.areaEnd;

    ++listed_;
    if (listed_ == record.count) {
        end_ = TrackWalkEnd::Counted;
    } else if (listed_ == d88::kMaxSectorsPerTrack) {
        end_ = TrackWalkEnd::RecordLimit;
    }
    position_ = recordEnd;
    return true;
}
