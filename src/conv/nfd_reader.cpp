#include "conv/nfd_reader.h"

#include <utility>

#include "conv/container_bytes.h"
#include "conv/mapped_file.h"
#include "conv/nfd_format.h"
#include "d88/byte_order.h"
#include "d88/d88_format.h"

namespace {

constexpr const char* kName = "NFD";

// The D88 media code of a drive mode.
struct MediaOfDriveMode {
    std::uint8_t driveMode;
    std::uint8_t mediaCode;
};

constexpr MediaOfDriveMode kMediaCodes[] = {
    {nfd::kDriveMode2HD, d88::kMedia2HD},
    {nfd::kDriveMode144, d88::kMedia2HD},
    {nfd::kDriveMode2DD, d88::kMedia2DD},
};

// When the drive mode says nothing, the tracks do: no 2DD track holds more
// than five 1,024-byte sectors, and every 2HD layout has tracks that do.
constexpr std::int64_t kLargest2DDTrack = 5 * 1024;

std::uint8_t mediaCodeOf(int driveMode, const DiskModel& disk) {
    for (const MediaOfDriveMode& entry : kMediaCodes) {
        if (entry.driveMode == driveMode) {
            return entry.mediaCode;
        }
    }
    for (const ModelTrack& track : disk.tracks) {
        std::int64_t bytes = 0;
        for (const ModelSector& sector : track) {
            bytes += static_cast<std::int64_t>(sector.dataLength);
        }
        if (bytes > kLargest2DDTrack) {
            return d88::kMedia2HD;
        }
    }
    return d88::kMedia2DD;
}

class NfdReader {
public:
    NfdReader(const ContainerBytes& file, DiskModel& disk, Refusal& refusal)
        : file_(file), disk_(disk), refusal_(refusal) {}

    bool readRevision0() {
        using nfd::R0Table;
        if (!readHeader(R0Table::headerSize)) {
            return false;
        }
        for (int row = 0; row < R0Table::rows; ++row) {
            for (int slot = 0; slot < R0Table::entriesPerRow; ++slot) {
                const std::uint8_t* entry = header_ + R0Table::entryOffset(row, slot);
                if (entry[nfd::SectorEntry::cylinderOffset] != nfd::kUnusedSlot &&
                    !addSector(row, entry, entry[nfd::R0Entry::driveModeOffset], 1)) {
                    return false;
                }
            }
        }
        return finish();
    }

    bool readRevision1() {
        using nfd::R1Table;
        if (!readHeader(R1Table::firstBlock)) {
            return false;
        }
        for (int track = 0; track < R1Table::entries; ++track) {
            const std::int64_t block = static_cast<std::uint32_t>(
                d88::readLE32(header_ + R1Table::offset + static_cast<std::size_t>(track) * R1Table::entrySize));
            if (block != 0 && !readBlock(track, block)) {
                return false;
            }
        }
        return finish();
    }

private:
    // The header's size, checked against the fixed part and the file; the
    // write-protect byte.
    bool readHeader(std::int64_t fixedSize) {
        std::uint32_t headerSize = 0;
        if (!file_.holds(0, fixedSize) || !file_.le32At(nfd::CommonHeader::headerSizeOffset, headerSize)) {
            return refuseValues(refusal_, Problem::ContainerHeaderShort, file_.size(), fixedSize, 0, 0, kName);
        }
        headerSize_ = headerSize;
        if (headerSize_ < fixedSize || headerSize_ > file_.size()) {
            return refuseValues(refusal_, Problem::NfdHeaderSizeInvalid, headerSize_, fixedSize, file_.size());
        }
        header_ = file_.at(0, headerSize_);
        position_ = headerSize_;
        disk_.writeProtect = header_[nfd::CommonHeader::writeProtectOffset] != 0 ? d88::kWriteProtected : 0;
        return true;
    }

