#include "format/media_presets.h"

#include <cstring>

#include "d88/d88_format.h"

namespace {

using d88::kMedia2D;
using d88::kMedia2DD;
using d88::kMedia2HD;

constexpr bool kGeneric = true;
constexpr bool kFixed = false;
constexpr bool kDoubleSided = true;
constexpr bool kSingleSided = false;
constexpr bool kSingleDensityTrack0 = true;
constexpr bool kUniform = false;

constexpr MediaPreset kPresets[] = {
    {"2d", "2D", kMedia2D, 80, 0, 0, kDoubleSided, kGeneric, kUniform},
    {"2dd", "2DD", kMedia2DD, 160, 0, 0, kDoubleSided, kGeneric, kUniform},
    {"2hd", "2HD", kMedia2HD, 154, 0, 0, kDoubleSided, kGeneric, kUniform},
    {"1d", "1D", kMedia2D, 35, 0, 0, kSingleSided, kGeneric, kUniform},
    {"1dd", "1DD", kMedia2DD, 80, 0, 0, kSingleSided, kGeneric, kUniform},
    {"2dbas", "2D(N88BASIC)", kMedia2D, 80, 16, 1, kDoubleSided, kFixed, kUniform},
    {"2ddbas", "2DD(N88BASIC)", kMedia2DD, 160, 16, 1, kDoubleSided, kFixed, kUniform},
    {"2hdbas", "2HD/8\"2D(N88BASIC)", kMedia2HD, 154, 26, 1, kDoubleSided, kFixed, kSingleDensityTrack0},
    {"2hdbas88", "5\"2HD(N88BASIC/PC-8801Mseries)", kMedia2HD, 160, 26, 1, kDoubleSided, kFixed,
     kSingleDensityTrack0},
    {"2dddos", "2DD(MS-DOS/640KB)", kMedia2DD, 160, 8, 2, kDoubleSided, kFixed, kUniform},
    {"2dddos6", "2DD(MS-DOS/640KB)", kMedia2DD, 160, 8, 2, kDoubleSided, kFixed, kUniform},
    {"2dddos9", "2DD(MS-DOS/720KB)", kMedia2DD, 160, 9, 2, kDoubleSided, kFixed, kUniform},
    {"2hddos", "2HD/8\"2D(MS-DOS/1.2MB)", kMedia2HD, 154, 8, 3, kDoubleSided, kFixed, kUniform},
    {"2hcdos", "2HC(MS-DOS(IBM)/1.2MB)", kMedia2HD, 160, 15, 2, kDoubleSided, kFixed, kUniform},
    {"2hddos144", "2HD(MS-DOS/1.44MB)", kMedia2HD, 160, 18, 2, kDoubleSided, kFixed, kUniform},
    {"2dblank", "2D(BLANK)", kMedia2D, 0, 0, 0, kDoubleSided, kFixed, kUniform},
    {"2ddblank", "2DD(BLANK)", kMedia2DD, 0, 0, 0, kDoubleSided, kFixed, kUniform},
    {"2hdblank", "2HD(BLANK)", kMedia2HD, 0, 0, 0, kDoubleSided, kFixed, kUniform},
    {"1dbas", "1D(PC-8001 N88BASIC)", kMedia2D, 35, 16, 1, kSingleSided, kFixed, kUniform},
    {"1dbas80", "1D(PC-8001 N88BASIC)", kMedia2D, 35, 16, 1, kSingleSided, kFixed, kUniform},
    {"1dbas66", "1D(PC-6601 N66BASIC)", kMedia2D, 40, 16, 1, kSingleSided, kFixed, kUniform},
    {"1ddbas", "1DD(PC-6601SR N66SRBASIC)", kMedia2DD, 80, 16, 1, kSingleSided, kFixed, kUniform},
    {"1ddbas66", "1DD(PC-6601SR N66SRBASIC)", kMedia2DD, 80, 16, 1, kSingleSided, kFixed, kUniform},
    {"1dblank", "1D(BLANK)", kMedia2D, 0, 0, 0, kSingleSided, kFixed, kUniform},
    {"1ddblank", "1DD(BLANK)", kMedia2DD, 0, 0, 0, kSingleSided, kFixed, kUniform},
};
static_assert(std::size(kPresets) == 25);

}  // namespace

std::span<const MediaPreset> mediaPresets() { return kPresets; }

const MediaPreset* findMediaPreset(const char* keyword) {
    for (const MediaPreset& preset : kPresets) {
        if (std::strcmp(keyword, preset.keyword) == 0) {
            return &preset;
        }
    }
    return nullptr;
}

ImageGeometry fixedGeometry(const MediaPreset& preset, std::uint8_t fill) {
    ImageGeometry geometry;
    geometry.mediaCode = preset.mediaCode;
    geometry.doubleSided = preset.doubleSided;
    geometry.tracks = preset.tracks;
    geometry.sectors = preset.sectors;
    geometry.sizeCode = preset.sizeCode;
    geometry.singleDensityFirstTrack = preset.singleDensityFirstTrack;
    geometry.fill = fill;
    return geometry;
}

ImageGeometry genericGeometry(const MediaPreset& preset, std::int32_t sectors, std::int32_t sizeCode,
                              std::int32_t tracks, std::uint8_t fill) {
    ImageGeometry geometry;
    geometry.mediaCode = preset.mediaCode;
    geometry.doubleSided = preset.doubleSided;
    geometry.tracks = tracks;
    geometry.sectors = sectors;
    geometry.sizeCode = sizeCode;
    geometry.fill = fill;
    return geometry;
}
