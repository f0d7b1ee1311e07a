#include "conv/fdd_reader.h"

#include <map>
#include <utility>
#include <vector>

#include "conv/container_bytes.h"
#include "conv/fdd_format.h"
#include "conv/mapped_file.h"
#include "d88/byte_order.h"
#include "d88/d88_format.h"

namespace {

constexpr const char* kName = "FDD";

class FddReader {
public:
    FddReader(const ContainerBytes& file, DiskModel& disk, Refusal& refusal)
        : file_(file), disk_(disk), refusal_(refusal) {}

    bool read() {
        using fdd::Header;
        if (!file_.matches(Header::signatureOffset, fdd::kSignature)) {
            return refuse(refusal_, Problem::ContainerNoSignature, kName);
        }
        const std::uint8_t* header = file_.at(0, Header::size);
        if (header == nullptr) {
            return refuseValues(refusal_, Problem::ContainerHeaderShort, file_.size(), Header::size, 0, 0, kName);
        }
        disk_.writeProtect = d88::readLE16(header + Header::writeProtectOffset) != 0 ? d88::kWriteProtected : 0;
        for (int row = 0; row < Header::rows; ++row) {
            for (int slot = 0; slot < Header::entriesPerRow; ++slot) {
                const std::uint8_t* entry = header + Header::entryOffset(row, slot);
                if (entry[fdd::Entry::cylinderOffset] != fdd::kUnusedSlot && !addSector(row, entry)) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    bool addSector(int track, const std::uint8_t* entry) {
        using fdd::Entry;
        const d88::SectorId id{entry[Entry::cylinderOffset], entry[Entry::headOffset], entry[Entry::sectorNumberOffset],
                               entry[Entry::sizeCodeOffset]};
        if (id.sizeCode > d88::kMaxSizeCode) {
            return refuseTrack(refusal_, Problem::ContainerSizeCodeTooLarge, track, id.sectorNumber, id.sizeCode,
                               d88::kMaxSizeCode);
        }
        const std::int64_t length = d88::sectorLength(id.sizeCode);
        const std::uint32_t offset = static_cast<std::uint32_t>(d88::readLE32(entry + Entry::dataOffset));
        const std::uint8_t* data = nullptr;
        if (offset == fdd::kFillOnly || offset == fdd::kFillOnlyZero) {
            data = filled(entry[Entry::fillOffset], length);
        } else if (offset >= fdd::Header::size) {
            data = file_.at(offset, length);
        }
        if (data == nullptr) {
            return refuseTrack(refusal_, Problem::FddDataOutside, track, id.sectorNumber, offset, file_.size());
        }
        ModelSector sector;
        sector.id = id;
        sector.density = entry[Entry::mfmOffset] != 0 ? d88::kDensityDouble : d88::kDensitySingle;
        sector.deletedMark = entry[Entry::deletedOffset] != 0 ? d88::kDeletedDataMark : 0;
        sector.data = data;
        sector.dataLength = static_cast<std::size_t>(length);
        disk_.tracks[static_cast<std::size_t>(track)].push_back(sector);
        if (!mediaSet_) {
            disk_.mediaCode = entry[Entry::highDensityOffset] != 0 ? d88::kMedia2HD : d88::kMedia2DD;
            mediaSet_ = true;
        }
        return true;
    }

    // `length` bytes of `fill`, made once for each fill and length.
    const std::uint8_t* filled(std::uint8_t fill, std::int64_t length) {
        const auto key = std::make_pair(fill, length);
        auto found = fills_.find(key);
        if (found == fills_.end()) {
            const std::uint8_t* bytes = disk_.keep(std::vector<std::uint8_t>(static_cast<std::size_t>(length), fill));
            found = fills_.emplace(key, bytes).first;
        }
        return found->second;
    }

    const ContainerBytes& file_;
    DiskModel& disk_;
    Refusal& refusal_;
    bool mediaSet_ = false;
    std::map<std::pair<std::uint8_t, std::int64_t>, const std::uint8_t*> fills_;
};

}  // namespace

bool readFddImage(const char* path, DiskModel& disk, Refusal& refusal) {
    MappedFile file;
    if (!file.open(path, refusal)) {
        return false;
    }
    disk = DiskModel{};
    disk.mediaCode = d88::kMedia2HD;  // unless a sector says otherwise
    const ContainerBytes bytes(file.bytes());
    FddReader reader(bytes, disk, refusal);
    if (!reader.read()) {
        return false;
    }
    disk.keep(std::move(file));
    return true;
}
