#include "conv/raw_geometry.h"

#include <algorithm>
#include <vector>

#include "common/to_lower_ascii.h"
#include "conv/file_name.h"
#include "conv/grid_disk.h"
#include "conv/strict_number.h"
#include "format/image_builder.h"
#include "format/media_presets.h"

namespace {

// Extensions that name one layout of the plain sector images in circulation.
struct ExtensionLayout {
    const char* extension;
    const char* keyword;
};

constexpr ExtensionLayout kExtensionLayouts[] = {
    {".2d", "2dbas"},    {".hdm", "2hddos"},   {".xdf", "2hddos"},  {".2hd", "2hddos"},
    {".hdb", "2hdbas"},  {".dd6", "2dddos"},   {".ddb", "2ddbas"},  {".dd9", "2dddos9"},
    {".hd5", "2hcdos"},  {".hd4", "2hddos144"},
};

constexpr char kFieldSeparator = ',';
constexpr char kKeywordJoiner = '/';

bool sameGeometry(const ImageGeometry& a, const ImageGeometry& b) {
    return a.mediaCode == b.mediaCode && a.tracks == b.tracks && a.sectors == b.sectors &&
           a.sizeCode == b.sizeCode && a.doubleSided == b.doubleSided &&
           a.singleDensityFirstTrack == b.singleDensityFirstTrack;
}

// The presets that have sectors, one entry per geometry, in table order of
// their first keyword; `keywords` joins every keyword of that geometry.
struct GeometryGroup {
    ImageGeometry geometry;
    std::string keywords;
    std::int64_t size;
};

std::vector<GeometryGroup> presetGeometries() {
    std::vector<GeometryGroup> groups;
    for (const MediaPreset& preset : mediaPresets()) {
        if (preset.generic || preset.sectors == 0 || preset.tracks == 0) {
            continue;
        }
        const ImageGeometry geometry = fixedGeometry(preset);
        const auto same = std::find_if(groups.begin(), groups.end(), [&geometry](const GeometryGroup& group) {
            return sameGeometry(group.geometry, geometry);
        });
        if (same != groups.end()) {
            same->keywords += kKeywordJoiner;
            same->keywords += preset.keyword;
        } else {
            groups.push_back({geometry, preset.keyword, gridDataSize(geometry)});
        }
    }
    return groups;
}

// "143360 (1dbas/1dbas80); 163840 (1dbas66); 327680 (2dbas, 1ddbas/1ddbas66); ..."
std::string knownSizes(std::vector<GeometryGroup> groups) {
    std::stable_sort(groups.begin(), groups.end(),
                     [](const GeometryGroup& a, const GeometryGroup& b) { return a.size < b.size; });
    std::string text;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const bool sameSize = i > 0 && groups[i - 1].size == groups[i].size;
        if (sameSize) {
            text += ", ";
        } else {
            text += i > 0 ? "); " : "";
            text += std::to_string(groups[i].size) + " (";
        }
        text += groups[i].keywords;
    }
    return groups.empty() ? text : text + ")";
}

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto separator = text.find(kFieldSeparator, start);
        fields.emplace_back(text.substr(start, separator - start));
        if (separator == std::string_view::npos) {
            return fields;
        }
        start = separator + 1;
    }
}

bool parseGenericNumbers(const MediaPreset& preset, const std::vector<std::string>& fields, std::string_view argument,
                         ImageGeometry& geometry, Refusal& refusal) {
    constexpr std::size_t kWithoutTracks = 3;
    constexpr std::size_t kWithTracks = 4;
    if (fields.size() == 1) {
        return refuse(refusal, Problem::MediaNeedsNumbers);
    }
    std::int32_t sectors = 0;
    std::int32_t sizeCode = 0;
    std::int32_t tracks = preset.tracks;
    if ((fields.size() != kWithoutTracks && fields.size() != kWithTracks) || !parseStrictNumber(fields[1], sectors) ||
        !parseStrictNumber(fields[2], sizeCode) ||
        (fields.size() == kWithTracks && !parseStrictNumber(fields[3], tracks))) {
        return refuse(refusal, Problem::MediaInvalid, std::string(argument));
    }
    geometry = genericGeometry(preset, sectors, sizeCode, tracks);
    if (const GeometryProblem problem = checkGeometry(geometry); problem != GeometryProblem::None) {
        return refuseValues(refusal, Problem::MediaGeometry, static_cast<std::int64_t>(problem));
    }
    if (sectors == 0 || tracks == 0) {
        return refuse(refusal, Problem::MediaInvalid, std::string(argument));
    }
    return true;
}

bool geometryByExtension(std::string_view path, RawGeometry& raw) {
    const std::string extension = lowerExtension(path);
    for (const ExtensionLayout& layout : kExtensionLayouts) {
        if (extension == layout.extension) {
            raw.geometry = fixedGeometry(*findMediaPreset(layout.keyword));
            raw.label = layout.keyword;
            return true;
        }
    }
    return false;
}

bool geometryBySize(std::int64_t size, RawGeometry& raw, Refusal& refusal) {
    const std::vector<GeometryGroup> groups = presetGeometries();
    std::string matches;
    const GeometryGroup* match = nullptr;
    int count = 0;
    for (const GeometryGroup& group : groups) {
        if (group.size == size) {
            matches += count++ == 0 ? "" : ", ";
            matches += group.keywords;
            match = match == nullptr ? &group : match;
        }
    }
    if (count == 0) {
        return refuseValues(refusal, Problem::SizeUnknown, size, 0, 0, 0, knownSizes(groups));
    }
    if (count > 1) {
        return refuseValues(refusal, Problem::SizeAmbiguous, size, 0, 0, 0, matches);
    }
    raw.geometry = match->geometry;
    raw.label = match->keywords.substr(0, match->keywords.find(kKeywordJoiner));
    return true;
}

}  // namespace

bool parseMediaArgument(std::string_view argument, RawGeometry& raw, Refusal& refusal) {
    std::vector<std::string> fields = splitFields(argument);
    toLowerAscii(fields[0].data());
    const MediaPreset* preset = findMediaPreset(fields[0].c_str());
    if (preset == nullptr) {
        return refuse(refusal, Problem::MediaInvalid, std::string(argument));
    }
    if (preset->generic) {
        if (!parseGenericNumbers(*preset, fields, argument, raw.geometry, refusal)) {
            return false;
        }
    } else if (fields.size() != 1 || preset->sectors == 0 || preset->tracks == 0) {
        return refuse(refusal, Problem::MediaInvalid, std::string(argument));
    } else {
        raw.geometry = fixedGeometry(*preset);
    }
    raw.label = std::string(argument);
    return true;
}

bool chooseRawGeometry(const char* media, std::string_view path, std::int64_t size, RawGeometry& raw,
                       Refusal& refusal) {
    if (media != nullptr) {
        if (!parseMediaArgument(media, raw, refusal)) {
            return false;
        }
    } else if (!geometryByExtension(path, raw) && !geometryBySize(size, raw, refusal)) {
        return false;
    }
    const std::int64_t expected = gridDataSize(raw.geometry);
    if (expected != size) {
        refuseValues(refusal, Problem::SizeMismatch, expected, size);
        refusal.text = raw.label;
        return false;
    }
    return true;
}

bool presetWithShape(const ImageGeometry& shape, ImageGeometry& preset) {
    for (const GeometryGroup& group : presetGeometries()) {
        ImageGeometry candidate = group.geometry;
        candidate.mediaCode = shape.mediaCode;
        if (sameGeometry(candidate, shape)) {
            preset = group.geometry;
            return true;
        }
    }
    return false;
}
