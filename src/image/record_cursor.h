// The one reader of record headers: it stands on a record of a track, reads
// its 16-byte header through the image window and steps to the record that
// follows its data. It applies no stop rule of its own; each user (the
// identity listing, the sector searches, the track listing) decides where
// its walk ends.
#pragma once

#include <cstdint>

#include "d88/byte_order.h"
#include "d88/d88_format.h"
#include "image/image_window.h"

// One record header as stored, and where its record lies.
struct RecordHeader {
    std::int64_t position = 0;  // file position of the header
    d88::SectorId id;
    std::int32_t count = 0;       // the record's own sector-count field
    std::int32_t dataLength = 0;  // the record's data-length field
    std::uint8_t density = 0;
    std::uint8_t deletedMark = 0;
    std::uint8_t status = 0;

    std::int64_t dataPosition() const { return position + static_cast<std::int64_t>(d88::SectorRecord::headerSize); }
    // The position of the next record: right after this record's data.
    std::int64_t end() const { return dataPosition() + dataLength; }
};

class RecordCursor {
public:
    RecordCursor(ImageWindow& window, std::int64_t position) : window_(window), position_(position) {}

    // Reads the header at the cursor and steps past its record. False, and no
    // step, when the file does not hold a whole header there.
    bool next(RecordHeader& header);

    // Where the next header would be read.
    std::int64_t position() const { return position_; }

private:
    ImageWindow& window_;
    std::int64_t position_;
};

// Reads the header at a file position; false when the file does not hold it
// whole. Every walk calls it once per record, so it is inline.
inline bool readRecordHeader(ImageWindow& window, std::int64_t position, RecordHeader& header) {
    const std::uint8_t* bytes = window.view(position, d88::SectorRecord::headerSize);
    if (bytes == nullptr) {
        return false;
    }
    header.position = position;
    header.id = {bytes[d88::SectorRecord::cylinderOffset], bytes[d88::SectorRecord::headOffset],
                 bytes[d88::SectorRecord::sectorNumberOffset], bytes[d88::SectorRecord::sizeCodeOffset]};
    header.count = d88::readLE16(bytes + d88::SectorRecord::sectorCountOffset);
    header.dataLength = d88::readLE16(bytes + d88::SectorRecord::dataLengthOffset);
    header.density = bytes[d88::SectorRecord::densityOffset];
    header.deletedMark = bytes[d88::SectorRecord::deletedMarkOffset];
    header.status = bytes[d88::SectorRecord::statusOffset];
    return true;
}

