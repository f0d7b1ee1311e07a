#include "image/disk_soundness.h"

#include "d88/byte_order.h"

namespace {

constexpr std::int64_t kHeaderSize = static_cast<std::int64_t>(d88::DiskHeader::size);

// An entry of 0 means the track is absent; a negative one points before the
// disk, which is another fault than pointing into its header.
bool pointsInsideHeader(std::int32_t entry) { return entry > 0 && entry < kHeaderSize; }

}  // namespace

DiskProblem findDiskProblem(std::span<const std::uint8_t, d88::DiskHeader::size> header, std::int64_t diskOffset,
                            std::int64_t fileLength) {
    const std::int64_t size = d88::readLE32(header.data() + d88::DiskHeader::diskSizeOffset);
    if (size < kHeaderSize) {
        return DiskProblem::SizeBelowHeader;
    }
    if (diskOffset + size > fileLength) {
        return DiskProblem::PastEndOfFile;
    }
    for (int index = 0; index < d88::kTrackTableEntries; ++index) {
        if (pointsInsideHeader(d88::readLE32(header.data() + d88::DiskHeader::trackEntryOffset(index)))) {
            return DiskProblem::TrackInsideHeader;
        }
    }
    return DiskProblem::None;
}
