#include "conv/flat_image_writers.h"

#include <array>

#include "conv/fdi_format.h"
#include "conv/flat_layout.h"
#include "d88/byte_order.h"

namespace {

// The FDI drive type for a D88 media code; 1.44 MB disks share 2HD's code
// and are told apart by their tracks.
struct DriveTypeOfMedia {
    std::uint8_t mediaCode;
    std::uint32_t driveType;
};

constexpr DriveTypeOfMedia kDriveTypes[] = {
    {d88::kMedia2D, fdi::kType2D},   {d88::kMedia2DD, fdi::kType2DD},  {d88::kMedia2HD, fdi::kType2HD},
    {d88::kMedia1D, fdi::kType2D},   {d88::kMedia1DD, fdi::kType2DD},
};

bool driveTypeFor(const DiskModel& disk, const FlatLayout& layout, std::uint32_t& driveType) {
    for (const DriveTypeOfMedia& entry : kDriveTypes) {
        if (entry.mediaCode == disk.mediaCode) {
            const bool is144 = entry.driveType == fdi::kType2HD && layout.sectorsPerTrack == fdi::k144Sectors &&
                               layout.sectorLength == fdi::k144SectorLength;
            driveType = is144 ? fdi::kType144 : entry.driveType;
            return true;
        }
    }
    return false;
}

}  // namespace

bool writeRawImage(const DiskModel& disk, ByteSink& sink, Refusal& refusal) {
    FlatLayout layout;
    if (!planFlatImage(disk, layout, refusal)) {
        return false;
    }
    writeFlatData(disk, layout, sink);
    return true;
}

bool writeFdiImage(const DiskModel& disk, ByteSink& sink, Refusal& refusal) {
    FlatLayout layout;
    if (!planFlatImage(disk, layout, refusal)) {
        return false;
    }
    if (layout.firstTrackDiffers()) {
        return refuse(refusal, Problem::FdiFirstTrackDiffers);
    }
    const auto tracks = static_cast<std::int64_t>(layout.trackIndexes.size());
    if (layout.doubleSided && tracks % 2 != 0) {
        return refuseTrack(refusal, Problem::FdiHalfCylinder, layout.trackIndexes.back());
    }
    std::uint32_t driveType = 0;
    if (!driveTypeFor(disk, layout, driveType)) {
        return refuseValues(refusal, Problem::FdiNoDriveType, disk.mediaCode);
    }
    const std::int64_t heads = layout.doubleSided ? 2 : 1;
    std::array<std::uint8_t, fdi::Header::usualSize> header{};
    d88::writeLE32(header.data() + fdi::Header::driveTypeOffset, driveType);
    d88::writeLE32(header.data() + fdi::Header::headerSizeOffset, fdi::Header::usualSize);
    d88::writeLE32(header.data() + fdi::Header::dataSizeOffset, static_cast<std::uint32_t>(layout.dataSize));
    d88::writeLE32(header.data() + fdi::Header::sectorLengthOffset, static_cast<std::uint32_t>(layout.sectorLength));
    d88::writeLE32(header.data() + fdi::Header::sectorsOffset, static_cast<std::uint32_t>(layout.sectorsPerTrack));
    d88::writeLE32(header.data() + fdi::Header::headsOffset, static_cast<std::uint32_t>(heads));
    d88::writeLE32(header.data() + fdi::Header::cylindersOffset, static_cast<std::uint32_t>(tracks / heads));
    sink.write(header.data(), header.size());
    writeFlatData(disk, layout, sink);
    return true;
}
