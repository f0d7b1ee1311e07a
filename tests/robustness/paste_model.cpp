#include "robustness/paste_model.h"

#include <algorithm>
#include <cstdio>

#include "support/d88_fixture.h"

namespace paste_text {
const char* const kBanner = "*** 片面モード ***\n";
const char* const kNoSuchDisk = "指定のディスクがありません.\n";
const char* const kTrackOutOfRange = "トラックの指定が範囲外です.\n";
const char* const kTrackNotFormatted = "指定のトラックはフォーマットされていません.\n";
const char* const kSectorNotFound = "指定されたセクタが見つかりません.\n";

std::string shortWrite(std::size_t written) {
    return "D88イメージへの書き込みに失敗しました.(書き込んだサイズ: " + std::to_string(written) + " byte)\n";
}

std::string result(int disk, int track, int sector, std::size_t written) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "diskno:%2d track:%2d sector:%2d", disk, track, sector);
    return std::string(numbers) + " から " + std::to_string(written) + "byte 書き込みました.\n";
}
}  // namespace paste_text

namespace {

constexpr std::size_t kDiskHeader = kFixtureDiskHeaderSize;
constexpr std::size_t kRecordHeader = kFixtureRecordHeaderSize;
constexpr std::size_t kListedIds = 64;
constexpr int kLastIndex = 163;
constexpr int kSingleSidedLastIndex = 70;

struct Found {
    bool found = false;
    const ModelRecord* record = nullptr;
};

bool headerInFile(const ModelRecord& record, std::size_t fileLength) {
    return record.offset + kRecordHeader <= fileLength;
}

// A sector search: records in stored order until one whose header the file
// cuts, a count of 0, the identity, or the record that is last by its count.
Found search(const std::vector<ModelRecord>& track, std::size_t fileLength, int c, int h, int r, int n) {
    for (std::size_t i = 0; i < track.size(); ++i) {
        const ModelRecord& record = track[i];
        if (!headerInFile(record, fileLength) || record.count == 0) {
            return {};
        }
        if (record.cylinder == c && record.head == h && record.record == r && record.sizeCode == n) {
            return {true, &record};
        }
        if (i + 1 == record.count) {
            return {};
        }
    }
    return {};
}

// The identities a listing of 64 stores, in stored order.
std::vector<const ModelRecord*> listIds(const std::vector<ModelRecord>& track, std::size_t fileLength) {
    std::vector<const ModelRecord*> ids;
    for (std::size_t i = 0; i < track.size() && ids.size() < kListedIds; ++i) {
        if (!headerInFile(track[i], fileLength)) {
            break;
        }
        ids.push_back(&track[i]);
        if (i + 1 == track[i].count) {
            break;
        }
    }
    return ids;
}

}  // namespace

