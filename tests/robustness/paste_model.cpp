#include "robustness/paste_model.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "support/d88_fixture.h"
#include "support/expected_texts.h"

namespace {

constexpr std::int64_t kDiskHeader = kFixtureDiskHeaderSize;
constexpr std::int64_t kRecordHeader = kFixtureRecordHeaderSize;
constexpr std::int64_t kMaxOffset = 0x7FFFFFFF;
constexpr int kMaxDisks = 64;
constexpr int kLastIndex = 163;
constexpr int kSingleSidedLastIndex = 70;
constexpr std::size_t kListedIds = 64;

struct Identity {
    int cylinder, head, sectorNumber, sizeCode;
    bool operator==(const Identity&) const = default;
};

class ModelRun {
public:
    explicit ModelRun(const Bytes& image) : bytes_(image) {}

    Bytes& bytes() { return bytes_; }
    std::int64_t length() const { return static_cast<std::int64_t>(bytes_.size()); }

    std::uint32_t le16(std::int64_t at) const {
        return bytes_[static_cast<std::size_t>(at)] | bytes_[static_cast<std::size_t>(at) + 1] << 8;
    }
    std::int32_t le32(std::int64_t at) const {
        return static_cast<std::int32_t>(le16(at) | le16(at + 2) << 16);
    }

    // Disk offsets by their size fields, up to a header the file cuts or a
    // size that leaves the range of a signed 32-bit offset.
    std::vector<std::int64_t> directory() const {
        std::vector<std::int64_t> offsets;
        std::int64_t offset = 0;
        while (static_cast<int>(offsets.size()) < kMaxDisks && offset + kDiskHeader <= length()) {
            const std::int64_t next = offset + le32(offset + 0x1C);
            if (next < offset || next > kMaxOffset) {
                break;
            }
            offsets.push_back(offset);
            offset = next;
        }
        return offsets;
    }

    void select(std::int64_t offset) {
        disk_ = offset;
        size_ = le32(offset + 0x1C);
        for (int i = 0; i <= kLastIndex; ++i) {
            entries_[static_cast<std::size_t>(i)] = le32(offset + 0x20 + 4 * i);
        }
    }

    std::optional<std::int64_t> trackStart(int index) const {
        if (index < 0 || index > kLastIndex) {
            return std::nullopt;
        }
        const std::int32_t entry = entries_[static_cast<std::size_t>(index)];
        if (entry <= 0 || entry > size_ || disk_ + entry > kMaxOffset) {
            return std::nullopt;
        }
        return disk_ + entry;
    }

    bool headerAt(std::int64_t at) const { return at + kRecordHeader <= length(); }
    Identity identityAt(std::int64_t at) const {
        const auto i = static_cast<std::size_t>(at);
        return {bytes_[i], bytes_[i + 1], bytes_[i + 2], bytes_[i + 3]};
    }

    // The identities a listing of 64 stores, in stored order.
    std::vector<Identity> listIds(int index) const {
        std::vector<Identity> ids;
        const std::optional<std::int64_t> start = trackStart(index);
        std::int64_t at = start.value_or(0);
        for (std::uint32_t i = 0; start && ids.size() < kListedIds && headerAt(at); ++i) {
            ids.push_back(identityAt(at));
            if (i + 1 == le16(at + 4)) {
                break;
            }
            at += kRecordHeader + le16(at + 14);
        }
        return ids;
    }

    // A search from the track's start: it ends with no match at a header the
    // file cuts, at a count of 0, or after the record that is last by its own
    // count; a matching record takes the transfer, inside the disk's data
    // area only.
    std::int64_t writeSector(int index, const Identity& wanted, const std::uint8_t* data, std::int64_t limit) {
        const std::optional<std::int64_t> start = trackStart(index);
        if (!start || std::min({wanted.cylinder, wanted.head, wanted.sectorNumber, wanted.sizeCode}) < 0 ||
            std::max({wanted.cylinder, wanted.head, wanted.sectorNumber, wanted.sizeCode}) > 255) {
            return 0;
        }
        std::int64_t at = *start;
        for (std::uint32_t i = 0; headerAt(at); ++i) {
            const std::uint32_t count = le16(at + 4);
            const std::int64_t dataLength = le16(at + 14);
            if (count == 0) {
                return 0;
            }
            if (identityAt(at) == wanted) {
                const std::int64_t begin = at + kRecordHeader;
                // A sector that the end of the file cuts short is written
                // all the same, and the file grows; never past the disk's end.
                const std::int64_t transfer = std::min(dataLength, limit);
                if (transfer <= 0 || begin < disk_ + kDiskHeader || begin + transfer > disk_ + size_) {
                    return 0;
                }
                if (begin + transfer > length()) {
                    bytes_.resize(static_cast<std::size_t>(begin + transfer));
                }
                std::copy_n(data, transfer, bytes_.begin() + begin);
                return transfer;
            }
            if (i + 1 == count) {
                return 0;
            }
            at += kRecordHeader + dataLength;
        }
        return 0;
    }

private:
    Bytes bytes_;
    std::int64_t disk_ = 0;
    std::int32_t size_ = 0;
    std::array<std::int32_t, kLastIndex + 1> entries_{};
};

}  // namespace

