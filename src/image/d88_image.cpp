#include "image/d88_image.h"

#include <algorithm>
#include <iterator>
#include <cstring>

#include "d88/byte_order.h"
#include "image/file_seek.h"

namespace {

using d88::DiskHeader;
using d88::SectorRecord;
using DiskHeaderBytes = std::array<std::uint8_t, DiskHeader::size>;
using RecordHeaderBytes = std::array<std::uint8_t, SectorRecord::headerSize>;

constexpr int kIdentityByteLimit = 0xFF;

// Records a run may walk track by track before the rest of its tracks are
// swept at once: about 1 MiB of record headers, far more than any sound
// disk holds, so only a damaged image ever reaches the whole sweep, and
// then at most this much has been walked twice.
constexpr std::int64_t kRecordsBeforeWholeSweep = 65536;

// The stream's length, measured once; only writes into a record that the end
// of the file cuts short change it, and they keep it up to date.
std::int64_t measureLength(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const long length = std::ftell(file);
    return length < 0 ? 0 : length;
}

bool isIdentityByte(std::int32_t value) { return value >= 0 && value <= kIdentityByteLimit; }

}  // namespace

bool D88Image::open(const char* path) { return openWithMode(path, true); }

bool D88Image::openWithMode(const char* path, bool writable) {
    close();
    directory = DiskDirectory{};
    headerReadFailed = false;
    clearSelection();
    if (path == nullptr) {
        return true;
    }
    file = std::fopen(path, writable ? "r+b" : "rb");
    if (file == nullptr) {
        return false;
    }
    // The window does the buffering; a second buffer in the stream would
    // only copy the bytes again.
    std::setvbuf(file, nullptr, _IONBF, 0);
    window.attach(file, writable);
    fileLength = measureLength(file);
    directory = readDiskDirectory(file);
    headerReadFailed = directory.readFailed;
    return true;
}

// Reads a disk header from the file itself, noting a read error.
bool D88Image::readDiskHeader(std::int64_t position, DiskHeaderBytes& header) {
    if (!seekTo(file, position)) {
        return false;
    }
    std::clearerr(file);
    const bool whole = std::fread(header.data(), 1, header.size(), file) == header.size();
    headerReadFailed = headerReadFailed || (!whole && std::ferror(file) != 0);
    return whole;
}

bool D88Image::close() {
    search.clear();
    runPlan.clear();
    if (file == nullptr) {
        return true;
    }
    const bool writesSucceeded = window.flush() && std::ferror(file) == 0;
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    window.attach(nullptr, false);
    return writesSucceeded && closed;
}

void D88Image::clearSelection() {
    diskOffset = -1;
    mediaCode = -1;
    problem = DiskProblem::None;
    writeProtect = -1;
    diskSize = 0;
    trackOffsets.fill(0);
    nameBuffer.fill('\0');
    search.clear();
    runPlan.clear();
}

bool D88Image::selectDisk(std::int32_t number) {
    if (file == nullptr) {
        return false;
    }
    clearSelection();
    // The header is read from the file itself, as it stands now.
    window.discard();
    if (number < 0 || number >= directory.count) {
        return false;
    }
    const std::int32_t offset = directory.offsets[static_cast<std::size_t>(number)];
    DiskHeaderBytes header;
    if (!readDiskHeader(offset, header)) {
        return false;
    }
    diskOffset = offset;
    for (int i = 0; i < d88::kTrackTableEntries; ++i) {
        trackOffsets[static_cast<std::size_t>(i)] = d88::readLE32(header.data() + DiskHeader::trackEntryOffset(i));
    }
    mediaCode = header[DiskHeader::mediaCodeOffset];
    problem = findDiskProblem(header, offset, fileLength);
    writeProtect = header[DiskHeader::writeProtectOffset];
    diskSize = d88::readLE32(header.data() + DiskHeader::diskSizeOffset);
    const std::uint8_t* name = header.data() + DiskHeader::nameOffset;
    const auto nameLength = std::find(name, name + DiskHeader::nameLength, 0) - name;
    std::copy(name, name + nameLength, nameBuffer.begin());
    return true;
}

// A track is there when its entry is positive, not beyond the disk's size,
// and the disk offset plus the entry stays a valid signed 32-bit offset.
std::int64_t D88Image::trackStart(std::int32_t trackIndex) const {
    if (file == nullptr || diskOffset < 0 || trackIndex < 0 || trackIndex > d88::kLastTrackIndex) {
        return -1;
    }
    const std::int32_t entry = trackOffsets[static_cast<std::size_t>(trackIndex)];
    if (entry <= 0 || entry > diskSize) {
        return -1;
    }
    const std::int64_t start = static_cast<std::int64_t>(diskOffset) + entry;
    return start > d88::kMaxFileOffset ? -1 : start;
}

std::int32_t D88Image::trackEntry(std::int32_t trackIndex) const {
    if (trackIndex < 0 || trackIndex > d88::kLastTrackIndex) {
        return 0;
    }
    return trackOffsets[static_cast<std::size_t>(trackIndex)];
}