PastePrediction predictPaste(const ModelImage& image, const PasteCase& paste) {
    PastePrediction prediction;
    std::size_t listedDisks = 0;
    while (listedDisks < image.disks.size() && image.disks[listedDisks].offset + kDiskHeader <= image.fileLength) {
        ++listedDisks;
    }
    if (paste.disk < 0 || static_cast<std::size_t>(paste.disk) >= listedDisks) {
        prediction.err = paste_text::kNoSuchDisk;
        return prediction;
    }
    if (paste.track < 0 || paste.track > kLastIndex) {
        prediction.err = paste_text::kTrackOutOfRange;
        return prediction;
    }
    const ModelDisk& disk = image.disks[static_cast<std::size_t>(paste.disk)];
    int index = paste.singleSided ? paste.track * 2 : paste.track;
    int c = paste.singleSided ? paste.track : paste.track / 2;
    int h = paste.singleSided ? 0 : paste.track % 2;
    const int lastIndex = paste.singleSided ? kSingleSidedLastIndex : kLastIndex;
    if (paste.singleSided) {
        prediction.out = paste_text::kBanner;
    }
    const auto startTrack = disk.tracks.find(index);
    std::vector<const ModelRecord*> ids;
    if (startTrack != disk.tracks.end()) {
        ids = listIds(startTrack->second, image.fileLength);
    }
    if (ids.empty()) {
        prediction.err = paste_text::kTrackNotFormatted;
        return prediction;
    }
    std::stable_sort(ids.begin(), ids.end(),
                     [](const ModelRecord* a, const ModelRecord* b) { return a->record < b->record; });
    const int lowest = ids.front()->record;
    const int highest = ids.back()->record;
    if (paste.sector < lowest || paste.sector > highest) {
        prediction.err = paste_text::kSectorNotFound;
        return prediction;
    }
    const auto position = static_cast<std::size_t>(paste.sector - lowest);
    int n = 0;
    if (position < ids.size()) {
        n = ids[position]->sizeCode;
    } else {
        n = (*std::find_if(ids.begin(), ids.end(),
                           [&](const ModelRecord* id) { return id->record >= paste.sector; }))->sizeCode;
    }

    // The run: a chunk of 128 << N (or what is left) to each position in turn.
    // A sector that the end of the file cuts short is written all the same,
    // as long as the write stays before the disk's declared end.
    const std::size_t writableEnd = disk.offset + disk.size;
    std::size_t total = 0;
    int r = paste.sector;
    while (total < paste.sourceLength) {
        const std::size_t chunk = std::min(static_cast<std::size_t>(128) << n, paste.sourceLength - total);
        const auto track = disk.tracks.find(index);
        if (track != disk.tracks.end()) {
            const Found found = search(track->second, image.fileLength, c, h, r, n);
            const std::size_t dataBegin = found.found ? found.record->offset + kRecordHeader : 0;
            const std::size_t length = found.found ? std::min<std::size_t>(found.record->dataLength, chunk) : 0;
            if (length > 0 && dataBegin + length <= writableEnd) {
                prediction.writes.push_back({dataBegin, total, length});
                total += length;
            }
        }
        if (total >= paste.sourceLength) {
            break;
        }
        if (r != highest) {
            ++r;
            continue;
        }
        r = lowest;
        if (paste.singleSided) {
            index += 2;
            ++c;
        } else {
            ++index;
            c += h;
            h = 1 - h;
        }
        if (index > lastIndex) {
            break;
        }
    }
    if (total == paste.sourceLength) {
        prediction.exitStatus = 0;
        prediction.out += paste_text::result(paste.disk, paste.track, paste.sector, total);
    } else {
        prediction.err = paste_text::shortWrite(total);
    }
    return prediction;
}

Bytes applyWrites(Bytes image, const Bytes& source, const std::vector<ModelWrite>& writes) {
    for (const ModelWrite& write : writes) {
        image.resize(std::max(image.size(), write.offset + write.length));
        std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(write.from), write.length,
                    image.begin() + static_cast<std::ptrdiff_t>(write.offset));
    }
    return image;
}

namespace {

std::uint32_t le16(const Bytes& bytes, std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }
std::uint32_t le32(const Bytes& bytes, std::size_t at) { return le16(bytes, at) | le16(bytes, at + 2) << 16; }

}  // namespace

ModelImage modelOfSoundImage(const Bytes& image) {
    ModelImage model;
    model.fileLength = image.size();
    std::size_t offset = 0;
    while (offset + kDiskHeader <= image.size()) {
        ModelDisk disk;
        disk.offset = offset;
        disk.size = le32(image, offset + 0x1C);
        for (int index = 0; index <= kLastIndex; ++index) {
            const std::size_t entry = le32(image, offset + 0x20 + 4 * static_cast<std::size_t>(index));
            if (entry == 0 || entry > disk.size) {
                continue;
            }
            std::vector<ModelRecord>& records = disk.tracks[index];
            std::size_t at = offset + entry;
            do {
                ModelRecord record;
                record.offset = at;
                record.cylinder = image.at(at);
                record.head = image.at(at + 1);
                record.record = image.at(at + 2);
                record.sizeCode = image.at(at + 3);
                record.count = static_cast<std::uint16_t>(le16(image, at + 4));
                record.dataLength = static_cast<std::uint16_t>(le16(image, at + 14));
                records.push_back(record);
                at += kRecordHeader + record.dataLength;
            } while (records.size() < records.front().count);
        }
        model.disks.push_back(disk);
        offset += disk.size;
    }
    return model;
}

std::vector<bool> sectorDataBytes(const ModelImage& image, std::size_t fileLength) {
    std::vector<bool> data(fileLength, false);
    for (const ModelDisk& disk : image.disks) {
        for (const auto& [index, records] : disk.tracks) {
            for (const ModelRecord& record : records) {
                const std::size_t begin = record.offset + kRecordHeader;
                for (std::size_t i = begin; i < begin + record.dataLength && i < fileLength; ++i) {
                    data[i] = true;
                }
            }
        }
    }
    return data;
}