PastePrediction predictPaste(const Bytes& image, const Bytes& source, const PasteCase& paste) {
    ModelRun run(image);
    PastePrediction prediction;
    auto refuse = [&](const std::string& message) {
        prediction.err = message;
        prediction.image = run.bytes();
        return prediction;
    };
    const std::vector<std::int64_t> disks = run.directory();
    if (paste.disk < 0 || paste.disk >= static_cast<int>(disks.size())) {
        return refuse(kNoSuchDisk);
    }
    run.select(disks[static_cast<std::size_t>(paste.disk)]);
    if (paste.track < 0 || paste.track > kLastIndex) {
        return refuse(kTrackOutOfRange);
    }
    int index = paste.singleSided ? paste.track * 2 : paste.track;
    int c = paste.singleSided ? paste.track : paste.track / 2;
    int h = paste.singleSided ? 0 : paste.track % 2;
    const int lastIndex = paste.singleSided ? kSingleSidedLastIndex : kLastIndex;
    if (paste.singleSided) {
        prediction.out = kBanner;
    }
    std::vector<Identity> ids = run.listIds(index);
    if (ids.empty()) {
        return refuse(kTrackNotFormatted);
    }
    std::stable_sort(ids.begin(), ids.end(),
                     [](const Identity& a, const Identity& b) { return a.sectorNumber < b.sectorNumber; });
    const int lowest = ids.front().sectorNumber;
    const int highest = ids.back().sectorNumber;
    if (paste.sectorNumber < lowest || paste.sectorNumber > highest) {
        return refuse(kSectorNotFound);
    }
    // The identity at position R - lowest, or past a gap in the numbering the
    // first whose number is at least R.
    const auto position = static_cast<std::size_t>(paste.sectorNumber - lowest);
    const int n = position < ids.size()
                      ? ids[position].sizeCode
                      : std::find_if(ids.begin(), ids.end(), [&](const Identity& id) {
                            return id.sectorNumber >= paste.sectorNumber;
                        })->sizeCode;

    // The run: a share of 128 << N (or what is left) to each position in turn.
    const auto length = static_cast<std::int64_t>(source.size());
    std::int64_t total = 0;
    int r = paste.sectorNumber;
    while (total < length) {
        std::int64_t share = length - total;
        if (n >= 0 && n <= 23) {
            share = std::min<std::int64_t>(share, std::int64_t{128} << n);
        }
        total += run.writeSector(index, {c, h, r, n}, source.data() + total, share);
        if (total >= length) {
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
    if (total == length) {
        prediction.exitStatus = 0;
        prediction.out += pasteResult(paste.disk, paste.track, paste.sectorNumber, static_cast<std::size_t>(total));
    } else {
        prediction.err = pasteShortWrite(static_cast<std::size_t>(total));
    }
    prediction.image = run.bytes();
    return prediction;
}

std::vector<int> listedSectorNumbers(const Bytes& image, const PasteCase& paste) {
    ModelRun run(image);
    const std::vector<std::int64_t> disks = run.directory();
    std::vector<int> numbers;
    if (paste.disk < 0 || paste.disk >= static_cast<int>(disks.size())) {
        return numbers;
    }
    run.select(disks[static_cast<std::size_t>(paste.disk)]);
    for (const Identity& id : run.listIds(paste.singleSided ? paste.track * 2 : paste.track)) {
        numbers.push_back(id.sectorNumber);
    }
    return numbers;
}

std::vector<std::string> pasteArguments(const PasteCase& paste, const std::string& imagePath,
                                        const std::string& sourcePath) {
    std::vector<std::string> arguments;
    if (paste.singleSided) {
        arguments.emplace_back("-s");
    }
    arguments.insert(arguments.end(), {imagePath, sourcePath, std::to_string(paste.disk), std::to_string(paste.track),
                                       std::to_string(paste.sectorNumber)});
    return arguments;
}