// Each record's own count is its stop test; a count of 0 or any other
// mismatch lets the listing go on, bounded by the buffer and the file.
std::int32_t D88Image::readSectorIds(std::int32_t trackIndex, std::uint8_t* out, std::int32_t capacity) {
    const std::int64_t start = trackStart(trackIndex);
    if (start < 0) {
        return 0;
    }
    RecordCursor cursor(window, start);
    RecordHeader record;
    std::int32_t stored = 0;
    for (std::int64_t i = 0; stored + static_cast<std::int64_t>(d88::SectorId::size) <= capacity; ++i) {
        if (!cursor.next(record)) {
            break;
        }
        std::uint8_t* id = out + stored;
        id[0] = record.id.cylinder;
        id[1] = record.id.head;
        id[2] = record.id.sectorNumber;
        id[3] = record.id.sizeCode;
        stored += static_cast<std::int32_t>(d88::SectorId::size);
        if (i == static_cast<std::int64_t>(record.count) - 1) {
            break;
        }
    }
    return stored;
}

// While the walks stay short, as on any sound disk, each track is walked
// when the run reaches it (with every planned track that shares its first
// record), so a short paste reads no more than it must. Once the run has
// walked its budget, one sweep answers the rest of it.
bool D88Image::prepareTrackByTrack(std::int64_t start, std::uint8_t sizeCode) {
    const std::int64_t budgetLeft = kRecordsBeforeWholeSweep - runWalkedRecords;
    if (budgetLeft <= 0) {
        return false;
    }
    std::vector<PlannedTrack> sharing;
    std::copy_if(runPlan.begin(), runPlan.end(), std::back_inserter(sharing),
                 [&](const PlannedTrack& track) { return track.start == start; });
    if (!search.prepare(window, sharing, sizeCode, budgetLeft)) {
        runWalkedRecords = kRecordsBeforeWholeSweep;
        return false;
    }
    runWalkedRecords += search.recordsWalked();
    return true;
}

const RecordData* D88Image::findRecord(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                       std::int32_t sectorNumber, std::int32_t sizeCode) {
    const std::int64_t start = trackStart(trackIndex);
    if (start < 0 || !isIdentityByte(cylinder) || !isIdentityByte(head) || !isIdentityByte(sectorNumber) ||
        !isIdentityByte(sizeCode)) {
        return nullptr;
    }
    const auto c = static_cast<std::uint8_t>(cylinder);
    const auto h = static_cast<std::uint8_t>(head);
    const auto n = static_cast<std::uint8_t>(sizeCode);
    if (!search.answers(trackIndex, c, h, n)) {
        const bool planned = sizeCode == runSizeCode &&
                             std::any_of(runPlan.begin(), runPlan.end(), [&](const PlannedTrack& track) {
                                 return track.trackIndex == trackIndex && track.cylinder == c && track.head == h;
                             });
        if (!planned) {
            search.prepare(window, {{trackIndex, start, c, h}}, n);
        } else if (!prepareTrackByTrack(start, n)) {
            search.prepare(window, runPlan, n);
        }
    }
    return search.find(trackIndex, static_cast<std::uint8_t>(sectorNumber));
}

// After the selected disk's header and before its declared end, starting
// inside the file: a damaged track cannot make a write change a header or
// another disk. A write may run past the end of the file, into a record
// that the end of the file cut short, and so lengthen it.
bool D88Image::insideWritableArea(std::int64_t position, std::int64_t length) const {
    const std::int64_t areaStart = static_cast<std::int64_t>(diskOffset) + static_cast<std::int64_t>(DiskHeader::size);
    const std::int64_t areaEnd = static_cast<std::int64_t>(diskOffset) + diskSize;
    return position >= areaStart && position <= fileLength && position + length <= areaEnd;
}

RecordData D88Image::pasteShare(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                std::int32_t sectorNumber, std::int32_t sizeCode, std::int32_t limit) {
    const RecordData* data = findRecord(trackIndex, cylinder, head, sectorNumber, sizeCode);
    if (data == nullptr) {
        return {};
    }
    const std::int32_t share = std::min(data->length, limit);
    if (share <= 0 || !insideWritableArea(data->position, share)) {
        return {};
    }
    return {data->position, share};
}

std::int32_t D88Image::writeSector(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                   std::int32_t sectorNumber, std::int32_t sizeCode, const std::uint8_t* source,
                                   std::int32_t limit) {
    const RecordData share = pasteShare(trackIndex, cylinder, head, sectorNumber, sizeCode, limit);
    if (share.length == 0) {
        return 0;
    }
    const std::int64_t position = share.position;
    const auto written =
        static_cast<std::int32_t>(window.write(position, source, static_cast<std::size_t>(share.length)));
    const bool grewFile = written > 0 && position + written > fileLength;
    if (grewFile) {
        fileLength = position + written;
    }
    search.noteWrite(position, written, grewFile);
    return written;
}

std::int32_t D88Image::readSector(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                  std::int32_t sectorNumber, std::int32_t sizeCode, std::uint8_t* destination,
                                  std::int32_t limit) {
    const RecordData* data = findRecord(trackIndex, cylinder, head, sectorNumber, sizeCode);
    if (data == nullptr) {
        return 0;
    }
    const std::int32_t transfer = std::min(data->length, limit);
    if (transfer <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(window.read(data->position, destination, static_cast<std::size_t>(transfer)));
}
