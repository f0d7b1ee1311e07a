#include "container_files.h"

#include <cstring>
#include <string_view>

#include "support/d88_fixture.h"

namespace {

void put(Bytes& bytes, std::size_t offset, std::string_view text) {
    std::memcpy(bytes.data() + offset, text.data(), text.size());
}

void append(Bytes& bytes, const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }

std::size_t lengthOf(const ContainerSector& sector) { return std::size_t{128} << sector.sizeCode; }

}  // namespace

Bytes sectorData(const ContainerSector& sector) {
    const std::size_t length = lengthOf(sector);
    if (sector.fillOnly) {
        return Bytes(length, sector.fill);
    }
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(sector.cylinder * 7 + sector.head * 101 + sector.record * 29 +
                                             sector.sizeCode * 53 + i + (i >> 8) * 3);
    }
    return bytes;
}

Bytes flatData(const ContainerTracks& tracks) {
    Bytes bytes;
    for (const auto& [index, sectors] : tracks) {
        for (const ContainerSector& sector : sectors) {
            append(bytes, sectorData(sector));
        }
    }
    return bytes;
}

ContainerTracks uniformLayout(int tracks, int sectors, std::uint8_t sizeCode, std::uint8_t driveMode) {
    ContainerTracks layout;
    for (int track = 0; track < tracks; ++track) {
        for (int record = 1; record <= sectors; ++record) {
            ContainerSector sector;
            sector.cylinder = static_cast<std::uint8_t>(track / 2);
            sector.head = static_cast<std::uint8_t>(track % 2);
            sector.record = static_cast<std::uint8_t>(record);
            sector.sizeCode = sizeCode;
            sector.driveMode = driveMode;
            sector.highDensity = driveMode != 0x10;
            layout[track].push_back(sector);
        }
    }
    return layout;
}

ContainerTracks layout2HD() { return uniformLayout(154, 8, 3); }

ContainerTracks layoutN88() {
    ContainerTracks layout = uniformLayout(154, 26, 1);
    for (ContainerSector& sector : layout[0]) {
        sector.sizeCode = 0;
        sector.singleDensity = true;
    }
    return layout;
}

// NFD: signature, comment, header size at 0x110, write protect at 0x114,
// heads at 0x115; r0's table of 163 x 26 entries at 0x120 (C, H, R, N, MFM,
// DDAM, status, ST0-ST2, PDA); the data in entry order.
Bytes nfdR0File(const ContainerTracks& tracks, bool writeProtected) {
    Bytes file(kNfdR0HeaderSize, 0);
    put(file, 0, std::string_view("T98FDDIMAGE.R0\0", 15));
    put(file, 0x10, "built by the imgconv tests");
    storeLE32(file, kNfdHeaderSizeField, kNfdR0HeaderSize);
    file[0x114] = writeProtected ? 1 : 0;
    file[0x115] = 2;
    for (int track = 0; track < 163; ++track) {
        const auto found = tracks.find(track);
        for (int slot = 0; slot < 26; ++slot) {
            const std::size_t at = nfdR0Entry(track, slot);
            if (found == tracks.end() || slot >= static_cast<int>(found->second.size())) {
                file[at] = 0xFF;
                continue;
            }
            const ContainerSector& s = found->second[static_cast<std::size_t>(slot)];
            const std::uint8_t entry[] = {s.cylinder, s.head, s.record, s.sizeCode, s.singleDensity ? std::uint8_t{0} : std::uint8_t{1},
                                          s.deleted ? std::uint8_t{1} : std::uint8_t{0}, s.status, 0, 0, 0, s.driveMode};
            std::memcpy(file.data() + at, entry, sizeof entry);
        }
    }
    for (const auto& [index, sectors] : tracks) {
        for (const ContainerSector& sector : sectors) {
            append(file, sectorData(sector));
        }
    }
    return file;
}