    // A revision-1 track block: its header and entries lie in the file's
    // header, after the track table.
    bool readBlock(int track, std::int64_t block) {
        using nfd::R1Block;
        const auto outside = [&] {
            return refuseTrack(refusal_, Problem::NfdTrackBlockOutside, track, block, headerSize_);
        };
        if (block < static_cast<std::int64_t>(nfd::R1Table::firstBlock) ||
            block + static_cast<std::int64_t>(R1Block::headerSize) > headerSize_) {
            return outside();
        }
        const std::uint8_t* blockHeader = header_ + block;
        const std::int64_t sectors = d88::readLE16(blockHeader + R1Block::sectorCountOffset);
        const std::int64_t specials = d88::readLE16(blockHeader + R1Block::specialCountOffset);
        const std::int64_t entriesEnd =
            block + static_cast<std::int64_t>(R1Block::headerSize + R1Block::entrySize * (sectors + specials));
        if (entriesEnd > headerSize_) {
            return outside();
        }
        const std::uint8_t* entry = blockHeader + R1Block::headerSize;
        for (std::int64_t i = 0; i < sectors; ++i, entry += R1Block::entrySize) {
            if (!addSector(track, entry, entry[nfd::R1Entry::driveModeOffset],
                           std::int64_t{entry[nfd::R1Entry::retriesOffset]} + 1)) {
                return false;
            }
        }
        for (std::int64_t i = 0; i < specials; ++i, entry += R1Block::entrySize) {
            const std::int64_t copies = std::int64_t{entry[nfd::R1Special::retriesOffset]} + 1;
            const std::int64_t length = static_cast<std::uint32_t>(d88::readLE32(entry + nfd::R1Special::lengthOffset));
            if (takeData(copies * length) == nullptr) {
                return false;
            }
        }
        return true;
    }

    // The entry's sector, whose data are the next `copies` sector lengths of
    // the data area; the first copy is kept.
    bool addSector(int track, const std::uint8_t* entry, std::uint8_t driveMode, std::int64_t copies) {
        using nfd::SectorEntry;
        const d88::SectorId id{entry[SectorEntry::cylinderOffset], entry[SectorEntry::headOffset],
                               entry[SectorEntry::sectorNumberOffset], entry[SectorEntry::sizeCodeOffset]};
        if (id.sizeCode > d88::kMaxSizeCode) {
            return refuseTrack(refusal_, Problem::ContainerSizeCodeTooLarge, track, id.sectorNumber, id.sizeCode,
                               d88::kMaxSizeCode);
        }
        const std::int64_t length = d88::sectorLength(id.sizeCode);
        const std::uint8_t* data = takeData(copies * length);
        if (data == nullptr) {
            return false;
        }
        ModelSector sector;
        sector.id = id;
        sector.density = entry[SectorEntry::mfmOffset] != 0 ? d88::kDensityDouble : d88::kDensitySingle;
        sector.deletedMark = entry[SectorEntry::deletedOffset] != 0 ? d88::kDeletedDataMark : 0;
        sector.status = entry[SectorEntry::statusOffset];
        sector.data = data;
        sector.dataLength = static_cast<std::size_t>(length);
        disk_.tracks[static_cast<std::size_t>(track)].push_back(sector);
        if (firstDriveMode_ < 0) {
            firstDriveMode_ = driveMode & nfd::kDriveModeMask;
        }
        return true;
    }

    // The next `length` bytes of the data area, or null (refused) when the
    // file ends first.
    const std::uint8_t* takeData(std::int64_t length) {
        const std::uint8_t* data = file_.at(position_, length);
        if (data == nullptr) {
            refuseValues(refusal_, Problem::ContainerDataShort, position_ - headerSize_ + length,
                         file_.size() - headerSize_, 0, 0, kName);
            return nullptr;
        }
        position_ += length;
        return data;
    }

    // The entries must account for every byte after the header.
    bool finish() {
        if (position_ != file_.size()) {
            return refuseValues(refusal_, Problem::ContainerDataLeftOver, position_ - headerSize_,
                                file_.size() - headerSize_, 0, 0, kName);
        }
        disk_.mediaCode = mediaCodeOf(firstDriveMode_, disk_);
        return true;
    }

    const ContainerBytes& file_;
    DiskModel& disk_;
    Refusal& refusal_;
    const std::uint8_t* header_ = nullptr;  // headerSize_ bytes
    std::int64_t headerSize_ = 0;
    std::int64_t position_ = 0;  // of the next data in the file
    int firstDriveMode_ = -1;
};

}  // namespace

bool readNfdImage(const char* path, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    if (!file.open(path, refusal)) {
        return false;
    }
    const ContainerBytes bytes(file.bytes());
    disk = DiskModel{};
    NfdReader reader(bytes, disk, refusal);
    bool read = false;
    if (bytes.matches(nfd::CommonHeader::signatureOffset, nfd::kSignatureR0)) {
        read = reader.readRevision0();
    } else if (bytes.matches(nfd::CommonHeader::signatureOffset, nfd::kSignatureR1)) {
        read = reader.readRevision1();
    } else {
        read = refuse(refusal, Problem::ContainerNoSignature, kName);
    }
    if (!read) {
        return false;
    }
    disk.keep(std::move(file));
    return true;
}
