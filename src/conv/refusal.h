// Why a conversion stops: every reason imgconv can refuse or fail, as a
// value that the readers, the writers and the command line hand back. The
// command turns it into one line (refusal_messages.h); nothing here knows
// the texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

enum class Problem {
    None,
    // The command line.
    UnknownOption,        // text: the option
    OptionNeedsValue,     // text: the option
    UnknownFormat,        // text: the name, text2: the known names
    BadDiskNumber,        // text: the argument
    DiskOptionNeedsD88,
    MediaOptionNeedsRaw,
    OutputExists,         // text: the path
    // Files.
    CannotOpenInput,      // text: the path
    InputReadFailed,      // text: the path
    CannotCreateOutput,   // text: the path
    OutputWriteFailed,    // text: the path
    OutOfMemory,
    // A D88 input.
    NoSuchDisk,
    TrackEntryOutside,    // track; values: the entry
    RecordOutside,        // track
    TracksOverlap,        // track; values: the other track
    ZeroSectorCount,      // track
    SectorCountsDisagree, // track; values: a record's count, the first record's count
    // The geometry of a raw input.
    MediaInvalid,         // text: the --media argument
    MediaNeedsNumbers,    // a generic type without its sector count and N
    MediaGeometry,        // values: the GeometryProblem
    SizeAmbiguous,        // values: the size; text: the geometries
    SizeUnknown,          // values: the size; text: the known sizes
    SizeMismatch,         // text: the geometry; values: its size, the input's size
    // An FDI input.
    FdiHeaderShort,       // values: the file or header size
    FdiSizesDisagree,     // values: header size, data size, file size
    FdiGeometryInvalid,   // values: bytes per sector, sectors, heads, cylinders
    FdiGeometryDisagrees, // values: the geometry's data size, the data size field
    FdiUnknownType,       // values: the drive type
    // Flattening a disk into a plain sector image.
    NoTracks,
    TrackMissing,         // track
    SectorNumberTwice,    // track; values: R
    SectorNumbersNotRun,  // track; values: lowest R, highest R, sector count
    SectorCountDiffers,   // track; values: its count, the reference count
    FirstSectorDiffers,   // track; values: its lowest R, the reference's
    DataLengthNotSizeCode,// track; values: R, data length, N
    SectorLengthDiffers,  // track; values: R, its length, the reference length
    DensityNotDouble,     // track; values: R, density byte
    DeletedMark,          // track; values: R
    ErrorStatus,          // track; values: R, status byte
    IdentityNotTrack,     // track; values: R, C, H
    // Writing FDI.
    FdiFirstTrackDiffers,
    FdiHalfCylinder,      // track
    FdiNoDriveType,       // values: the media code
    // Writing D88.
    D88TrackTooLarge,     // track; values: sector count, data length
    D88ImageTooLarge,
    // Emulator containers (NFD, FDD, DCP/DCU, DIP, DIM); text: the container.
    FormatNotWritable,      // text: the format, text2: the formats that can be written
    ContainerHeaderShort,   // text; values: file size, header size
    ContainerNoSignature,   // text
    ContainerUnknownMedia,  // text; values: the media code
    ContainerDataShort,     // text; values: data bytes needed at least, data bytes in the file
    ContainerDataLeftOver,  // text; values: data bytes described, data bytes in the file
    ContainerTrackOutsideMedia,  // track; values: the media's track count
    ContainerSizeCodeTooLarge,   // track; values: R, N, the largest N
    NfdHeaderSizeInvalid,   // values: the header size field, its least value, the file size
    NfdTrackBlockOutside,   // track; values: the block's offset, the header size
    FddDataOutside,         // track; values: R, the data offset, the file size
    DimDataNotWholeTracks,  // values: the data size, the track length
};

struct Refusal {
    Problem problem = Problem::None;
    std::int32_t track = -1;
    std::array<std::int64_t, 4> values{};
    std::string text;
    std::string text2;
};

// Shorthands for the readers and writers: fill the refusal and return false.
inline bool refuse(Refusal& refusal, Problem problem, std::string text = {}, std::string text2 = {}) {
    refusal = Refusal{};
    refusal.problem = problem;
    refusal.text = std::move(text);
    refusal.text2 = std::move(text2);
    return false;
}

inline bool refuseTrack(Refusal& refusal, Problem problem, std::int32_t track, std::int64_t first = 0,
                        std::int64_t second = 0, std::int64_t third = 0, std::int64_t fourth = 0) {
    refusal = Refusal{};
    refusal.problem = problem;
    refusal.track = track;
    refusal.values = {first, second, third, fourth};
    return false;
}

inline bool refuseValues(Refusal& refusal, Problem problem, std::int64_t first, std::int64_t second = 0,
                         std::int64_t third = 0, std::int64_t fourth = 0, std::string text = {}) {
    refusal = Refusal{};
    refusal.problem = problem;
    refusal.values = {first, second, third, fourth};
    refusal.text = std::move(text);
    return false;
}
