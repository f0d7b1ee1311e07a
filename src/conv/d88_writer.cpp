#include "conv/d88_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "d88/byte_order.h"
#include "d88/d88_format.h"

namespace {

using d88::DiskHeader;
using d88::SectorRecord;

constexpr std::int64_t kRecordHeader = static_cast<std::int64_t>(SectorRecord::headerSize);
constexpr std::size_t kMaxSixteenBit = 0xFFFF;

// Each track's count and data lengths must fit their 16-bit fields, and the
// whole image a signed 32-bit size field. Sets each track's place.
bool layOut(const DiskModel& disk, std::array<std::uint8_t, DiskHeader::size>& header, Refusal& refusal) {
    std::int64_t length = static_cast<std::int64_t>(DiskHeader::size);
    for (int index = 0; index < d88::kTrackTableEntries; ++index) {
        const ModelTrack& track = disk.tracks[static_cast<std::size_t>(index)];
        if (!track.empty()) {
            d88::writeLE32(header.data() + DiskHeader::trackEntryOffset(index), static_cast<std::uint32_t>(length));
        }
        for (const ModelSector& sector : track) {
            if (track.size() > kMaxSixteenBit || sector.dataLength > kMaxSixteenBit) {
                return refuseTrack(refusal, Problem::D88TrackTooLarge, index, static_cast<std::int64_t>(track.size()),
                                   static_cast<std::int64_t>(sector.dataLength));
            }
            length += kRecordHeader + static_cast<std::int64_t>(sector.dataLength);
        }
        if (length > d88::kMaxFileOffset) {
            return refuse(refusal, Problem::D88ImageTooLarge);
        }
    }
    std::memcpy(header.data() + DiskHeader::nameOffset, disk.name.data(),
                std::min(disk.name.size(), DiskHeader::nameLength));
    header[DiskHeader::writeProtectOffset] = disk.writeProtect;
    header[DiskHeader::mediaCodeOffset] = disk.mediaCode;
    d88::writeLE32(header.data() + DiskHeader::diskSizeOffset, static_cast<std::uint32_t>(length));
    return true;
}

void writeRecordHeader(const ModelSector& sector, std::size_t count, std::uint8_t* record) {
    std::memset(record, 0, SectorRecord::headerSize);
    record[SectorRecord::cylinderOffset] = sector.id.cylinder;
    record[SectorRecord::headOffset] = sector.id.head;
    record[SectorRecord::sectorNumberOffset] = sector.id.sectorNumber;
    record[SectorRecord::sizeCodeOffset] = sector.id.sizeCode;
    d88::writeLE16(record + SectorRecord::sectorCountOffset, static_cast<std::uint32_t>(count));
    record[SectorRecord::densityOffset] = sector.density;
    record[SectorRecord::deletedMarkOffset] = sector.deletedMark;
    record[SectorRecord::statusOffset] = sector.status;
    d88::writeLE16(record + SectorRecord::dataLengthOffset, static_cast<std::uint32_t>(sector.dataLength));
}

}  // namespace

bool writeD88Image(const DiskModel& disk, ByteSink& sink, Refusal& refusal) {
    std::array<std::uint8_t, DiskHeader::size> header{};
    if (!layOut(disk, header, refusal)) {
        return false;
    }
    sink.write(header.data(), header.size());
    std::array<std::uint8_t, SectorRecord::headerSize> record;
    for (const ModelTrack& track : disk.tracks) {
        for (const ModelSector& sector : track) {
            writeRecordHeader(sector, track.size(), record.data());
            sink.write(record.data(), record.size());
            sink.write(sector.data, sector.dataLength);
        }
    }
    return true;
}
