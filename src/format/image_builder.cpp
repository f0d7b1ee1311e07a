#include "format/image_builder.h"

#include <cstring>
#include <new>

#include "d88/byte_order.h"
#include "d88/d88_format.h"
#include "format/track_layout.h"

namespace {

constexpr std::int64_t kRecordHeader = static_cast<std::int64_t>(d88::SectorRecord::headerSize);

void writeRecordHeader(std::uint8_t* record, const TrackPosition& position, std::int32_t sectorNumber,
                       const TrackLayout& layout, std::int32_t sectors) {
    std::memset(record, 0, d88::SectorRecord::headerSize);
    record[d88::SectorRecord::cylinderOffset] = position.cylinder;
    record[d88::SectorRecord::headOffset] = position.head;
    record[d88::SectorRecord::sectorNumberOffset] = static_cast<std::uint8_t>(sectorNumber & 0xFF);
    record[d88::SectorRecord::sizeCodeOffset] = layout.sizeCode;
    d88::writeLE16(record + d88::SectorRecord::sectorCountOffset, static_cast<std::uint32_t>(sectors));
    record[d88::SectorRecord::densityOffset] = layout.density;
    d88::writeLE16(record + d88::SectorRecord::dataLengthOffset, static_cast<std::uint32_t>(layout.dataLength));
}

}  // namespace

GeometryProblem checkGeometry(const ImageGeometry& geometry) {
    if (geometry.tracks > d88::kTrackTableEntries) {
        return GeometryProblem::TooManyTracks;
    }
    if (geometry.sectors < 0) {
        return GeometryProblem::NegativeSectors;
    }
    if (geometry.tracks < 0) {
        return GeometryProblem::NegativeTracks;
    }
    if (geometry.sizeCode < 0 || geometry.sizeCode > d88::kMaxSizeCode) {
        return GeometryProblem::SizeCodeOutOfRange;
    }
    if (geometry.sectors > d88::kMaxSectorsPerTrack) {
        return GeometryProblem::TooManySectors;
    }
    if (!geometry.doubleSided && geometry.tracks > d88::kMaxSingleSidedTracks) {
        return GeometryProblem::TooManySingleSidedTracks;
    }
    if (imageLength(geometry) > d88::kMaxFileOffset) {
        return GeometryProblem::ImageTooLarge;
    }
    return GeometryProblem::None;
}

std::int64_t imageLength(const ImageGeometry& geometry) {
    const std::int64_t header = static_cast<std::int64_t>(d88::DiskHeader::size);
    const std::int64_t sectors = geometry.sectors;
    const std::int64_t record = d88::sectorLength(geometry.sizeCode) + kRecordHeader;
    if (geometry.singleDensityFirstTrack && geometry.tracks > 0) {
        return sectors * (d88::kSingleDensityLength + kRecordHeader) +
               record * sectors * (geometry.tracks - 1) + header;
    }
    return record * sectors * geometry.tracks + header;
}

bool buildImage(const ImageGeometry& geometry, ImageBuffer& image) {
    // Every byte is written exactly once below (header, then each record's
    // header and data back to back), so the buffer is not cleared first.
    const auto length = static_cast<std::size_t>(imageLength(geometry));
    image.bytes.reset(new (std::nothrow) std::uint8_t[length]);
    if (!image.bytes) {
        image.length = 0;
        return false;
    }
    image.length = length;
    std::uint8_t* const bytes = image.bytes.get();
    std::memset(bytes, 0, d88::DiskHeader::size);

    bytes[d88::DiskHeader::mediaCodeOffset] = geometry.mediaCode;
    d88::writeLE32(bytes + d88::DiskHeader::diskSizeOffset, static_cast<std::uint32_t>(length));

    std::size_t position = d88::DiskHeader::size;
    for (std::int32_t track = 0; track < geometry.tracks; ++track) {
        const TrackLayout layout = trackLayout(geometry, track);
        const TrackPosition where = trackPosition(geometry, track);
        d88::writeLE32(bytes + d88::DiskHeader::trackEntryOffset(where.index), static_cast<std::uint32_t>(position));
        for (std::int32_t sector = 0; sector < geometry.sectors; ++sector) {
            writeRecordHeader(bytes + position, where, sector + 1, layout, geometry.sectors);
            position += d88::SectorRecord::headerSize;
            std::memset(bytes + position, geometry.fill, static_cast<std::size_t>(layout.dataLength));
            position += static_cast<std::size_t>(layout.dataLength);
        }
    }
    return true;
}
