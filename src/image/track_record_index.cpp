#include "image/track_record_index.h"

#include "d88/byte_order.h"
#include "d88/d88_format.h"

namespace {

using d88::SectorRecord;
using Header = std::array<std::uint8_t, SectorRecord::headerSize>;

bool holdsFamily(const Header& header, const SearchFamily& family) {
    return header[SectorRecord::cylinderOffset] == family.cylinder && header[SectorRecord::headOffset] == family.head &&
           header[SectorRecord::sizeCodeOffset] == family.sizeCode;
}

}  // namespace

const RecordData* TrackRecordIndex::find(ImageWindow& window, const SearchFamily& family, std::uint8_t record) {
    if (!built_ || !(family_ == family)) {
        build(window, family);
    }
    return present_[record] ? &records_[record] : nullptr;
}

void TrackRecordIndex::build(ImageWindow& window, const SearchFamily& family) {
    family_ = family;
    built_ = true;
    present_.fill(false);

    Header header;
    std::int64_t position = family.trackStart;
    // Every record read moves the position forward by at least a header, and
    // reading stops at the end of the file, so the walk ends.
    for (std::int64_t i = 0; window.read(position, header.data(), header.size()) == header.size(); ++i) {
        const std::int64_t count = d88::readLE16(header.data() + SectorRecord::sectorCountOffset);
        const std::int32_t dataLength = d88::readLE16(header.data() + SectorRecord::dataLengthOffset);
        if (count == 0) {
            return;
        }
        const std::uint8_t record = header[SectorRecord::recordOffset];
        const std::int64_t dataPosition = position + static_cast<std::int64_t>(SectorRecord::headerSize);
        if (holdsFamily(header, family) && !present_[record]) {
            present_[record] = true;
            records_[record] = {dataPosition, dataLength};
        }
        if (i == count - 1) {
            return;
        }
        position = dataPosition + dataLength;
    }
}
