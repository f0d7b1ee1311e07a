#include "support/mfi_sectors.h"

#include <cstring>

#ifdef IMGTOOLS_HAVE_ZLIB
#include <zlib.h>
#endif

namespace {

constexpr char kSignature[] = "MAMEFLOPPYIMAGE";  // 16 bytes with its NUL
constexpr std::size_t kHeaderSize = 32;           // signature, cylinders, heads, form factor, variant
constexpr std::size_t kTrackEntrySize = 16;       // offset, compressed size, uncompressed size, write splice
constexpr std::uint32_t kCylinderMask = 0x3FFFFFFF;  // the top bits give the track resolution
constexpr std::uint32_t kTimeMask = 0x0FFFFFFF;
constexpr int kKindShift = 28;
constexpr std::uint32_t kFluxTransition = 0;
constexpr std::int64_t kTurn = 200000000;

// The address marks as bit cells: MFM's A1 sync byte with a missing clock;
// FM's marks with clock C7.
constexpr std::uint32_t kMfmSync = 0x4489;
constexpr std::uint32_t kFmIdMark = 0xF57E;       // FE
constexpr std::uint32_t kFmDataMark = 0xF56F;     // FB
constexpr std::uint32_t kFmDeletedMark = 0xF56A;  // F8
constexpr std::uint8_t kIdMark = 0xFE;
constexpr std::uint8_t kDataMark = 0xFB;
constexpr std::uint8_t kDeletedMark = 0xF8;
constexpr std::uint8_t kSyncByte = 0xA1;
constexpr int kLargestSizeCode = 7;

std::uint32_t le32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t crc16(std::uint16_t crc, std::uint8_t byte) {
    crc = static_cast<std::uint16_t>(crc ^ (byte << 8));
    for (int bit = 0; bit < 8; ++bit) {
        crc = static_cast<std::uint16_t>((crc & 0x8000) != 0 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

class CellDecoder {
public:
    explicit CellDecoder(std::vector<std::uint8_t> cells) : cells_(std::move(cells)) {}

    std::vector<MfiSector> sectors() {
        std::vector<MfiSector> found;
        std::uint32_t shift = 0;
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            shift = ((shift << 1) | cells_[i]) & 0xFFFF;
            const std::size_t next = i + 1;
            if (shift == kMfmSync && !is(next, kMfmSync)) {
                std::uint8_t mark = 0;
                if (byteAt(next, mark)) {
                    field(next + 16, mark, false, found);
                }
            } else if (shift == kFmIdMark) {
                field(next, kIdMark, true, found);
            } else if (shift == kFmDataMark) {
                field(next, kDataMark, true, found);
            } else if (shift == kFmDeletedMark) {
                field(next, kDeletedMark, true, found);
            }
        }
        return found;
    }

private:
    bool is(std::size_t at, std::uint32_t pattern) const {
        if (at + 16 > cells_.size()) {
            return false;
        }
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            value = (value << 1) | cells_[at + k];
        }
        return value == pattern;
    }

    // A byte whose clock cell comes first: the data bits are every second cell.
    bool byteAt(std::size_t at, std::uint8_t& byte) const {
        if (at + 16 > cells_.size()) {
            return false;
        }
        byte = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            byte = static_cast<std::uint8_t>((byte << 1) | cells_[at + 2 * k + 1]);
        }
        return true;
    }

    bool bytesAt(std::size_t at, std::size_t count, Bytes& bytes) const {
        bytes.resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            if (!byteAt(at + 16 * k, bytes[k])) {
                return false;
            }
        }
        return true;
    }

