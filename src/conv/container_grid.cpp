#include "conv/container_grid.h"

#include "format/track_layout.h"

std::int64_t gridTrackLength(const ImageGeometry& geometry, std::int32_t track) {
    return static_cast<std::int64_t>(geometry.sectors) * trackLayout(geometry, track).dataLength;
}

void placeGridTrack(const ImageGeometry& geometry, std::int32_t track, const std::uint8_t* data, DiskModel& disk) {
    const TrackLayout layout = trackLayout(geometry, track);
    const TrackPosition position = trackPosition(geometry, track);
    ModelTrack& sectors = disk.tracks[static_cast<std::size_t>(position.index)];
    sectors.reserve(static_cast<std::size_t>(geometry.sectors));
    for (std::int32_t record = 1; record <= geometry.sectors; ++record) {
        ModelSector sector;
        sector.id = {position.cylinder, position.head, static_cast<std::uint8_t>(record), layout.sizeCode};
        sector.density = layout.density;
        sector.data = data;
        sector.dataLength = static_cast<std::size_t>(layout.dataLength);
        data += sector.dataLength;
        sectors.push_back(sector);
    }
}
