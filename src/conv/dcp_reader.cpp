#include "conv/dcp_reader.h"

#include <utility>
#include <vector>

#include "conv/container_bytes.h"
#include "conv/dcp_format.h"
#include "conv/grid_disk.h"
#include "conv/mapped_file.h"
#include "d88/d88_format.h"

namespace {

constexpr const char* kName = "DCP";

struct DcpMedia {
    std::uint8_t media;
    std::uint8_t mediaCode;  // the D88's
    std::int32_t tracks;
    std::int32_t sectors;
    std::int32_t sizeCode;
    bool singleDensityFirstTrack;
    std::int32_t fewerTracks;  // another track count the media is written with, or 0

    ImageGeometry geometry(std::int32_t trackCount) const {
        ImageGeometry shape;
        shape.mediaCode = mediaCode;
        shape.tracks = trackCount;
        shape.sectors = sectors;
        shape.sizeCode = sizeCode;
        shape.singleDensityFirstTrack = singleDensityFirstTrack;
        return shape;
    }
};

constexpr bool kSingleDensityTrack0 = true;
constexpr bool kUniform = false;

// The 26 x 256 layout is written with 77 cylinders by some tools and 80 by
// others; the stored flags or the file's size tell which.
constexpr DcpMedia kMedia[] = {
    {dcp::kMedia2HD, d88::kMedia2HD, 154, 8, 3, kUniform, 0},
    {dcp::kMedia2HC, d88::kMedia2HD, 160, 15, 2, kUniform, 0},
    {dcp::kMedia144, d88::kMedia2HD, 160, 18, 2, kUniform, 0},
    {dcp::kMedia2DD8, d88::kMedia2DD, 160, 8, 2, kUniform, 0},
    {dcp::kMedia2DD9, d88::kMedia2DD, 160, 9, 2, kUniform, 0},
    {dcp::kMedia144Large, d88::kMedia2HD, 160, 9, 3, kUniform, 0},
    {dcp::kMediaN88, d88::kMedia2HD, 154, 26, 1, kSingleDensityTrack0, 0},
    {dcp::kMedia2DDBasic, d88::kMedia2DD, 160, 16, 1, kUniform, 0},
    {dcp::kMedia2HD26, d88::kMedia2HD, 160, 26, 1, kUniform, 154},
};

const DcpMedia* findMedia(std::uint8_t media) {
    for (const DcpMedia& entry : kMedia) {
        if (entry.media == media) {
            return &entry;
        }
    }
    return nullptr;
}

std::int64_t dataLength(const ImageGeometry& geometry, const std::vector<std::int32_t>& tracks) {
    std::int64_t length = 0;
    for (const std::int32_t track : tracks) {
        length += gridTrackLength(geometry, track);
    }
    return length;
}

// The tracks stored, in file order, and the geometry they belong to.
bool storedTracks(const std::uint8_t* header, const DcpMedia& media, std::int64_t dataSize, ImageGeometry& geometry,
                  std::vector<std::int32_t>& tracks, Refusal& refusal) {
    geometry = media.geometry(media.tracks);
    tracks.clear();
    if (header[dcp::Header::allTracksOffset] != 0) {
        if (media.fewerTracks != 0 && dataSize == gridDataSize(media.geometry(media.fewerTracks))) {
            geometry = media.geometry(media.fewerTracks);
        }
        for (std::int32_t track = 0; track < geometry.tracks; ++track) {
            tracks.push_back(track);
        }
        return true;
    }
    for (std::int32_t track = 0; track < dcp::Header::storedFlags; ++track) {
        if (header[dcp::Header::storedFlagsOffset + static_cast<std::size_t>(track)] == 0) {
            continue;
        }
        if (track >= geometry.tracks) {
            return refuseTrack(refusal, Problem::ContainerTrackOutsideMedia, track, geometry.tracks);
        }
        tracks.push_back(track);
    }
    return true;
}

}  // namespace

bool readDcpImage(const char* path, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    if (!file.open(path, refusal)) {
        return false;
    }
    const ContainerBytes bytes(file.bytes());
    const std::uint8_t* header = bytes.at(0, dcp::Header::size);
    if (header == nullptr) {
        return refuseValues(refusal, Problem::ContainerHeaderShort, bytes.size(), dcp::Header::size, 0, 0, kName);
    }
    const DcpMedia* media = findMedia(header[dcp::Header::mediaOffset]);
    if (media == nullptr) {
        return refuseValues(refusal, Problem::ContainerUnknownMedia, header[dcp::Header::mediaOffset], 0, 0, 0,
                            kName);
    }
    const std::int64_t dataSize = bytes.size() - static_cast<std::int64_t>(dcp::Header::size);
    ImageGeometry geometry;
    std::vector<std::int32_t> tracks;
    if (!storedTracks(header, *media, dataSize, geometry, tracks, refusal)) {
        return false;
    }
    const std::int64_t described = dataLength(geometry, tracks);
    if (described != dataSize) {
        return refuseValues(refusal, described > dataSize ? Problem::ContainerDataShort : Problem::ContainerDataLeftOver,
                            described, dataSize, 0, 0, kName);
    }
    disk = DiskModel{};
    disk.mediaCode = geometry.mediaCode;
    const std::uint8_t* data = header + dcp::Header::size;
    for (const std::int32_t track : tracks) {
        placeGridTrack(geometry, track, data, disk);
        data += gridTrackLength(geometry, track);
    }
    disk.keep(std::move(file));
    return true;
}