// NFD r1: the track table of 164 absolute block offsets at 0x120, blocks
// from 0x3C0 (u16 sector count, u16 special count, 12 reserved; sector
// entries C, H, R, N, MFM, DDAM, status, ST0-ST2, retry, PDA; special
// entries cmd, C, H, R, N, status, ST0-ST2, retry, u32 length, PDA); the
// data per track in entry order, retries + 1 copies of each.
Bytes nfdR1File(const ContainerTracks& tracks, const std::map<int, std::vector<NfdSpecial>>& specials) {
    Bytes blocks;
    Bytes data;
    std::map<int, std::size_t> blockAt;
    for (int track = 0; track < 164; ++track) {
        const auto found = tracks.find(track);
        const auto special = specials.find(track);
        if (found == tracks.end() && special == specials.end()) {
            continue;
        }
        const std::vector<ContainerSector> none;
        const std::vector<ContainerSector>& sectors = found == tracks.end() ? none : found->second;
        const std::vector<NfdSpecial> noSpecials;
        const std::vector<NfdSpecial>& extra = special == specials.end() ? noSpecials : special->second;
        blockAt[track] = 0x3C0 + blocks.size();
        Bytes block(16, 0);
        storeLE16(block, 0, static_cast<std::uint32_t>(sectors.size()));
        storeLE16(block, 2, static_cast<std::uint32_t>(extra.size()));
        for (const ContainerSector& s : sectors) {
            const Bytes entry = {s.cylinder, s.head, s.record, s.sizeCode, s.singleDensity ? std::uint8_t{0} : std::uint8_t{1},
                                 s.deleted ? std::uint8_t{1} : std::uint8_t{0}, s.status, 0, 0, 0, s.retries,
                                 static_cast<std::uint8_t>(s.driveMode & 0xF0), 0, 0, 0, 0};
            append(block, entry);
            append(data, sectorData(s));
            for (int copy = 0; copy < s.retries; ++copy) {
                append(data, Bytes(lengthOf(s), static_cast<std::uint8_t>(0xA0 + copy)));
            }
        }
        for (const NfdSpecial& sp : extra) {
            Bytes entry = {0x46, 0, 0, 1, 3, 0, 0, 0, 0, sp.retries, 0, 0, 0, 0, 0x90, 0};
            storeLE32(entry, 10, sp.length);
            append(block, entry);
            append(data, Bytes(static_cast<std::size_t>(sp.length) * (sp.retries + 1u), 0x5A));
        }
        append(blocks, block);
    }
    Bytes file(0x3C0, 0);
    put(file, 0, std::string_view("T98FDDIMAGE.R1\0", 15));
    storeLE32(file, kNfdHeaderSizeField, static_cast<std::uint32_t>(0x3C0 + blocks.size()));
    file[0x115] = 2;
    for (const auto& [track, at] : blockAt) {
        storeLE32(file, kNfdR1TrackTable + 4 * static_cast<std::size_t>(track), static_cast<std::uint32_t>(at));
    }
    append(file, blocks);
    append(file, data);
    return file;
}

// FDD: "VFD1.00", comment, write protect (u16) at 0x88, special-read drive
// at 0x8A, 160 x 26 entries of 12 bytes at 0xDC (C, H, R, N, fill, DDAM,
// MF, 2HD, u32 absolute data offset); data anywhere after 0xC3FC. The data
// are stored here in reverse track order, so offsets are not in file order.
Bytes fddFile(const ContainerTracks& tracks, bool writeProtected) {
    Bytes file(kFddHeaderSize, 0);
    put(file, 0, std::string_view("VFD1.00\0", 8));
    storeLE16(file, 0x88, writeProtected ? 1 : 0);
    storeLE16(file, 0x8A, 0xFFFF);
    for (int track = 0; track < 160; ++track) {
        for (int slot = 0; slot < 26; ++slot) {
            const std::size_t at = fddEntry(track, slot);
            std::memset(file.data() + at, 0xFF, 4);
            storeLE32(file, at + 8, 0xFFFFFFFF);
        }
    }
    for (auto it = tracks.rbegin(); it != tracks.rend(); ++it) {
        const auto& [track, sectors] = *it;
        for (std::size_t slot = 0; slot < sectors.size(); ++slot) {
            const ContainerSector& s = sectors[slot];
            const std::size_t at = fddEntry(track, static_cast<int>(slot));
            const std::uint8_t entry[] = {s.cylinder, s.head, s.record, s.sizeCode, s.fill,
                                          s.deleted ? std::uint8_t{1} : std::uint8_t{0},
                                          s.singleDensity ? std::uint8_t{0} : std::uint8_t{1},
                                          s.highDensity ? std::uint8_t{1} : std::uint8_t{0}};
            std::memcpy(file.data() + at, entry, sizeof entry);
            if (!s.fillOnly) {
                storeLE32(file, at + 8, static_cast<std::uint32_t>(file.size()));
                append(file, sectorData(s));
            }
        }
    }
    return file;
}

// DCP: media byte, 160 stored flags, the all-tracks flag; the stored tracks'
// data in track-index order.
Bytes dcpFile(std::uint8_t media, const ContainerTracks& tracks, bool allTracksFlag) {
    Bytes file(kDcpHeaderSize, 0);
    file[0] = media;
    for (const auto& [track, sectors] : tracks) {
        file.at(1 + static_cast<std::size_t>(track)) = 1;
    }
    file[0xA1] = allTracksFlag ? 1 : 0;
    append(file, flatData(tracks));
    return file;
}

// DIP: 256-byte header (the bytes seen in the wild, then a comment), then
// the data.
Bytes dipFile(const ContainerTracks& tracks) {
    Bytes file(0x100, 0);
    const std::uint8_t start[] = {0x01, 0x08, 0x00, 0x13, 0x41, 0x00, 0x01, 0x00};
    std::memcpy(file.data(), start, sizeof start);
    put(file, 0x10, "built by the imgconv tests");
    append(file, flatData(tracks));
    return file;
}

// DIM: media byte, present flags from 0x01, "DIFC HEADER  " at 0xAB; track t
// at 0x100 + t x its length.
Bytes dimFile(std::uint8_t media, const ContainerTracks& tracks) {
    Bytes file(kDimHeaderSize, 0);
    file[0] = media;
    put(file, 0xAB, "DIFC HEADER  ");
    for (const auto& [track, sectors] : tracks) {
        file.at(1 + static_cast<std::size_t>(track)) = 1;
        Bytes data;
        for (const ContainerSector& sector : sectors) {
            append(data, sectorData(sector));
        }
        const std::size_t at = kDimHeaderSize + static_cast<std::size_t>(track) * data.size();
        if (file.size() < at + data.size()) {
            file.resize(at + data.size(), 0);
        }
        std::memcpy(file.data() + at, data.data(), data.size());
    }
    return file;
}
