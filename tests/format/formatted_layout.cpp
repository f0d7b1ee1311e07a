#include "format/formatted_layout.h"

#include <sstream>

#include "support/d88_fixture.h"

namespace {

constexpr std::size_t kHeader = kFixtureDiskHeaderSize;
constexpr std::size_t kRecordHeader = kFixtureRecordHeaderSize;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

unsigned le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

std::string difference(const std::string& what, std::size_t at, unsigned got, unsigned want) {
    std::ostringstream text;
    text << what << " at byte " << at << ": got " << got << ", want " << want;
    return text.str();
}

}  // namespace

std::string checkFormattedLayout(const Bytes& image, const ExpectedLayout& e) {
    if (image.size() < kHeader) {
        return "image shorter than its header";
    }
    for (std::size_t at = 0; at < 0x1B; ++at) {
        if (image[at] != 0) {
            return difference("name/reserved byte", at, image[at], 0);
        }
    }
    if (image[0x1B] != e.mediaCode) {
        return difference("media code", 0x1B, image[0x1B], e.mediaCode);
    }
    if (le32(image, 0x1C) != image.size()) {
        return difference("size field", 0x1C, le32(image, 0x1C), static_cast<unsigned>(image.size()));
    }
    std::size_t expectedTrackStart = kHeader;
    for (int index = 0; index < 164; ++index) {
        const std::uint32_t entry = le32(image, 0x20 + 4 * static_cast<std::size_t>(index));
        const bool used = e.doubleSided ? index < e.tracks : (index % 2 == 0 && index / 2 < e.tracks);
        if (!used) {
            if (entry != 0) {
                return difference("unused track entry", 0x20 + 4 * static_cast<std::size_t>(index), entry, 0);
            }
            continue;
        }
        const int track = e.doubleSided ? index : index / 2;
        if (entry != expectedTrackStart) {
            return difference("track entry", 0x20 + 4 * static_cast<std::size_t>(index), entry,
                              static_cast<unsigned>(expectedTrackStart));
        }
        const bool special = e.singleDensityFirstTrack && track == 0;
        const unsigned length = special ? 128u : (128u << e.sizeCode);
        const unsigned code = special ? 0u : (e.singleDensityFirstTrack ? 1u : static_cast<unsigned>(e.sizeCode));
        const unsigned cylinder = e.doubleSided ? static_cast<unsigned>(index / 2) : static_cast<unsigned>(track);
        const unsigned head = e.doubleSided ? static_cast<unsigned>(index % 2) : 0u;
        std::size_t at = entry;
        for (int s = 0; s < e.sectors; ++s) {
            if (at + kRecordHeader + length > image.size()) {
                return difference("record past the end", at, static_cast<unsigned>(image.size()), 0);
            }
            const unsigned want[16] = {cylinder, head, static_cast<unsigned>(s + 1), code,
                                       static_cast<unsigned>(e.sectors) & 0xFF, static_cast<unsigned>(e.sectors) >> 8,
                                       special ? 0x40u : 0u, 0, 0, 0, 0, 0, 0, 0, length & 0xFF, length >> 8};
            for (std::size_t i = 0; i < kRecordHeader; ++i) {
                if (image[at + i] != want[i]) {
                    return difference("record header byte " + std::to_string(i), at + i, image[at + i], want[i]);
                }
            }
            if (le16(image, at + 14) != length) {
                return difference("data length", at + 14, le16(image, at + 14), length);
            }
            at += kRecordHeader;
            for (unsigned i = 0; i < length; ++i, ++at) {
                if (image[at] != e.fill) {
                    return difference("data byte", at, image[at], e.fill);
                }
            }
        }
        expectedTrackStart = at;
    }
    if (expectedTrackStart != image.size()) {
        return difference("bytes after the last track", expectedTrackStart, static_cast<unsigned>(image.size()),
                          static_cast<unsigned>(expectedTrackStart));
    }
    return {};
}
