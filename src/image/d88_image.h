// Access to an existing D88 image file: its directory of disks, the selected
// disk's track table, the sector identities of a track, and single sectors
// found by identity and overwritten or read in place, plus runs of sectors.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "d88/d88_format.h"
#include "image/disk_directory.h"
#include "image/disk_soundness.h"
#include "image/image_window.h"
#include "image/record_cursor.h"
#include "image/sector_search.h"
#include "image/track_sweep.h"

class D88Image {
public:
    D88Image() = default;
    ~D88Image() { close(); }
    D88Image(const D88Image&) = delete;
    D88Image& operator=(const D88Image&) = delete;

    // Opens the image for update, without creating or truncating it, and
    // lists its disks. A file already open is closed first. With no path,
    // only closes and forgets the file and returns true.
    bool open(const char* path);

    // The same for reading only, so that a read-only or write-protected file
    // can be inspected; every write to it writes nothing and returns 0.
    bool openReadOnly(const char* path) { return openWithMode(path, false); }

    // Whether a read of the file failed with an error, as reading a directory
    // or an unreadable device does; such a failure is not the end of the
    // file, and what was read up to it says nothing about the image.
    bool readFailed() const { return headerReadFailed || window.readFailed(); }

    // Closes the file, completing every write. False when the file could not
    // be closed cleanly or an earlier write to it failed; true when there was
    // nothing to close.
    bool close();

    std::int32_t diskCount() const { return directory.count; }

    // Loads the header of disk `number`. On failure the selection is cleared.
    bool selectDisk(std::int32_t number);

    // Media code byte of the selected disk, or -1.
    std::int32_t mediaType() const { return mediaCode; }
    // Name of the selected disk, at most 16 characters.
    const char* diskName() const { return nameBuffer.data(); }
    // Size field of the selected disk's header, or 0.
    std::int32_t diskSizeField() const { return diskSize; }
    // Why the selected disk's header cannot be a D88 disk header, if it
    // cannot (disk_soundness.h).
    DiskProblem diskProblem() const { return problem; }
    // Write-protect byte of the selected disk (non-zero: protected), or -1.
    std::int32_t writeProtection() const { return writeProtect; }
    // The selected disk's track-table entry as stored, 0 outside the table.
    std::int32_t trackEntry(std::int32_t trackIndex) const;
    // Whether the entry names a track that can be read: positive, not above
    // the disk size, and with the disk offset below 2^31.
    bool hasTrack(std::int32_t trackIndex) const { return trackStart(trackIndex) >= 0; }

    // A cursor on the first record of a track, through the same window as
    // every other read and write; check hasTrack first.
    RecordCursor trackCursor(std::int32_t trackIndex) { return RecordCursor(window, trackStart(trackIndex)); }

    // Copies up to `length` bytes from a file position, fewer where the file
    // ends; returns the bytes copied.
    std::size_t readBytes(std::int64_t position, std::uint8_t* out, std::size_t length) {
        return window.read(position, out, length);
    }

    // File offset of the selected disk's header, or -1.
    std::int32_t diskFileOffset() const { return diskOffset; }
    // The file's length as it stands, including what writes have added.
    std::int64_t currentFileLength() const { return fileLength; }

    // Walks every track of the selected disk under the sector searches' stop
    // rules, in one pass (track_sweep.h); one walk per track index.
    template <class Summary, class Context>
    SweepResult<Summary> sweepTracks(const Context& context) {
        std::vector<std::int64_t> starts;
        for (std::int32_t index = 0; index <= d88::kLastTrackIndex; ++index) {
            starts.push_back(trackStart(index));
        }
        return TrackSweep<Summary, Context>::run(window, starts, context);
    }

    void setSectorRange(std::int32_t first, std::int32_t last) {
        firstSector = first;
        lastSector = last;
    }
    void setLastTrack(std::int32_t trackIndex) { lastTrackIndex = trackIndex; }
    void setDoubleSided(bool flag) { doubleSided = flag; }

    // Stores the C, H, R, N of the track's records, in stored order, 4 bytes
    // each while another fits; returns the bytes stored.
    std::int32_t readSectorIds(std::int32_t trackIndex, std::uint8_t* out, std::int32_t capacity);

    // Overwrites the start of the data of the sector with this identity with
    // at most `limit` bytes; returns the bytes written. Only the selected
    // disk's data area is ever written; a sector whose data the end of the
    // file cuts short is written all the same, and the file grows by what
    // lies beyond its old end, never past the disk's declared end.
    std::int32_t writeSector(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sectorNumber,
                             std::int32_t sizeCode, const std::uint8_t* source, std::int32_t limit);

