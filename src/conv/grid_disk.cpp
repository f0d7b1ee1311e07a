#include "conv/grid_disk.h"

#include "format/track_layout.h"

std::int64_t gridDataSize(const ImageGeometry& geometry) {
    std::int64_t size = 0;
    for (std::int32_t track = 0; track < geometry.tracks; ++track) {
        size += static_cast<std::int64_t>(geometry.sectors) * trackLayout(geometry, track).dataLength;
    }
    return size;
}

DiskModel gridDisk(const ImageGeometry& geometry, const std::uint8_t* data) {
    DiskModel disk;
    disk.mediaCode = geometry.mediaCode;
    std::size_t offset = 0;
    for (std::int32_t track = 0; track < geometry.tracks; ++track) {
        const TrackLayout layout = trackLayout(geometry, track);
        const TrackPosition position = trackPosition(geometry, track);
        ModelTrack& sectors = disk.tracks[static_cast<std::size_t>(position.index)];
        sectors.reserve(static_cast<std::size_t>(geometry.sectors));
        for (std::int32_t sector = 1; sector <= geometry.sectors; ++sector) {
            ModelSector modelSector;
            modelSector.id = {position.cylinder, position.head, static_cast<std::uint8_t>(sector & 0xFF),
                              layout.sizeCode};
            modelSector.density = layout.density;
            modelSector.data = data + offset;
            modelSector.dataLength = static_cast<std::size_t>(layout.dataLength);
            offset += modelSector.dataLength;
            sectors.push_back(modelSector);
        }
    }
    return disk;
}
