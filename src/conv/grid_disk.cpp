#include "conv/grid_disk.h"

#include "format/track_layout.h"

std::int64_t gridTrackLength(const ImageGeometry& geometry, std::int32_t track) {
    return static_cast<std::int64_t>(geometry.sectors) * trackLayout(geometry, track).dataLength;
}

std::int64_t gridDataSize(const ImageGeometry& geometry) {
    std::int64_t size = 0;
    for (std::int32_t track = 0; track < geometry.tracks; ++track) {
        size += gridTrackLength(geometry, track);
    }
    return size;
}

void placeGridTrack(const ImageGeometry& geometry, std::int32_t track, const std::uint8_t* data, DiskModel& disk) {
    const TrackLayout layout = trackLayout(geometry, track);
    const TrackPosition position = trackPosition(geometry, track);
    ModelTrack& sectors = disk.tracks[static_cast<std::size_t>(position.index)];
    sectors.reserve(static_cast<std::size_t>(geometry.sectors));
    for (std::int32_t sectorNumber = 1; sectorNumber <= geometry.sectors; ++sectorNumber) {
        ModelSector sector;
        sector.id = {position.cylinder, position.head, static_cast<std::uint8_t>(sectorNumber & 0xFF),
                     layout.sizeCode};
        sector.density = layout.density;
        sector.data = data;
        sector.dataLength = static_cast<std::size_t>(layout.dataLength);
        data += sector.dataLength;
        sectors.push_back(sector);
    }
}

DiskModel gridDisk(const ImageGeometry& geometry, const std::uint8_t* data) {
    DiskModel disk;
    disk.mediaCode = geometry.mediaCode;
    for (std::int32_t track = 0; track < geometry.tracks; ++track) {
        placeGridTrack(geometry, track, data, disk);
        data += gridTrackLength(geometry, track);
    }
    return disk;
}
