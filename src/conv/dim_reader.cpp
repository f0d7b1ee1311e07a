#include "conv/dim_reader.h"

#include <utility>

#include "conv/container_bytes.h"
#include "conv/dim_format.h"
#include "conv/grid_disk.h"
#include "conv/mapped_file.h"
#include "d88/d88_format.h"

namespace {

constexpr const char* kName = "DIM";

struct DimMedia {
    std::uint8_t media;
    std::int32_t sectors;
    std::int32_t sizeCode;
};

// Every DIM layout is a high-density one.
constexpr DimMedia kMedia[] = {
    {dim::kMedia2HD, 8, 3},
    {dim::kMedia2HC, 15, 2},
    {dim::kMedia2HQ, 18, 2},
    {dim::kMedia2HD26, 26, 1},
};

bool geometryOf(std::uint8_t media, ImageGeometry& geometry) {
    for (const DimMedia& entry : kMedia) {
        if (entry.media == media) {
            geometry = ImageGeometry{};
            geometry.mediaCode = d88::kMedia2HD;
            geometry.tracks = d88::kTrackTableEntries;
            geometry.sectors = entry.sectors;
            geometry.sizeCode = entry.sizeCode;
            return true;
        }
    }
    return false;
}

}  // namespace

bool readDimImage(const char* path, DiskModel& disk, Refusal& refusal) {
    using dim::Header;
    MappedFile file;
    if (!file.open(path, refusal)) {
        return false;
    }
    const ContainerBytes bytes(file.bytes());
    const auto headerSize = static_cast<std::int64_t>(Header::size);
    const std::uint8_t* header = bytes.at(0, headerSize);
    if (header == nullptr) {
        return refuseValues(refusal, Problem::ContainerHeaderShort, bytes.size(), headerSize, 0, 0, kName);
    }
    if (!bytes.matches(Header::signatureOffset, dim::kSignature)) {
        return refuse(refusal, Problem::ContainerNoSignature, kName);
    }
    ImageGeometry geometry;
    if (!geometryOf(header[Header::mediaOffset], geometry)) {
        return refuseValues(refusal, Problem::ContainerUnknownMedia, header[Header::mediaOffset], 0, 0, 0, kName);
    }
    const std::int64_t trackLength = gridTrackLength(geometry, 0);
    const std::int64_t dataSize = bytes.size() - headerSize;
    if (dataSize % trackLength != 0) {
        return refuseValues(refusal, Problem::DimDataNotWholeTracks, dataSize, trackLength);
    }
    disk = DiskModel{};
    disk.mediaCode = geometry.mediaCode;
    for (std::int32_t track = 0; track < Header::presentFlags; ++track) {
        if (header[Header::presentFlagsOffset + static_cast<std::size_t>(track)] == 0) {
            continue;
        }
        if (track >= geometry.tracks) {
            return refuseTrack(refusal, Problem::ContainerTrackOutsideMedia, track, geometry.tracks);
        }
        const std::uint8_t* data = bytes.at(headerSize + track * trackLength, trackLength);
        if (data == nullptr) {
            return refuseValues(refusal, Problem::ContainerDataShort, (track + 1) * trackLength, dataSize, 0, 0, kName);
        }
        placeGridTrack(geometry, track, data, disk);
    }
    disk.keep(std::move(file));
    return true;
}
