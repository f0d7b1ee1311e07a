#include "d88_image_fuzz_body.h"

#include <algorithm>
#include <array>
#include <vector>

#include "disk_areas.h"
#include "image/d88_image.h"
#include "scratch_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// What an input can break; the number is what the body returns.
enum Violation : int {
    kFine = 0,
    kDiskCountDiffers = 1,       // open lists other disks than the directory walk
    kSelectFailed = 2,           // a listed disk could not be selected
    kSizeFieldDiffers = 3,       // the selected disk's size is not its header's
    kIdentityCountOdd = 4,       // a listing stored a partial identity or overflowed
    kAbsentTrackListed = 5,      // an index outside the table listed something
    kRunOverlong = 6,            // a run moved more bytes than asked
    kReadBackDiffers = 7,        // a sector read right after its write gave other bytes
    kReadOnlyFileChanged = 8,    // a write through a read-only open reached the file
    kOutsideAreaChanged = 9,     // a byte outside the selected disk's data area changed
    kCloseFailed = 10,           // closing an in-memory file failed
    kScratchUnusable = 11,
    kReadOnlyWriteTaken = 12,    // a write through a read-only open reported bytes written
    kSweepInconsistent = 13,     // a sweep's record count or track presence disagrees with itself
    kHeaderChanged = 14,         // a write touched a listed disk's header
};

constexpr int kIdentityCapacity = 256;
// Repeated disks (a size field of 0 lists the same disk 64 times) find
// nothing new after the first few.
constexpr int kWalkedDisks = 4;
constexpr int kRunDisks = 4;
// Indexes just outside the table, to see that they list nothing.
constexpr std::int32_t kBelowTable = -1;
constexpr std::int32_t kAboveTable = 164;

struct RunRequest {
    std::int32_t trackIndex = 0;
    std::int32_t cylinder = 0;
    std::int32_t head = 0;
    std::int32_t sectorNumber = 0;
    std::int32_t sizeCode = 0;
    std::int32_t length = 0;
};

struct FuzzControl {
    bool singleSided = false;
    bool readOnlyWrite = false;
    std::int32_t firstSector = 1;
    std::int32_t lastSector = 16;
    std::int32_t lastTrack = 163;
    std::array<RunRequest, 2> runs;
};

// Control bytes: flags, first sector, last sector, last track, then per run
// track index (shifted so that negative ones occur), C, H, R, N and a 16-bit
// length. Missing bytes read as 0.
FuzzControl readControl(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kD88ImageFuzzControlBytes> bytes{};
    std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
    FuzzControl control;
    control.singleSided = (bytes[0] & 1) != 0;
    control.readOnlyWrite = (bytes[0] & 2) != 0;
    control.firstSector = bytes[1];
    control.lastSector = bytes[2];
    control.lastTrack = bytes[3];
    for (std::size_t i = 0; i < control.runs.size(); ++i) {
        const std::uint8_t* run = bytes.data() + 4 + i * 7;
        control.runs[i] = {run[0] - 8, run[1], run[2], run[3], run[4], run[5] | run[6] << 8};
    }
    return control;
}

// Source bytes that differ from their neighbours, so that misplaced ones show.
const std::uint8_t* runSource() {
    static std::array<std::uint8_t, 0x10000> source = [] {
        std::array<std::uint8_t, 0x10000> bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 151 + i / 256 + 1);
        }
        return bytes;
    }();
    return source.data();
}

int listEveryTrack(D88Image& image) {
    std::array<std::uint8_t, kIdentityCapacity> ids{};
    for (std::int32_t index = kBelowTable; index <= kAboveTable; ++index) {
        const std::int32_t stored = image.readSectorIds(index, ids.data(), kIdentityCapacity);
        if (stored < 0 || stored > kIdentityCapacity || stored % 4 != 0) {
            return kIdentityCountOdd;
        }
        if ((index == kBelowTable || index == kAboveTable) && stored != 0) {
            return kAbsentTrackListed;
        }
    }
    return kFine;
}

// Counts the records of every track in one sweep.
struct RecordCount {
    std::int64_t records = 0;
    void add(const RecordHeader&, const int&) { ++records; }
    void append(const RecordCount& later) { records += later.records; }
};

int walkEveryTrack(D88Image& image) {
    const SweepResult<RecordCount> swept = image.sweepTracks<RecordCount>(0);
    for (std::size_t index = 0; index < swept.walks.size(); ++index) {
        const SweptWalk<RecordCount>& walk = swept.walks[index];
        if (walk.records != walk.summary.records || (walk.end == WalkEnd::NoTrack) == image.hasTrack(static_cast<std::int32_t>(index))) {
            return kSweepInconsistent;
        }
    }
    return kFine;
}

void applyControl(D88Image& image, const FuzzControl& control) {
    image.setDoubleSided(!control.singleSided);
    image.setSectorRange(control.firstSector, control.lastSector);
    image.setLastTrack(control.lastTrack);
}

