// One floppy disk in memory, as every image format can describe it: the
// track table's 164 places, each holding its sector records in stored order
// (an empty place is an absent track), and every sector's identity (C, H, R,
// N), density, deleted mark, status and data. Readers fill it; writers
// consume it.
//
// Sector data are not copied: each sector points into storage the model
// keeps alive, usually the mapped input file. The model is therefore moved,
// never copied.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "conv/mapped_file.h"
#include "d88/d88_format.h"

struct ModelSector {
    d88::SectorId id;
    std::uint8_t density = d88::kDensityDouble;
    std::uint8_t deletedMark = 0;
    std::uint8_t status = 0;
    const std::uint8_t* data = nullptr;  // dataLength bytes in storage the model keeps
    std::size_t dataLength = 0;
};

using ModelTrack = std::vector<ModelSector>;

class DiskModel {
public:
    DiskModel() = default;
    DiskModel(DiskModel&&) = default;
    DiskModel& operator=(DiskModel&&) = default;
    DiskModel(const DiskModel&) = delete;
    DiskModel& operator=(const DiskModel&) = delete;

    bool hasTrack(int trackIndex) const { return !tracks[static_cast<std::size_t>(trackIndex)].empty(); }

    // Keeps storage that sectors point into for as long as the model lives.
    void keep(MappedFile&& file) { files_.push_back(std::move(file)); }
    const std::uint8_t* keep(std::vector<std::uint8_t>&& bytes) {
        owned_.push_back(std::move(bytes));
        return owned_.back().data();
    }

    std::string name;  // at most 16 bytes
    std::uint8_t writeProtect = 0;
    std::uint8_t mediaCode = d88::kMedia2D;
    // By track index (cylinder * 2 + head).
    std::array<ModelTrack, d88::kTrackTableEntries> tracks;

private:
    std::vector<MappedFile> files_;
    std::vector<std::vector<std::uint8_t>> owned_;
};
