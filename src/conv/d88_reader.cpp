#include "conv/d88_reader.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <span>

#include "conv/mapped_file.h"
#include "image/d88_image.h"

namespace {

using d88::DiskHeader;

// Where the track table ends: the first 160 entries always lie in the
// header; the last four only when the lowest track entry leaves room for
// them.
int tableEntryCount(const D88Image& image) {
    constexpr int kAlwaysInHeader = 160;
    std::int64_t lowest = d88::kMaxFileOffset;
    for (int index = 0; index < kAlwaysInHeader; ++index) {
        if (const std::int32_t entry = image.trackEntry(index); entry > 0) {
            lowest = std::min<std::int64_t>(lowest, entry);
        }
    }
    const std::int64_t room = (lowest - static_cast<std::int64_t>(DiskHeader::trackTableOffset)) /
                              static_cast<std::int64_t>(DiskHeader::trackEntrySize);
    return static_cast<int>(std::clamp<std::int64_t>(room, kAlwaysInHeader, d88::kTrackTableEntries));
}

// The bytes a track's records span in the file, for the overlap check.
struct Extent {
    std::int64_t end;
    int trackIndex;
};

class DiskReader {
public:
    DiskReader(D88Image& image, std::span<const std::uint8_t> file, DiskModel& disk, Refusal& refusal)
        : image_(image), file_(file), disk_(disk), refusal_(refusal) {
        diskEnd_ = static_cast<std::int64_t>(image.diskFileOffset()) + image.diskSizeField();
    }

    bool readTracks() {
        const int entries = tableEntryCount(image_);
        const std::int64_t tableEnd = static_cast<std::int64_t>(DiskHeader::trackEntryOffset(entries));
        for (int index = 0; index < entries; ++index) {
            const std::int32_t entry = image_.trackEntry(index);
            if (entry == 0) {
                continue;
            }
            if (entry < tableEnd || !image_.hasTrack(index)) {
                return refuseTrack(refusal_, Problem::TrackEntryOutside, index, entry);
            }
            if (!readTrack(index)) {
                return false;
            }
        }
        return true;
    }

private:
    bool readTrack(int index) {
        RecordCursor cursor = image_.trackCursor(index);
        const std::int64_t start = cursor.position();
        ModelTrack& track = disk_.tracks[static_cast<std::size_t>(index)];
        RecordHeader header;
        std::int32_t count = 0;
        do {
            if (!cursor.next(header) || header.end() > diskEnd_) {
                return refuseTrack(refusal_, Problem::RecordOutside, index);
            }
            if (track.empty()) {
                count = header.count;
                if (count == 0) {
                    return refuseTrack(refusal_, Problem::ZeroSectorCount, index);
                }
                track.reserve(static_cast<std::size_t>(count));
            } else if (header.count != count) {
                return refuseTrack(refusal_, Problem::SectorCountsDisagree, index, header.count, count);
            }
            if (!appendSector(track, header)) {
                return refuseTrack(refusal_, Problem::RecordOutside, index);
            }
        } while (static_cast<std::int32_t>(track.size()) < count);
        return claimExtent(index, start, cursor.position());
    }

    // False when the file ends inside the sector's data. The data stay in
    // the mapped file; the headers are read through the image.
    bool appendSector(ModelTrack& track, const RecordHeader& header) {
        if (header.end() > static_cast<std::int64_t>(file_.size())) {
            return false;
        }
        ModelSector sector;
        sector.id = header.id;
        sector.density = header.density;
        sector.deletedMark = header.deletedMark;
        sector.status = header.status;
        sector.data = file_.data() + header.dataPosition();
        sector.dataLength = static_cast<std::size_t>(header.dataLength);
        track.push_back(sector);
        return true;
    }

    // Two tracks that share bytes would hand the same sectors out twice.
    bool claimExtent(int index, std::int64_t start, std::int64_t end) {
        auto after = extents_.upper_bound(start);
        if (after != extents_.end() && after->first < end) {
            return refuseTrack(refusal_, Problem::TracksOverlap, index, after->second.trackIndex);
        }
        if (after != extents_.begin()) {
            const auto before = std::prev(after);
            if (before->second.end > start) {
                return refuseTrack(refusal_, Problem::TracksOverlap, index, before->second.trackIndex);
            }
        }
        extents_.emplace(start, Extent{end, index});
        return true;
    }

    D88Image& image_;
    std::span<const std::uint8_t> file_;
    DiskModel& disk_;
    Refusal& refusal_;
    std::int64_t diskEnd_ = 0;
    std::map<std::int64_t, Extent> extents_;  // by start
};

}  // namespace

bool readD88Disk(const char* path, std::int32_t diskNumber, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    D88Image image;
    if (!file.open(path, refusal)) {
        return false;
    }
    if (!image.openReadOnly(path)) {
        return refuse(refusal, Problem::CannotOpenInput, path);
    }
    if (!image.selectDisk(diskNumber)) {
        return refuse(refusal, Problem::NoSuchDisk);
    }
    disk = DiskModel{};
    disk.name = image.diskName();
    disk.writeProtect = static_cast<std::uint8_t>(image.writeProtection());
    disk.mediaCode = static_cast<std::uint8_t>(image.mediaType());
    DiskReader reader(image, file.bytes(), disk, refusal);
    if (!reader.readTracks()) {
        return false;
    }
    disk.keep(std::move(file));
    return true;
}