int writeRun(D88Image& image, const RunRequest& run) {
    const std::int32_t wrote = image.writeSectors(run.trackIndex, run.cylinder, run.head, run.sectorNumber, run.sizeCode,
                                                  runSource(), run.length);
    return wrote < 0 || wrote > run.length ? kRunOverlong : kFine;
}

int readRun(D88Image& image, const RunRequest& run) {
    std::vector<std::uint8_t> destination(static_cast<std::size_t>(run.length));
    const std::int32_t got = image.readSectors(run.trackIndex, run.cylinder, run.head, run.sectorNumber, run.sizeCode,
                                               destination.data(), run.length);
    return got < 0 || got > run.length ? kRunOverlong : kFine;
}

// One sector written and read straight back through the same search.
int writeAndReadBack(D88Image& image, const RunRequest& run) {
    const std::uint8_t* source = runSource() + 7;
    const std::int32_t wrote =
        image.writeSector(run.trackIndex, run.cylinder, run.head, run.sectorNumber, run.sizeCode, source, run.length);
    if (wrote < 0 || wrote > run.length) {
        return kRunOverlong;
    }
    if (wrote == 0) {
        return kFine;
    }
    std::vector<std::uint8_t> back(static_cast<std::size_t>(wrote));
    const std::int32_t got =
        image.readSector(run.trackIndex, run.cylinder, run.head, run.sectorNumber, run.sizeCode, back.data(), wrote);
    return got == wrote && std::equal(back.begin(), back.end(), source) ? kFine : kReadBackDiffers;
}

// Lists, walks and (when the input asks) tries to write through a read-only
// open; the file must stay exactly as it was.
int inspectReadOnly(const ScratchFile& file, const Bytes& before, std::int32_t disk, const FuzzControl& control) {
    D88Image image;
    if (!image.openReadOnly(file.path().c_str())) {
        return kScratchUnusable;
    }
    if (!image.selectDisk(disk)) {
        return kSelectFailed;
    }
    if (disk < kWalkedDisks) {
        if (const int broken = walkEveryTrack(image); broken != kFine) {
            return broken;
        }
    }
    if (const int broken = listEveryTrack(image); broken != kFine) {
        return broken;
    }
    if (control.readOnlyWrite) {
        applyControl(image, control);
        const RunRequest& run = control.runs[0];
        if (image.writeSectors(run.trackIndex, run.cylinder, run.head, run.sectorNumber, run.sizeCode, runSource(),
                               run.length) != 0) {
            return kReadOnlyWriteTaken;
        }
    }
    image.close();
    return file.contents() == before ? kFine : kReadOnlyFileChanged;
}

int updateDisk(const ScratchFile& file, const Bytes& before, const std::vector<ListedDisk>& disks,
               std::int32_t disk, const FuzzControl& control) {
    const ListedDisk& listed = disks[static_cast<std::size_t>(disk)];
    if (disk >= kRunDisks) {
        return kFine;
    }
    D88Image image;
    if (!image.open(file.path().c_str())) {
        return kScratchUnusable;
    }
    if (!image.selectDisk(disk)) {
        return kSelectFailed;
    }
    if (image.diskSizeField() != listed.sizeField) {
        return kSizeFieldDiffers;
    }
    applyControl(image, control);
    int broken = listEveryTrack(image);
    if (broken == kFine) broken = writeRun(image, control.runs[0]);
    if (broken == kFine) broken = readRun(image, control.runs[0]);
    if (broken == kFine) broken = writeAndReadBack(image, control.runs[1]);
    if (broken == kFine) broken = readRun(image, control.runs[1]);
    if (broken == kFine) broken = writeRun(image, control.runs[1]);
    if (broken == kFine) broken = listEveryTrack(image);
    if (!image.close() && broken == kFine) {
        broken = kCloseFailed;
    }
    if (broken != kFine) {
        return broken;
    }
    const Bytes after = file.contents();
    if (!headersUnchanged(before, after, disks)) {
        return kHeaderChanged;
    }
    return changedOnlyInAreas(before, after, {listed}) ? kFine : kOutsideAreaChanged;
}

}  // namespace

int runD88ImageFuzzInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile file("d88-image-fuzz");
    const FuzzControl control = readControl(data, size);
    const std::size_t skipped = std::min(size, kD88ImageFuzzControlBytes);
    if (!file.fill(data + skipped, size - skipped)) {
        return kScratchUnusable;
    }
    const std::vector<ListedDisk> disks = listDisks(file.contents());
    {
        D88Image image;
        if (!image.open(file.path().c_str())) {
            return kScratchUnusable;
        }
        if (image.diskCount() != static_cast<std::int32_t>(disks.size())) {
            return kDiskCountDiffers;
        }
    }
    for (std::size_t i = 0; i < disks.size(); ++i) {
        const Bytes before = file.contents();
        const auto disk = static_cast<std::int32_t>(i);
        if (const int broken = inspectReadOnly(file, before, disk, control); broken != kFine) {
            return broken;
        }
        if (const int broken = updateDisk(file, before, disks, disk, control); broken != kFine) {
            return broken;
        }
    }
    return kFine;
}
