// One floppy disk in memory, as every image format can describe it: the
// track table's 164 places, each holding its sector records in stored order
// (an empty place is an absent track), and every sector's identity (C, H, R,
// N), density, deleted mark, status and data. Readers fill it; writers
// consume it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "d88/d88_format.h"

struct ModelSector {
    d88::SectorId id;
    std::uint8_t density = d88::kDensityDouble;
    std::uint8_t deletedMark = 0;
    std::uint8_t status = 0;
    std::size_t dataOffset = 0;  // where its bytes start in DiskModel::data
    std::size_t dataLength = 0;
};

using ModelTrack = std::vector<ModelSector>;

struct DiskModel {
    std::string name;  // at most 16 bytes
    std::uint8_t writeProtect = 0;
    std::uint8_t mediaCode = d88::kMedia2D;
    // By track index (cylinder * 2 + head).
    std::array<ModelTrack, d88::kTrackTableEntries> tracks;
    // Every sector's bytes, back to back.
    std::vector<std::uint8_t> data;

    const std::uint8_t* sectorBytes(const ModelSector& sector) const { return data.data() + sector.dataOffset; }
    bool hasTrack(int trackIndex) const { return !tracks[static_cast<std::size_t>(trackIndex)].empty(); }
};
