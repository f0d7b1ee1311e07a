#include "conv/flat_image_readers.h"

#include <algorithm>
#include <utility>

#include "conv/fdi_format.h"
#include "conv/grid_disk.h"
#include "conv/mapped_file.h"
#include "conv/raw_geometry.h"
#include "d88/byte_order.h"
#include "format/image_builder.h"

namespace {

// The D88 media code of an FDI drive type (high four bits).
struct MediaOfDriveType {
    std::uint32_t driveType;
    std::uint8_t mediaCode;
};

constexpr MediaOfDriveType kMediaCodes[] = {
    {fdi::kType2HD, d88::kMedia2HD},  {fdi::kType144, d88::kMedia2HD},    {fdi::kType144Other, d88::kMedia2HD},
    {fdi::kType2DD, d88::kMedia2DD},  {fdi::kType2DDOther, d88::kMedia2DD}, {fdi::kType2DDThird, d88::kMedia2DD},
    {fdi::kType2D, d88::kMedia2D},    {fdi::kType2DOther, d88::kMedia2D},
};

bool mediaCodeOf(std::uint32_t driveType, std::uint8_t& mediaCode) {
    for (const MediaOfDriveType& entry : kMediaCodes) {
        if (entry.driveType == (driveType & fdi::kDriveTypeMask)) {
            mediaCode = entry.mediaCode;
            return true;
        }
    }
    return false;
}

// The eight header fields, unsigned as stored.
struct FdiFields {
    std::int64_t driveType;
    std::int64_t headerSize;
    std::int64_t dataSize;
    std::int64_t sectorLength;
    std::int64_t sectors;
    std::int64_t heads;
    std::int64_t cylinders;
};

std::int64_t fieldAt(const std::uint8_t* header, std::size_t offset) {
    return static_cast<std::uint32_t>(d88::readLE32(header + offset));
}

FdiFields fdiFields(const std::uint8_t* header) {
    return {fieldAt(header, fdi::Header::driveTypeOffset),    fieldAt(header, fdi::Header::headerSizeOffset),
            fieldAt(header, fdi::Header::dataSizeOffset),     fieldAt(header, fdi::Header::sectorLengthOffset),
            fieldAt(header, fdi::Header::sectorsOffset),      fieldAt(header, fdi::Header::headsOffset),
            fieldAt(header, fdi::Header::cylindersOffset)};
}

bool sizeCodeOf(std::int64_t length, std::int32_t& sizeCode) {
    for (int n = 0; n <= d88::kMaxSizeCode; ++n) {
        if (d88::sectorLength(n) == length) {
            sizeCode = n;
            return true;
        }
    }
    return false;
}

// The geometry the fields describe, as the formatter would lay it out; the
// media code is settled later.
bool fdiGeometry(const FdiFields& fields, ImageGeometry& geometry, Refusal& refusal) {
    const auto invalid = [&fields, &refusal]() {
        return refuseValues(refusal, Problem::FdiGeometryInvalid, fields.sectorLength, fields.sectors, fields.heads,
                            fields.cylinders);
    };
    geometry = ImageGeometry{};
    if (!sizeCodeOf(fields.sectorLength, geometry.sizeCode) || fields.sectors < 1 || fields.heads < 1 ||
        fields.heads > fdi::kMaxHeads || fields.cylinders < 1 || fields.cylinders > d88::kTrackTableEntries) {
        return invalid();
    }
    geometry.sectors = static_cast<std::int32_t>(std::min<std::int64_t>(fields.sectors, d88::kMaxSectorsPerTrack + 1));
    geometry.doubleSided = fields.heads == fdi::kMaxHeads;
    geometry.tracks = static_cast<std::int32_t>(fields.cylinders * fields.heads);
    if (checkGeometry(geometry) != GeometryProblem::None) {
        return invalid();
    }
    const std::int64_t holds = gridDataSize(geometry);
    if (holds != fields.dataSize) {
        return refuseValues(refusal, Problem::FdiGeometryDisagrees, holds, fields.dataSize);
    }
    return true;
}

// A preset of the same shape gives the whole geometry (media code
// included); otherwise the drive type gives the media code.
bool settleMediaCode(const FdiFields& fields, ImageGeometry& geometry, Refusal& refusal) {
    if (ImageGeometry preset; presetWithShape(geometry, preset)) {
        geometry = preset;
        return true;
    }
    if (!mediaCodeOf(static_cast<std::uint32_t>(fields.driveType), geometry.mediaCode)) {
        return refuseValues(refusal, Problem::FdiUnknownType, fields.driveType);
    }
    return true;
}

}  // namespace

bool readRawImage(const char* path, const char* media, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    RawGeometry raw;
    if (!file.open(path, refusal) || !chooseRawGeometry(media, path, file.size(), raw, refusal)) {
        return false;
    }
    disk = gridDisk(raw.geometry, file.bytes().data());
    disk.keep(std::move(file));
    return true;
}

bool readFdiImage(const char* path, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    if (!file.open(path, refusal)) {
        return false;
    }
    if (file.size() < static_cast<std::int64_t>(fdi::Header::fieldsSize)) {
        return refuseValues(refusal, Problem::FdiHeaderShort, file.size());
    }
    const FdiFields fields = fdiFields(file.bytes().data());
    if (fields.headerSize < static_cast<std::int64_t>(fdi::Header::fieldsSize)) {
        return refuseValues(refusal, Problem::FdiHeaderShort, fields.headerSize);
    }
    if (fields.headerSize + fields.dataSize != file.size()) {
        return refuseValues(refusal, Problem::FdiSizesDisagree, fields.headerSize, fields.dataSize, file.size());
    }
    ImageGeometry geometry;
    if (!fdiGeometry(fields, geometry, refusal) || !settleMediaCode(fields, geometry, refusal)) {
        return false;
    }
    disk = gridDisk(geometry, file.bytes().data() + fields.headerSize);
    disk.keep(std::move(file));
    return true;
}
