#include "image/record_cursor.h"

#include <array>

#include "d88/byte_order.h"

using d88::SectorRecord;

bool readRecordHeader(ImageWindow& window, std::int64_t position, RecordHeader& header) {
    std::array<std::uint8_t, SectorRecord::headerSize> bytes;
    if (window.read(position, bytes.data(), bytes.size()) != bytes.size()) {
        return false;
    }
    header.position = position;
    header.id = {bytes[SectorRecord::cylinderOffset], bytes[SectorRecord::headOffset],
                 bytes[SectorRecord::recordOffset], bytes[SectorRecord::sizeCodeOffset]};
    header.count = d88::readLE16(bytes.data() + SectorRecord::sectorCountOffset);
    header.dataLength = d88::readLE16(bytes.data() + SectorRecord::dataLengthOffset);
    header.density = bytes[SectorRecord::densityOffset];
    header.deletedMark = bytes[SectorRecord::deletedMarkOffset];
    header.status = bytes[SectorRecord::statusOffset];
    return true;
}

bool RecordCursor::next(RecordHeader& header) {
    if (!readRecordHeader(window_, position_, header)) {
        return false;
    }
    position_ = header.end();
    return true;
}
