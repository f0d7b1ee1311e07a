#include "conv/dip_reader.h"

#include <utility>

#include "conv/container_bytes.h"
#include "conv/dip_format.h"
#include "conv/grid_disk.h"
#include "conv/mapped_file.h"
#include "d88/d88_format.h"

namespace {

constexpr const char* kName = "DIP";

ImageGeometry dipGeometry() {
    ImageGeometry geometry;
    geometry.mediaCode = d88::kMedia2HD;
    geometry.tracks = dip::kTracks;
    geometry.sectors = dip::kSectors;
    geometry.sizeCode = dip::kSizeCode;
    return geometry;
}

}  // namespace

bool readDipImage(const char* path, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    if (!file.open(path, refusal)) {
        return false;
    }
    const ContainerBytes bytes(file.bytes());
    const auto headerSize = static_cast<std::int64_t>(dip::kHeaderSize);
    if (!bytes.holds(0, headerSize)) {
        return refuseValues(refusal, Problem::ContainerHeaderShort, bytes.size(), headerSize, 0, 0, kName);
    }
    const ImageGeometry geometry = dipGeometry();
    const std::int64_t described = gridDataSize(geometry);
    const std::int64_t dataSize = bytes.size() - headerSize;
    if (described != dataSize) {
        return refuseValues(refusal, described > dataSize ? Problem::ContainerDataShort : Problem::ContainerDataLeftOver,
                            described, dataSize, 0, 0, kName);
    }
    disk = DiskModel{};
    disk.mediaCode = geometry.mediaCode;
    const std::uint8_t* data = bytes.at(headerSize, dataSize);
    for (std::int32_t track = 0; track < geometry.tracks; ++track) {
        placeGridTrack(geometry, track, data, disk);
        data += gridTrackLength(geometry, track);
    }
    disk.keep(std::move(file));
    return true;
}