    // The field after a mark at `at`: an ID remembered, or data completing
    // the sector of the last ID.
    void field(std::size_t at, std::uint8_t mark, bool fm, std::vector<MfiSector>& found) {
        std::uint16_t crc = 0xFFFF;
        if (!fm) {
            for (int i = 0; i < 3; ++i) {
                crc = crc16(crc, kSyncByte);
            }
        }
        crc = crc16(crc, mark);
        Bytes bytes;
        if (mark == kIdMark) {
            if (!bytesAt(at, 6, bytes)) {
                return;
            }
            pending_ = MfiSector{};
            pending_.cylinder = bytes[0];
            pending_.head = bytes[1];
            pending_.record = bytes[2];
            pending_.sizeCode = bytes[3];
            pending_.singleDensity = fm;
            pending_.idCrcGood = crcMatches(crc, bytes, 4);
            havePending_ = pending_.sizeCode <= kLargestSizeCode;
            return;
        }
        if ((mark != kDataMark && mark != kDeletedMark) || !havePending_) {
            return;
        }
        havePending_ = false;
        const std::size_t length = std::size_t{128} << pending_.sizeCode;
        if (!bytesAt(at, length + 2, bytes)) {
            return;
        }
        MfiSector sector = pending_;
        sector.deleted = mark == kDeletedMark;
        sector.dataCrcGood = crcMatches(crc, bytes, length);
        sector.data.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        found.push_back(sector);
    }

    static bool crcMatches(std::uint16_t crc, const Bytes& bytes, std::size_t length) {
        for (std::size_t k = 0; k < length; ++k) {
            crc = crc16(crc, bytes[k]);
        }
        return crc == ((bytes[length] << 8) | bytes[length + 1]);
    }

    std::vector<std::uint8_t> cells_;
    MfiSector pending_;
    bool havePending_ = false;
};

#ifdef IMGTOOLS_HAVE_ZLIB
bool trackCells(const Bytes& file, std::size_t entry, std::int64_t cellsPerTurn, std::vector<std::uint8_t>& cells) {
    const std::uint32_t offset = le32(file, entry);
    const std::uint32_t compressed = le32(file, entry + 4);
    const std::uint32_t size = le32(file, entry + 8);
    cells.assign(static_cast<std::size_t>(cellsPerTurn + 1), 0);
    if (compressed == 0) {
        return true;
    }
    if (offset > file.size() || compressed > file.size() - offset) {
        return false;
    }
    Bytes values(size);
    uLongf length = size;
    if (uncompress(values.data(), &length, file.data() + offset, compressed) != Z_OK || length != size) {
        return false;
    }
    std::int64_t position = 0;
    for (std::size_t at = 0; at + 4 <= values.size(); at += 4) {
        const std::uint32_t value = le32(values, at);
        position += value & kTimeMask;
        const auto cell = static_cast<std::size_t>(position * cellsPerTurn / kTurn);
        if ((value >> kKindShift) == kFluxTransition && cell < cells.size()) {
            cells[cell] = 1;
        }
    }
    return true;
}
#endif

}  // namespace

MfiRead readMfiTracks(const Bytes& file, std::int64_t cellsPerTurn, std::vector<MfiTrack>& tracks) {
    tracks.clear();
    if (file.size() < kHeaderSize || std::memcmp(file.data(), kSignature, sizeof kSignature) != 0) {
        return MfiRead::NotMfi;
    }
#ifdef IMGTOOLS_HAVE_ZLIB
    const std::uint32_t cylinders = le32(file, 16) & kCylinderMask;
    const std::uint32_t heads = le32(file, 20);
    if (heads > 2 || cylinders > 100 || kHeaderSize + kTrackEntrySize * cylinders * heads > file.size()) {
        return MfiRead::NotMfi;
    }
    for (std::uint32_t cylinder = 0; cylinder < cylinders; ++cylinder) {
        for (std::uint32_t head = 0; head < heads; ++head) {
            std::vector<std::uint8_t> cells;
            if (!trackCells(file, kHeaderSize + kTrackEntrySize * (cylinder * heads + head), cellsPerTurn, cells)) {
                return MfiRead::NotMfi;
            }
            tracks.push_back({static_cast<int>(cylinder), static_cast<int>(head), CellDecoder(std::move(cells)).sectors()});
        }
    }
    return MfiRead::Ok;
#else
    (void)cellsPerTurn;
    return MfiRead::NoZlib;
#endif
}