    // Reads at most `limit` bytes of the sector with this identity; returns
    // the bytes read.
    std::int32_t readSector(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sectorNumber,
                            std::int32_t sizeCode, std::uint8_t* destination, std::int32_t limit);

    // Writes `length` bytes across consecutive sectors, tracks, heads and
    // cylinders from the given position, up to the last allowed track index;
    // returns the bytes written.
    std::int32_t writeSectors(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sectorNumber,
                              std::int32_t sizeCode, const std::uint8_t* source, std::int32_t length);

    // Reads `length` bytes in the same sector order, ending at the first
    // sector that is missing or shorter than its share; returns the bytes read.
    std::int32_t readSectors(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sectorNumber,
                             std::int32_t sizeCode, std::uint8_t* destination, std::int32_t length);

    // Takes one sector's share of a run; false stops the run.
    using SectorSink = std::function<bool(const std::uint8_t* bytes, std::int32_t length)>;

    // The same run handed over sector by sector, so that a long read needs
    // no buffer of its length; also ends when the sink refuses a share.
    // Returns the bytes the sink took.
    std::int32_t readSectors(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sectorNumber,
                             std::int32_t sizeCode, const SectorSink& sink, std::int32_t length);

    // Reads back exactly what writeSectors with the same arguments and
    // settings writes: the same positions, the same sectors skipped (missing
    // ones, and those a paste would not write), the same share of each and
    // the same last track. So whenever a paste of `length` bytes succeeds,
    // this returns those bytes. Ends early only where the file ends inside a
    // share, or the sink refuses one. Returns the bytes the sink took.
    std::int32_t readSectorsAsPasted(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                     std::int32_t sectorNumber, std::int32_t sizeCode, const SectorSink& sink,
                                     std::int32_t length);

private:
    // Visits the run's positions in the order writeSectors does; `move`
    // takes one position's share (trackIndex, C, H, R, offset into the run,
    // limit) and returns the bytes it took, or -1 to end the run.
    template <class Move>
    std::int32_t runInPasteOrder(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                 std::int32_t sectorNumber, std::int32_t sizeCode, std::int32_t length, Move move);
    bool openWithMode(const char* path, bool writable);
    // Reads a disk header from the file itself; notes a read error.
    bool readDiskHeader(std::int64_t position, std::array<std::uint8_t, d88::DiskHeader::size>& header);
    void clearSelection();
    // File position of the track's first record, or -1 when the track is absent.
    std::int64_t trackStart(std::int32_t trackIndex) const;
    // The record a sector search finds, or nullptr.
    const RecordData* findRecord(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                                 std::int32_t sectorNumber, std::int32_t sizeCode);
    // The tracks a run from this position can reach, up to `lastIndex`, for
    // the searches to sweep at once.
    void planRun(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head, std::int32_t sizeCode,
                 std::int64_t lastIndex);
    bool insideWritableArea(std::int64_t position, std::int64_t length) const;
    // Prepares the searches of the planned tracks that start at `start`
    // alone; false when the run's budget for that is spent.
    bool prepareTrackByTrack(std::int64_t start, std::uint8_t sizeCode);
    // Where a paste's share of at most `limit` bytes goes for this identity:
    // min(data length, limit) bytes of a sector found inside the disk's data
    // area; a length of 0 when there is none.
    RecordData pasteShare(std::int32_t trackIndex, std::int32_t cylinder, std::int32_t head,
                          std::int32_t sectorNumber, std::int32_t sizeCode, std::int32_t limit);

    std::FILE* file = nullptr;
    std::int32_t firstSector = 1;
    std::int32_t lastSector = 16;
    std::int32_t lastTrackIndex = d88::kLastTrackIndex;
    DiskDirectory directory;
    std::int32_t diskSize = 0;
    std::int32_t diskOffset = -1;
    std::array<std::int32_t, d88::kTrackTableEntries> trackOffsets{};
    std::int32_t mediaCode = -1;
    DiskProblem problem = DiskProblem::None;
    std::int32_t writeProtect = -1;
    std::array<char, d88::DiskHeader::nameLength + 1> nameBuffer{};
    bool doubleSided = true;
    bool headerReadFailed = false;

    std::int64_t fileLength = 0;
    ImageWindow window;
    SectorSearch search;
    std::vector<PlannedTrack> runPlan;
    std::int32_t runSizeCode = -1;
    std::int64_t runWalkedRecords = 0;  // walked track by track so far in this run
};
